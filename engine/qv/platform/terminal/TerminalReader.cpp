#include "qv/platform/terminal/TerminalReader.h"

namespace qv {

namespace {

constexpr char ESC = '\x1b';
// Longer sequences are nothing a terminal sends: dropping them keeps a stray
// escape byte from swallowing the input that follows.
constexpr std::size_t MAX_SEQUENCE = 48;
// A cell's centre in the window a grid of this size fills.
constexpr int COLUMNS = 80;
constexpr int ROWS = 24;
constexpr int WINDOW_WIDTH = 1024;
constexpr int WINDOW_HEIGHT = 768;
// The protocol's modifier bit for Ctrl, after subtracting one.
constexpr int CTRL_BIT = 4;
constexpr int TYPE_REPEAT = 2;
constexpr int TYPE_RELEASE = 3;

Keyboard::Key letterOrDigit(int c) {
    if (c >= 'a' && c <= 'z') {
        return static_cast<Keyboard::Key>(Keyboard::A + (c - 'a'));
    }
    if (c >= 'A' && c <= 'Z') {
        return static_cast<Keyboard::Key>(Keyboard::A + (c - 'A'));
    }
    if (c == '0') {
        return Keyboard::NUM0;
    }
    if (c >= '1' && c <= '9') {
        return static_cast<Keyboard::Key>(Keyboard::NUM1 + (c - '1'));
    }
    return Keyboard::UNDEFINED;
}

// The key a character comes from, shifted characters included.
Keyboard::Key keyOfCharacter(int c) {
    const Keyboard::Key key = letterOrDigit(c);
    if (key != Keyboard::UNDEFINED) {
        return key;
    }
    static constexpr const char SHIFTED_DIGITS[] = ")!@#$%^&*(";
    for (int i = 0; i < 10; ++i) {
        if (c == SHIFTED_DIGITS[i]) {
            return letterOrDigit('0' + i);
        }
    }
    switch (c) {
    case ' ':
        return Keyboard::SPACE;
    case '\r':
    case '\n':
        return Keyboard::ENTER;
    case '\t':
        return Keyboard::TAB;
    case ESC:
        return Keyboard::ESCAPE;
    case '-':
    case '_':
        return Keyboard::HYPHEN;
    case '=':
    case '+':
        return Keyboard::EQUAL;
    case '`':
    case '~':
        return Keyboard::TILDE;
    case '.':
    case '>':
        return Keyboard::PERIOD;
    case ',':
    case '<':
        return Keyboard::COMMA;
    case '/':
    case '?':
        return Keyboard::SLASH;
    case '[':
    case '{':
        return Keyboard::LEFT_BRACKET;
    case ']':
    case '}':
        return Keyboard::RIGHT_BRACKET;
    default:
        break;
    }
    // Ctrl with a letter.
    if (c >= 1 && c <= 26) {
        return letterOrDigit('a' + c - 1);
    }
    return Keyboard::UNDEFINED;
}

// The protocol's numbers for keys that have no character.
Keyboard::Key keyOfProtocolCode(int code) {
    switch (code) {
    case 13:
        return Keyboard::ENTER;
    case 9:
        return Keyboard::TAB;
    case 27:
        return Keyboard::ESCAPE;
    case 57362:
        return Keyboard::PAUSE;
    case 57441:
        return Keyboard::LEFT_SHIFT;
    case 57442:
        return Keyboard::LEFT_CONTROL;
    case 57447:
        return Keyboard::RIGHT_SHIFT;
    case 57448:
        return Keyboard::RIGHT_CONTROL;
    default:
        return code >= 32 && code < 127 ? keyOfCharacter(code) : Keyboard::UNDEFINED;
    }
}

// The final byte of CSI 1;mods X and SS3 X.
Keyboard::Key keyOfFinal(char final) {
    switch (final) {
    case 'A':
        return Keyboard::UP_ARROW;
    case 'B':
        return Keyboard::DOWN_ARROW;
    case 'C':
        return Keyboard::RIGHT_ARROW;
    case 'D':
        return Keyboard::LEFT_ARROW;
    case 'P':
        return Keyboard::F1;
    case 'Q':
        return Keyboard::F2;
    case 'R':
        return Keyboard::F3;
    case 'S':
        return Keyboard::F4;
    case 'H':
        return Keyboard::HOME;
    case 'F':
        return Keyboard::END;
    default:
        return Keyboard::UNDEFINED;
    }
}

// The number of CSI number ~.
Keyboard::Key keyOfTilde(int number) {
    switch (number) {
    case 1:
    case 7:
        return Keyboard::HOME;
    case 4:
    case 8:
        return Keyboard::END;
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
        return static_cast<Keyboard::Key>(Keyboard::F1 + (number - 11));
    case 17:
    case 18:
    case 19:
    case 20:
    case 21:
        return static_cast<Keyboard::Key>(Keyboard::F6 + (number - 17));
    case 23:
        return Keyboard::F11;
    case 24:
        return Keyboard::F12;
    default:
        return Keyboard::UNDEFINED;
    }
}

// The numbers of a CSI's parameters: up to three fields split by ';', each
// of up to three parts split by ':'; missing ones are 0.
struct Parameters {
    int value[3][3] = {};
    bool present[3][3] = {};

    explicit Parameters(const std::string& text) {
        int field = 0;
        int part = 0;
        for (const char c : text) {
            if (c == ';') {
                ++field;
                part = 0;
            } else if (c == ':') {
                ++part;
            } else if (c >= '0' && c <= '9' && field < 3 && part < 3) {
                int& number = value[field][part];
                // Capped, so no sequence overflows.
                number = number > 99999 ? number : number * 10 + (c - '0');
                present[field][part] = true;
            }
        }
    }
};

} // namespace

void TerminalReader::feed(const char* bytes, std::size_t size, std::vector<InputEvent>& events) {
    pending.append(bytes, size);
    std::size_t start = 0;
    while (start < pending.size()) {
        const std::size_t used = readOne(start, events);
        if (used == 0) {
            break;
        }
        start += used;
    }
    pending.erase(0, start);
}

void TerminalReader::expire(std::vector<InputEvent>& events) {
    // Only a lone escape byte can wait forever for a rest that is not coming;
    // anything longer that stops short is dropped.
    if (pending == std::string(1, ESC)) {
        events.push_back(InputEvent::key(KeyboardAction::PRESSED, Keyboard::ESCAPE));
    }
    pending.clear();
}

bool TerminalReader::isWaiting() const {
    return !pending.empty();
}

bool TerminalReader::reportsReleases() const {
    return releases;
}

Mouse::Button TerminalReader::getHeldButton() const {
    return held;
}

int TerminalReader::getMouseX() const {
    return mouseX;
}

int TerminalReader::getMouseY() const {
    return mouseY;
}

bool TerminalReader::takeInterrupt() {
    const bool was = interrupt;
    interrupt = false;
    return was;
}

std::size_t TerminalReader::readOne(std::size_t start, std::vector<InputEvent>& events) {
    const unsigned char first = static_cast<unsigned char>(pending[start]);
    if (first != ESC) {
        if (first == 3) {
            interrupt = true;
        } else if (first < 0x80) {
            // Non-ASCII bytes are text the game has no key for.
            events.push_back(InputEvent::key(KeyboardAction::PRESSED, keyOfCharacter(first)));
        }
        return 1;
    }
    if (start + 1 == pending.size()) {
        return 0;
    }
    const char second = pending[start + 1];
    if (second == '[') {
        return readControl(start, events);
    }
    if (second == 'O') {
        if (start + 2 == pending.size()) {
            return 0;
        }
        const char final = pending[start + 2];
        if (final >= 0x40 && final <= 0x7e) {
            const Keyboard::Key key = keyOfFinal(final);
            events.push_back(InputEvent::key(KeyboardAction::PRESSED, key));
            return 3;
        }
    }
    if (second > ' ' && second < 0x7f) {
        // Alt with a character: the character's key.
        events.push_back(InputEvent::key(KeyboardAction::PRESSED, keyOfCharacter(second)));
        return 2;
    }
    events.push_back(InputEvent::key(KeyboardAction::PRESSED, Keyboard::ESCAPE));
    return 1;
}

std::size_t TerminalReader::readControl(std::size_t start, std::vector<InputEvent>& events) {
    std::size_t end = start + 2;
    for (;; ++end) {
        if (end - start >= MAX_SEQUENCE) {
            return end - start;
        }
        if (end == pending.size()) {
            return 0;
        }
        const char c = pending[end];
        if (c >= 0x40 && c <= 0x7e) {
            break;
        }
        if (c < 0x20 || c > 0x3f) {
            // Not part of a control sequence: dropped up to that byte, which
            // is read afresh.
            return end - start;
        }
    }
    const std::string parameters = pending.substr(start + 2, end - start - 2);
    const char final = pending[end];
    const std::size_t used = end - start + 1;
    const char marker = parameters.empty() ? '\0' : parameters[0];
    const Parameters numbers(marker >= '<' ? parameters.substr(1) : parameters);
    if (marker == '<' && (final == 'M' || final == 'm')) {
        mouseReport(numbers.value[0][0], numbers.value[1][0], numbers.value[2][0], final == 'm',
                    events);
        return used;
    }
    if (marker == '?' && final == 'u') {
        // The answer to the protocol query: this terminal reports releases.
        releases = true;
        return used;
    }
    if (marker >= '<') {
        return used;
    }
    Keyboard::Key key = Keyboard::UNDEFINED;
    if (final == 'u') {
        key = keyOfProtocolCode(numbers.value[0][0]);
    } else if (final == '~') {
        key = keyOfTilde(numbers.value[0][0]);
    } else {
        // CSI row;column R is a cursor report, not F3.
        key = numbers.value[0][0] <= 1 ? keyOfFinal(final) : Keyboard::UNDEFINED;
        if (key == Keyboard::UNDEFINED) {
            // Cursor reports, focus and the like: no key.
            return used;
        }
    }
    if (numbers.present[1][1]) {
        releases = true;
    }
    const int modifiers = numbers.value[1][0] > 0 ? numbers.value[1][0] - 1 : 0;
    const int type = numbers.value[1][1];
    if (key == Keyboard::C && (modifiers & CTRL_BIT) != 0) {
        interrupt = interrupt || type != TYPE_RELEASE;
        return used;
    }
    KeyboardAction action = KeyboardAction::PRESSED;
    if (type == TYPE_REPEAT) {
        action = KeyboardAction::HELD;
    } else if (type == TYPE_RELEASE) {
        action = KeyboardAction::RELEASED;
    }
    events.push_back(InputEvent::key(action, key));
    return used;
}

void TerminalReader::mouseReport(int button, int column, int row, bool released,
                                 std::vector<InputEvent>& events) {
    constexpr int MOTION = 32;
    constexpr int WHEEL = 64;
    if (released) {
        held = Mouse::UNDEFINED;
        return;
    }
    const int cellColumn = column - 1;
    const int cellRow = row - 1;
    if ((button & WHEEL) != 0 || cellColumn < 0 || cellColumn >= COLUMNS || cellRow < 0 ||
        cellRow >= ROWS) {
        return;
    }
    mouseX = (2 * cellColumn + 1) * WINDOW_WIDTH / (2 * COLUMNS);
    mouseY = (2 * cellRow + 1) * WINDOW_HEIGHT / (2 * ROWS);
    if ((button & MOTION) != 0) {
        events.push_back(InputEvent::mouse(MouseAction::MOVED, Mouse::UNDEFINED, mouseX, mouseY));
        return;
    }
    static constexpr Mouse::Button BUTTONS[] = {Mouse::LEFT, Mouse::MIDDLE, Mouse::RIGHT,
                                                Mouse::UNDEFINED};
    held = BUTTONS[button & 3];
    events.push_back(InputEvent::mouse(MouseAction::CLICKED, held, mouseX, mouseY));
}

} // namespace qv
