#include "qv/resources/Music.h"

#include <utility>

namespace qv {

Music::Music() = default;

Music::~Music() = default;

void Music::setLabel(std::string newLabel) {
    label = std::move(newLabel);
}

std::string Music::getLabel() const {
    return label;
}

bool Music::openFromFile(AudioOutput& output, const std::string& filename) {
    if (!clip) {
        clip = output.makeMusic();
    }
    return clip->load(filename);
}

void Music::play() {
    if (clip) {
        clip->play();
    }
}

void Music::stop() {
    if (clip) {
        clip->stop();
    }
}

void Music::setLoop(bool loop) {
    if (clip) {
        clip->setLoop(loop);
    }
}

} // namespace qv
