#ifndef QV_TOOLS_SPRITELOADREPORT_H
#define QV_TOOLS_SPRITELOADREPORT_H

#include <string>
#include <vector>

/// One sprite file loaded with the engine's own loader, with what the
/// loader said about it. Shared by qv-sprite-check and qv-sprite-view.
struct SpriteLoadReport {
    /// loadSprite()'s result: 0 loaded, negative not.
    int result = 0;
    /// The loader's errors and warnings, with their line numbers, in order;
    /// progress messages left out.
    std::vector<std::string> notes;

    /// Loads path under label into the resource manager, catching the log's
    /// messages. The log is left redirected to nothing.
    static SpriteLoadReport load(const std::string& path, const std::string& label);
};

#endif
