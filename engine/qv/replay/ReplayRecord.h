#ifndef QV_REPLAY_REPLAYRECORD_H
#define QV_REPLAY_REPLAYRECORD_H

#include "qv/display/InputEvent.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

/// One line of a replay file: an input event, a value the game took from its
/// surroundings, a checkpoint or the end of the run, each at a frame. Input
/// sources hand their events over as records too, so what is recorded is
/// exactly what the objects were given.
class ReplayRecord {
public:
    /// The letter that starts the record's line.
    enum Kind : char {
        KEY = 'K',        ///< keyboard event: action, key
        MOUSE = 'M',      ///< mouse event: action, button, x, y
        VALUE = 'V',      ///< named value: name, value
        CHECKPOINT = 'C', ///< digests at the start of a frame
        OBJECT = 'O',     ///< one object at the checkpoint before it: id, type, place, look
        END = 'E',        ///< digests after the last frame
    };

    /// The first line of every replay file this build writes.
    static constexpr const char* VERSION_LINE = "quorvel-replay 2";
    /// The version number in VERSION_LINE; files of version 1, which have
    /// no OBJECT records, are read too.
    static constexpr int VERSION = 2;

    /// A keyboard event (action and key as the engine numbers them).
    static ReplayRecord key(int action, int key);
    /// A mouse event at a window pixel.
    static ReplayRecord mouse(int action, int button, int x, int y);

    /// A KEY or MOUSE record of an input event (its frame is not set).
    static ReplayRecord input(const InputEvent& event);

    /// The input event of a KEY or MOUSE record.
    InputEvent toInput() const;

    /// The line for this record, without its line break.
    std::string toLine() const;

    /// Reads one line (no line break). 0 on success; -1 with the reason in
    /// error, this record then being unspecified.
    int parse(std::string_view line, std::string& error);

    /// What the line records.
    Kind kind = KEY;
    /// The frame it belongs to, counted from 0.
    int frame = 0;
    /// KEY and MOUSE: the action.
    int action = 0;
    /// KEY: the key; MOUSE: the button.
    int code = 0;
    /// MOUSE: the pointer's column in window pixels.
    int x = 0;
    /// MOUSE: the pointer's row in window pixels.
    int y = 0;
    /// VALUE: the value's name, lower-case letters.
    std::string name;
    /// VALUE: the value.
    long long value = 0;
    /// CHECKPOINT and END: how many objects the world held.
    int objects = 0;
    /// CHECKPOINT and END: the digest of the world.
    std::uint64_t worldDigest = 0;
    /// CHECKPOINT and END: how many log messages since the last checkpoint.
    int messages = 0;
    /// CHECKPOINT and END: the digest of those messages.
    std::uint64_t logDigest = 0;
    /// OBJECT: the object's id.
    int id = 0;
    /// OBJECT: the digest of its type.
    std::uint64_t typeDigest = 0;
    /// OBJECT: its position's bits, x in the high half, y in the low one.
    std::uint64_t place = 0;
    /// OBJECT: the digest of its sprite's label and animation frame.
    std::uint64_t lookDigest = 0;
};

} // namespace qv

#endif
