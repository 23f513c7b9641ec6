#ifndef QV_PLATFORM_WEB_PAGEFRAMES_H
#define QV_PLATFORM_WEB_PAGEFRAMES_H

#include <cstdint>
#include <functional>

namespace qv {

/// The page's frame loop. A page may not block, so the program hands its
/// frames to the page's script, which runs one whenever one is due: on the
/// display's refresh, a whole number of refreshes per frame, or, headless,
/// one after another in chunks that leave the page a turn in between.
class PageFrames {
public:
    /// From now on the page calls frame() whenever a frame is due, until it
    /// returns false, with the time of the refresh that shows the frame on
    /// the monotonic clock (-1 headless); then finish() and the program ends with the status
    /// finish() returned. Does not return: the program's stack is left
    /// behind, so frame() and finish() may use nothing that lives on it.
    [[noreturn]] static void handOut(bool headless, std::function<bool(std::int64_t)> frame,
                                     std::function<int()> finish);
};

} // namespace qv

#endif
