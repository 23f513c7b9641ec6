#include "qv/replay/ReplayRecord.h"

#include "qv/display/Keyboard.h"
#include "qv/display/Mouse.h"

#include <charconv>
#include <cinttypes>
#include <climits>
#include <cstdio>

namespace qv {

namespace {

// Integers written as the writer writes them, and nothing else: no plus
// signs, leading zeros, "-0", spaces or trailing junk, so no two texts mean
// one value.
bool toInteger(std::string_view token, long long low, long long high, long long& out) {
    const char* end = token.data() + token.size();
    const auto [stop, status] = std::from_chars(token.data(), end, out);
    if (status != std::errc() || stop != end || out < low || out > high) {
        return false;
    }
    const std::size_t first = token[0] == '-' ? 1 : 0;
    return token[first] != '0' || token.size() == 1;
}

bool toDigest(std::string_view token, std::uint64_t& out) {
    if (token.size() != 16) {
        return false;
    }
    const char* end = token.data() + token.size();
    for (const char c : token) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) {
            return false;
        }
    }
    return std::from_chars(token.data(), end, out, 16).ptr == end;
}

// Splits at every space, keeping the first `room` fields; returns how many
// there are. Nothing is copied: a replay holds thousands of lines.
std::size_t split(std::string_view line, std::string_view* fields, std::size_t room) {
    std::size_t count = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t stop = line.find(' ', start);
        if (count < room) {
            fields[count] =
                line.substr(start, stop == std::string_view::npos ? stop : stop - start);
        }
        ++count;
        if (stop == std::string_view::npos) {
            return count;
        }
        start = stop + 1;
    }
}

std::string quoted(std::string_view token) {
    return "'" + std::string(token.substr(0, 24)) + "'";
}

} // namespace

ReplayRecord ReplayRecord::key(int action, int key) {
    ReplayRecord record;
    record.kind = KEY;
    record.action = action;
    record.code = key;
    return record;
}

ReplayRecord ReplayRecord::mouse(int action, int button, int x, int y) {
    ReplayRecord record;
    record.kind = MOUSE;
    record.action = action;
    record.code = button;
    record.x = x;
    record.y = y;
    return record;
}

ReplayRecord ReplayRecord::input(const InputEvent& event) {
    if (event.kind == InputEvent::Kind::KEY) {
        return key(event.action, event.code);
    }
    return mouse(event.action, event.code, event.x, event.y);
}

InputEvent ReplayRecord::toInput() const {
    InputEvent event;
    event.kind = kind == MOUSE ? InputEvent::Kind::MOUSE : InputEvent::Kind::KEY;
    event.action = action;
    event.code = code;
    event.x = x;
    event.y = y;
    return event;
}

std::string ReplayRecord::toLine() const {
    char line[160];
    switch (kind) {
    case KEY:
        std::snprintf(line, sizeof line, "K %d %d %d", frame, action, code);
        break;
    case MOUSE:
        std::snprintf(line, sizeof line, "M %d %d %d %d %d", frame, action, code, x, y);
        break;
    case VALUE:
        std::snprintf(line, sizeof line, "V %d %s %lld", frame, name.c_str(), value);
        break;
    case OBJECT:
        std::snprintf(line, sizeof line, "O %d %d %016" PRIx64 " %016" PRIx64 " %016" PRIx64, frame,
                      id, typeDigest, place, lookDigest);
        break;
    default:
        std::snprintf(line, sizeof line, "%c %d %d %016" PRIx64 " %d %016" PRIx64,
                      static_cast<char>(kind), frame, objects, worldDigest, messages, logDigest);
        break;
    }
    return line;
}

int ReplayRecord::parse(std::string_view line, std::string& error) {
    constexpr std::size_t MOST_FIELDS = 6;
    std::string_view tokens[MOST_FIELDS];
    const std::size_t count = split(line, tokens, MOST_FIELDS);
    long long number[MOST_FIELDS - 1] = {};
    const auto field = [&](std::size_t index, long long low, long long high, const char* what) {
        if (!toInteger(tokens[index], low, high, number[index - 1])) {
            error = std::string("bad ") + what + " " + quoted(tokens[index]);
            return false;
        }
        return true;
    };
    if (tokens[0].size() != 1) {
        error = "unknown record " + quoted(tokens[0]);
        return -1;
    }
    kind = static_cast<Kind>(tokens[0][0]);
    const std::size_t expected = kind == KEY                         ? 4
                                 : kind == MOUSE                     ? 6
                                 : kind == VALUE                     ? 4
                                 : kind == CHECKPOINT || kind == END ? 6
                                 : kind == OBJECT                    ? 6
                                                                     : 0;
    if (expected == 0) {
        error = "unknown record " + quoted(tokens[0]);
        return -1;
    }
    if (count != expected) {
        error = "'" + std::string(tokens[0]) + "' record needs " + std::to_string(expected - 1) +
                " fields separated by single spaces";
        return -1;
    }
    if (!field(1, 0, INT_MAX, "frame")) {
        return -1;
    }
    frame = static_cast<int>(number[0]);
    switch (kind) {
    case KEY:
        if (!field(2, 0, 2, "key action") ||
            !field(3, Keyboard::UNDEFINED, Keyboard::NUM0, "key")) {
            return -1;
        }
        action = static_cast<int>(number[1]);
        code = static_cast<int>(number[2]);
        return 0;
    case MOUSE:
        if (!field(2, 0, 2, "mouse action") ||
            !field(3, Mouse::UNDEFINED, Mouse::MIDDLE, "mouse button") ||
            !field(4, INT_MIN, INT_MAX, "x") || !field(5, INT_MIN, INT_MAX, "y")) {
            return -1;
        }
        action = static_cast<int>(number[1]);
        code = static_cast<int>(number[2]);
        x = static_cast<int>(number[3]);
        y = static_cast<int>(number[4]);
        return 0;
    case VALUE:
        name = std::string(tokens[2]);
        if (name.empty() || name.size() > 32 ||
            name.find_first_not_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos) {
            error = "bad value name '" + name.substr(0, 24) + "'";
            return -1;
        }
        if (!field(3, LLONG_MIN, LLONG_MAX, "value")) {
            return -1;
        }
        value = number[2];
        return 0;
    case OBJECT:
        if (!field(2, INT_MIN, INT_MAX, "object id")) {
            return -1;
        }
        if (!toDigest(tokens[3], typeDigest) || !toDigest(tokens[4], place) ||
            !toDigest(tokens[5], lookDigest)) {
            error = "bad digest (16 lower-case hex digits)";
            return -1;
        }
        id = static_cast<int>(number[1]);
        return 0;
    default:
        if (!field(2, 0, INT_MAX, "object count") || !field(4, 0, INT_MAX, "message count")) {
            return -1;
        }
        if (!toDigest(tokens[3], worldDigest) || !toDigest(tokens[5], logDigest)) {
            error = "bad digest (16 lower-case hex digits)";
            return -1;
        }
        objects = static_cast<int>(number[1]);
        messages = static_cast<int>(number[3]);
        return 0;
    }
}

} // namespace qv
