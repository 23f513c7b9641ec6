#include "qv/resources/AudioOutput.h"

namespace qv {

AudioOutput::~AudioOutput() = default;

} // namespace qv
