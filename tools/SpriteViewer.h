#ifndef QV_TOOLS_SPRITEVIEWER_H
#define QV_TOOLS_SPRITEVIEWER_H

#include "qv/world/Object.h"

#include <string>
#include <vector>

namespace qv {
class Sprite;
}

/// The heart of qv-sprite-view: shows one sprite file centred in the view,
/// animating at its own slowdown in its own colour above a status line, or
/// the loader's messages in red when the file does not load. It reloads
/// the file whenever it changes on disk, and ends the loop on Q, Escape or
/// a closed window.
class SpriteViewer : public qv::Object {
public:
    /// Steps between two looks at the file: about three looks a second.
    static constexpr int CHECK_EVERY = 10;

    /// Loads path at once. The resource manager must be started; the viewer
    /// empties it on every reload.
    explicit SpriteViewer(std::string path);

    /// Looks at the file every CHECK_EVERY steps; quits on Q and Escape.
    int eventHandler(const qv::Event* event) override;

    /// The sprite's current frame and the status line, or the messages.
    int draw() override;

    /// Loads the file again if its size, time or identity changed since the
    /// last load. True when it reloaded.
    bool reloadIfChanged();

    /// Loads the file again.
    void reload();

    /// The loaded sprite, or null when the file did not load.
    const qv::Sprite* getLoadedSprite() const;

    /// "label: L  frames: N  size: W x H  slowdown: S", or the failure.
    std::string statusLine() const;

    /// What the red text says when the file did not load, one row each.
    const std::vector<std::string>& getMessages() const;

private:
    std::string path;
    std::string label;
    std::string fileStamp;
    qv::Sprite* sprite;
    int result;
    std::vector<std::string> messages;
    int drawCountdown;
    int shownFrame;
};

#endif
