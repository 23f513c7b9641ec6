#include "qv/platform/web/CanvasInput.h"

#include <emscripten.h>

EM_JS(int, qv_page_take_events, (int* into, int room),
      { return qvPage.takeEvents(HEAP32, into >> 2, room); });
EM_JS(int, qv_page_key_held, (int key), { return qvPage.isKeyHeld(key) ? 1 : 0; });
EM_JS(int, qv_page_button_held, (int button), { return qvPage.isButtonHeld(button) ? 1 : 0; });
EM_JS(int, qv_page_pointer_x, (), { return qvPage.pointerX(); });
EM_JS(int, qv_page_pointer_y, (), { return qvPage.pointerY(); });

namespace qv {

namespace {

// Each queued event as the page writes it: kind, action, code, x, y.
constexpr int EVENT_WORDS = 5;
constexpr int EVENTS_PER_CALL = 32;

// The held keys in the order the desktop polls them: letters, then the
// codes below them, then the digits with 0 last.
bool firstHeldKey(int& found) {
    const int ranges[][2] = {{Keyboard::A, Keyboard::Z},
                             {Keyboard::SPACE, Keyboard::F12},
                             {Keyboard::NUM1, Keyboard::NUM0}};
    for (const auto& range : ranges) {
        for (int key = range[0]; key <= range[1]; ++key) {
            if (qv_page_key_held(key) != 0) {
                found = key;
                return true;
            }
        }
    }
    return false;
}

} // namespace

void CanvasInput::collect(std::vector<InputEvent>& events) {
    int words[EVENTS_PER_CALL * EVENT_WORDS];
    int count = 0;
    do {
        count = qv_page_take_events(words, EVENTS_PER_CALL);
        for (int i = 0; i < count; ++i) {
            const int* event = words + i * EVENT_WORDS;
            InputEvent taken;
            taken.kind = event[0] == 0 ? InputEvent::Kind::KEY : InputEvent::Kind::MOUSE;
            taken.action = event[1];
            taken.code = event[2];
            taken.x = event[3];
            taken.y = event[4];
            events.push_back(taken);
        }
    } while (count == EVENTS_PER_CALL);

    int key = Keyboard::UNDEFINED;
    if (firstHeldKey(key)) {
        events.push_back(InputEvent::key(KeyboardAction::HELD, static_cast<Keyboard::Key>(key)));
    }
    for (const Mouse::Button button : {Mouse::LEFT, Mouse::RIGHT, Mouse::MIDDLE}) {
        if (qv_page_button_held(button) != 0) {
            events.push_back(InputEvent::mouse(MouseAction::HELD, button, qv_page_pointer_x(),
                                               qv_page_pointer_y()));
            break;
        }
    }
}

} // namespace qv
