#include "qv/resources/Music.h"

namespace qv {

bool Music::openFromFile(AudioOutput& output, const std::string& filename) {
    if (!clip) {
        clip = output.makeMusic();
    }
    return clip->load(filename);
}

} // namespace qv
