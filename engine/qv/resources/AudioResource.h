#ifndef QV_RESOURCES_AUDIORESOURCE_H
#define QV_RESOURCES_AUDIORESOURCE_H

#include "qv/resources/AudioClip.h"

#include <memory>
#include <string>

namespace qv {

/// What sounds and music share: the label they are found by and the
/// platform's clip they play through, made when the file is first loaded.
class AudioResource {
public:
    AudioResource();
    virtual ~AudioResource();

    AudioResource(const AudioResource&) = delete;
    AudioResource& operator=(const AudioResource&) = delete;

    /// Sets the label it is found by.
    void setLabel(std::string newLabel);
    /// The label it is found by.
    std::string getLabel() const;

    /// Plays from the start, or goes on if already playing; nothing before
    /// the first load.
    void play();
    /// Stops and rewinds.
    void stop();
    /// Whether playing starts over at the end.
    void setLoop(bool loop);

protected:
    /// Made on the first load: every platform clip may hold a device voice,
    /// and a full table of idle ones would exhaust the device's.
    std::unique_ptr<AudioClip> clip;

private:
    std::string label;
};

} // namespace qv

#endif
