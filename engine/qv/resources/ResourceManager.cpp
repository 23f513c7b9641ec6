#include "qv/resources/ResourceManager.h"

#include "qv/core/Environment.h"
#include "qv/core/LogManager.h"
#include "qv/core/Platform.h"

#include <AL/alc.h>

#include <cstdio>
#include <utility>

namespace qv {

namespace {

// SFML opens its one device when its first audio object is made (the sound
// records' buffers) and makes its context current for the whole process. A
// second device of our own could fail where SFML's works, or fight it for
// the same output.
bool sfmlHasAudioDevice() {
    ALCcontext* context = alcGetCurrentContext();
    return context != nullptr && alcGetContextsDevice(context) != nullptr;
}

} // namespace

ResourceManager::ResourceManager()
    : soundCount(0), musicCount(0), audioChecked(false), audioDevice(false), silent(false) {
    setType("ResourceManager");
}

ResourceManager& ResourceManager::getInstance() {
    // Before SFML's device opens: the system's audio libraries then keep
    // their complaints about a missing sound card to themselves.
    static const bool quiet = (platform::quietAudioLibraries(), true);
    static ResourceManager instance;
    (void)quiet;
    return instance;
}

int ResourceManager::startUp() {
    soundCount = 0;
    musicCount = 0;
    return SpriteResourceManager::startUp();
}

void ResourceManager::shutDown() {
    SpriteResourceManager::shutDown();
}

void ResourceManager::setSilent(bool isSilent) {
    silent = isSilent;
}

int ResourceManager::loadSound(std::string filename, std::string label) {
    if (soundCount >= MAX_SOUNDS) {
        LogManager::getInstance().writeLog("Sound array full\n");
        return -1;
    }
    Sound& record = sounds[soundCount];
    if (!silent && !record.loadFromFile(filename)) {
        LogManager::getInstance().writeLog("Unable to load sound from file\n");
        return -1;
    }
    record.setLabel(std::move(label));
    ++soundCount;
    return 0;
}

sf::Sound* ResourceManager::getSound(std::string label) {
    if (!hasAudioDevice()) {
        return nullptr;
    }
    for (int i = 0; i < soundCount; ++i) {
        if (sounds[i].getLabel() == label) {
            return sounds[i].getSound();
        }
    }
    return nullptr;
}

int ResourceManager::loadMusic(std::string filename, std::string label) {
    if (musicCount >= MAX_MUSIC) {
        LogManager::getInstance().writeLog("Music array full\n");
        return -1;
    }
    Music& record = music[musicCount];
    if (!silent && !record.openFromFile(filename)) {
        LogManager::getInstance().writeLog("Unable to load music from file\n");
        return -1;
    }
    record.setLabel(std::move(label));
    ++musicCount;
    return 0;
}

sf::Music* ResourceManager::getMusic(std::string label) {
    if (!hasAudioDevice()) {
        return nullptr;
    }
    for (int i = 0; i < musicCount; ++i) {
        if (music[i].getLabel() == label) {
            return music[i].getMusic();
        }
    }
    return nullptr;
}

bool ResourceManager::hasAudioDevice() {
    if (!audioChecked) {
        audioChecked = true;
        audioDevice = !silent && sfmlHasAudioDevice();
        if (!audioDevice && !silent) {
            std::fputs("Sound is off: no audio device was found.\n", stderr);
        }
        // A replay logs what its recording logged, device or none here.
        if (Environment::getInstance().value("audio", audioDevice ? 1 : 0) == 0) {
            LogManager::getInstance().writeLog("No audio device: sounds and music stay silent\n");
        }
    }
    return audioDevice;
}

} // namespace qv
