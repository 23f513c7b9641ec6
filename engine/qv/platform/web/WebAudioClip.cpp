#include "qv/platform/web/WebAudioClip.h"

#include <emscripten.h>

// The file is read from the program's own file system, where the page's
// packed data put it; -1 when it is not there.
EM_JS(int, qv_page_load_sound, (const char* path), {
    let bytes;
    try {
        bytes = FS.readFile(UTF8ToString(path));
    } catch (e) {
        return -1;
    }
    return qvPage.loadSound(bytes);
});
EM_JS(void, qv_page_play_sound, (int id, int loop), { qvPage.playSound(id, Boolean(loop)); });
EM_JS(void, qv_page_stop_sound, (int id), { qvPage.stopSound(id); });

namespace qv {

bool WebAudioClip::load(const std::string& filename) {
    if (id >= 0) {
        stop();
    }
    const int loaded = qv_page_load_sound(filename.c_str());
    if (loaded < 0) {
        return false;
    }
    id = loaded;
    return true;
}

void WebAudioClip::play() {
    if (id >= 0) {
        qv_page_play_sound(id, looping ? 1 : 0);
    }
}

void WebAudioClip::stop() {
    if (id >= 0) {
        qv_page_stop_sound(id);
    }
}

void WebAudioClip::setLoop(bool loop) {
    looping = loop;
}

} // namespace qv
