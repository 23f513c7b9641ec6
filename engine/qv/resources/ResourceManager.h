#ifndef QV_RESOURCES_RESOURCEMANAGER_H
#define QV_RESOURCES_RESOURCEMANAGER_H

#include "qv/resources/AudioOutput.h"
#include "qv/resources/Music.h"
#include "qv/resources/Sound.h"
#include "qv/resources/SpriteResourceManager.h"

#include <memory>
#include <string>

namespace qv {

/// The engine's resources: the sprite registry plus up to 128 sounds
/// (decoded into memory) and 128 pieces of music (streamed), found by label.
class ResourceManager : public SpriteResourceManager {
public:
    /// Capacity of the sound table.
    static constexpr int MAX_SOUNDS = 128;
    /// Capacity of the music table.
    static constexpr int MAX_MUSIC = 128;

    /// The one resource manager, made on first use.
    static ResourceManager& getInstance();

    /// Forgets every sound and piece of music, then starts the registry.
    int startUp() override;

    /// Destroys the sprites; sounds and music stay playable.
    void shutDown() override;

    /// Silent: sounds and music are loaded as usual (a missing or broken
    /// file fails alike) but never played, and no audio device is looked
    /// for.
    void setSilent(bool isSilent);

    /// 0 when loaded, -1 when the table is full or the file cannot be read.
    int loadSound(std::string filename, std::string label);
    /// The first sound loaded under label, or null; always null when there
    /// is no audio device, so that nothing is ever played into the void.
    Sound* findSound(const std::string& label);
    /// The SFML sound of findSound(label), or null. Desktop build only.
    sf::Sound* getSound(std::string label);

    /// 0 when opened, -1 when the table is full or the file cannot be read.
    int loadMusic(std::string filename, std::string label);
    /// The first music opened under label, or null; always null when there
    /// is no audio device.
    Music* findMusic(const std::string& label);
    /// The SFML music of findMusic(label), or null. Desktop build only.
    sf::Music* getMusic(std::string label);

    /// Whether the audio output has a device to play on (never, when silent);
    /// asked once, on the first call, which logs when there is none and says
    /// on standard error, in one line, that sound is off. What it logs is a
    /// value a replay takes from its recording, like the clock.
    bool hasAudioDevice();

    /// Muted: lookups find no sound and no music, as without a device, while
    /// frames run that nobody watches (a replay seeking).
    void setMuted(bool isMuted);

private:
    ResourceManager();

    // Made before the records load anything, so the platform can quiet its
    // audio libraries and open its device first.
    std::unique_ptr<AudioOutput> audio;
    Sound sounds[MAX_SOUNDS];
    int soundCount;
    Music music[MAX_MUSIC];
    int musicCount;
    // Without a device, a playing stream spins on failing OpenAL calls and
    // floods standard error; lookups then find nothing instead.
    bool audioChecked;
    bool audioDevice;
    // The device is looked for once a program; each game asks anew.
    bool probed;
    bool deviceFound;
    bool silent;
    bool muted;
};

} // namespace qv

#endif
