#!/usr/bin/env python3
"""Rewrites the log digests of a replay from the log of a run of it.

After a deliberate change to the words of the engine's or the game's log
messages, every recorded game digests its log differently while its input
and its world stay as they were. Play the replay once with the changed
build (headless; it reports a mismatch) and hand its log to this script: it
splits the log into messages, takes them window by window as the replay's
checkpoints count them, and writes each window's new digest in place of
the recorded one. The message counts must agree, window by window, or
nothing is written: a change that adds or removes messages is a change of
behaviour and needs a new recording.

Usage: relog_replay.py REPLAY LOG
"""
import re
import sys

STAMP = re.compile(rb"\d\d:\d\d:\d\d Message: ")


def digest(messages):
    value = 0xCBF29CE484222325
    for text in messages:
        for byte in text + b"\0":
            value = ((value ^ byte) * 0x100000001B3) & 0xFFFFFFFFFFFFFFFF
    return "%016x" % value


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip().splitlines()[-1])
    replay, log = sys.argv[1:]
    with open(log, "rb") as file:
        messages = [part for part in STAMP.split(file.read())[1:]]
    with open(replay) as file:
        lines = file.read().split("\n")
    taken = 0
    changed = 0
    for number, line in enumerate(lines):
        fields = line.split(" ")
        if fields[0] not in ("C", "E"):
            continue
        count = int(fields[4])
        window = messages[taken:taken + count]
        if len(window) != count:
            sys.exit("%s: line %d counts %d messages, the log has %d left: not rewritten"
                     % (replay, number + 1, count, len(window)))
        taken += count
        new = digest(window)
        if new != fields[5]:
            fields[5] = new
            lines[number] = " ".join(fields)
            changed += 1
    with open(replay, "w") as file:
        file.write("\n".join(lines))
    print("%s: %d log digest%s rewritten" % (replay, changed, "" if changed == 1 else "s"))


main()
