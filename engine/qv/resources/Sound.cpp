#include "qv/resources/Sound.h"

namespace qv {

bool Sound::loadFromFile(AudioOutput& output, const std::string& filename) {
    if (clip) {
        return clip->load(filename);
    }
    std::unique_ptr<AudioClip> made = output.makeSound();
    if (!made->load(filename)) {
        return false;
    }
    clip = std::move(made);
    return true;
}

} // namespace qv
