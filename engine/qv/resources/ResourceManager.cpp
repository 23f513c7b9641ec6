#include "qv/resources/ResourceManager.h"

#include "qv/core/Environment.h"
#include "qv/core/LogManager.h"

#include <cstdio>
#include <utility>

namespace qv {

ResourceManager::ResourceManager()
    : audio(makeDefaultAudioOutput()), soundCount(0), musicCount(0), audioChecked(false),
      audioDevice(false), probed(false), deviceFound(false), silent(false), muted(false) {
    setType("ResourceManager");
}

ResourceManager& ResourceManager::getInstance() {
    static ResourceManager instance;
    return instance;
}

int ResourceManager::startUp() {
    soundCount = 0;
    musicCount = 0;
    // A game set up again reads the recorded answer again, where it did.
    audioChecked = false;
    return SpriteResourceManager::startUp();
}

void ResourceManager::shutDown() {
    SpriteResourceManager::shutDown();
}

void ResourceManager::setSilent(bool isSilent) {
    silent = isSilent;
}

void ResourceManager::setMuted(bool isMuted) {
    muted = isMuted;
}

int ResourceManager::loadSound(std::string filename, std::string label) {
    if (!isStarted()) {
        LogManager::getInstance().writeWarning(
            "loadSound before GameManager::startUp(): '%s' is forgotten at start-up",
            label.c_str());
    }
    if (soundCount >= MAX_SOUNDS) {
        LogManager::getInstance().writeLog("Sound array full\n");
        return -1;
    }
    Sound& record = sounds[soundCount];
    // Loaded when silent too, so a test without sound still notices a
    // missing or broken file.
    if (!record.loadFromFile(*audio, filename)) {
        LogManager::getInstance().writeLog("Unable to load sound from file\n");
        return -1;
    }
    record.setLabel(std::move(label));
    ++soundCount;
    return 0;
}

Sound* ResourceManager::findSound(const std::string& label) {
    if (!hasAudioDevice() || muted) {
        return nullptr;
    }
    for (int i = 0; i < soundCount; ++i) {
        if (sounds[i].getLabel() == label) {
            return &sounds[i];
        }
    }
    return nullptr;
}

int ResourceManager::loadMusic(std::string filename, std::string label) {
    if (!isStarted()) {
        LogManager::getInstance().writeWarning(
            "loadMusic before GameManager::startUp(): '%s' is forgotten at start-up",
            label.c_str());
    }
    if (musicCount >= MAX_MUSIC) {
        LogManager::getInstance().writeLog("Music array full\n");
        return -1;
    }
    Music& record = music[musicCount];
    if (!record.openFromFile(*audio, filename)) {
        LogManager::getInstance().writeLog("Unable to load music from file\n");
        return -1;
    }
    record.setLabel(std::move(label));
    ++musicCount;
    return 0;
}

Music* ResourceManager::findMusic(const std::string& label) {
    if (!hasAudioDevice() || muted) {
        return nullptr;
    }
    for (int i = 0; i < musicCount; ++i) {
        if (music[i].getLabel() == label) {
            return &music[i];
        }
    }
    return nullptr;
}

bool ResourceManager::hasAudioDevice() {
    if (!audioChecked) {
        audioChecked = true;
        if (!probed && !silent) {
            probed = true;
            deviceFound = audio->hasDevice();
            if (!deviceFound) {
                std::fputs("Sound is off: no audio device was found.\n", stderr);
            }
        }
        audioDevice = !silent && deviceFound;
        // A replay logs what its recording logged, device or none here.
        if (Environment::getInstance().value("audio", audioDevice ? 1 : 0) == 0) {
            LogManager::getInstance().writeLog("No audio device: sounds and music stay silent\n");
        }
    }
    return audioDevice;
}

} // namespace qv
