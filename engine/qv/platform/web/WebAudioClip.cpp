#include "qv/platform/web/WebAudioClip.h"

#include <emscripten.h>

// The file is read from the program's own file system, where the page's
// packed data put it: the MP3 the page's build made of a WAV file, with its
// length in samples and sample rate, when there is one, else the file itself; -1 when
// neither is there.
EM_JS(int, qv_page_load_sound, (const char* path), {
    const name = UTF8ToString(path);
    const mp3 = name.toLowerCase().endsWith('.wav') ? name.slice(0, -4) + ".mp3" : "";
    if (!qvPage.hasAudio()) {
        // Nothing will play: whether the file is there is all that counts.
        const there = (file) => file !== "" && FS.analyzePath(file).exists;
        return there(mp3) || there(name) ? qvPage.loadSound(null, 0, 0) : -1;
    }
    try {
        const length = FS.readFile(mp3 + '.samples', {encoding : 'utf8'}).split(' ');
        return qvPage.loadSound(FS.readFile(mp3), Number(length[0]), Number(length[1]));
    } catch (e) {
        // No MP3 of it: the file itself.
    }
    try {
        return qvPage.loadSound(FS.readFile(name), 0, 0);
    } catch (e) {
        return -1;
    }
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
