#include "qv/resources/AudioClip.h"

namespace qv {

AudioClip::~AudioClip() = default;

} // namespace qv
