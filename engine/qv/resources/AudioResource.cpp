#include "qv/resources/AudioResource.h"

#include <utility>

namespace qv {

AudioResource::AudioResource() = default;

AudioResource::~AudioResource() = default;

void AudioResource::setLabel(std::string newLabel) {
    label = std::move(newLabel);
}

std::string AudioResource::getLabel() const {
    return label;
}

void AudioResource::play() {
    if (clip) {
        clip->play();
    }
}

void AudioResource::stop() {
    if (clip) {
        clip->stop();
    }
}

void AudioResource::setLoop(bool loop) {
    if (clip) {
        clip->setLoop(loop);
    }
}

} // namespace qv
