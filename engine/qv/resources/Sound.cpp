#include "qv/resources/Sound.h"

#include <utility>

namespace qv {

Sound::Sound() = default;

Sound::~Sound() = default;

void Sound::setLabel(std::string newLabel) {
    label = std::move(newLabel);
}

std::string Sound::getLabel() const {
    return label;
}

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

void Sound::play() {
    if (clip) {
        clip->play();
    }
}

void Sound::stop() {
    if (clip) {
        clip->stop();
    }
}

void Sound::setLoop(bool loop) {
    if (clip) {
        clip->setLoop(loop);
    }
}

} // namespace qv
