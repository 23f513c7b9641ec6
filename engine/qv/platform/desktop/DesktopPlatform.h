#ifndef QV_PLATFORM_DESKTOP_DESKTOPPLATFORM_H
#define QV_PLATFORM_DESKTOP_DESKTOPPLATFORM_H

namespace qv {
namespace platform {

/// Keeps the system's audio libraries from writing to standard error: ALSA
/// and OpenAL each print several lines for every failed attempt to open a
/// device on a machine without a sound card. Call it before the first audio
/// object is made; OpenAL's ALSOFT_LOGLEVEL, when set, is left as it is.
void quietAudioLibraries();

} // namespace platform
} // namespace qv

#endif
