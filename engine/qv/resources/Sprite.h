#ifndef QV_RESOURCES_SPRITE_H
#define QV_RESOURCES_SPRITE_H

#include "qv/resources/Frame.h"
#include "qv/world/Vector.h"

#include <string>

namespace qv {

/// A named, multi-frame character picture drawn in one colour. Sprites are
/// owned by the resource manager; objects share them by pointer.
class Sprite {
public:
    /// The most frame slots a sprite may ask for; larger counts are treated as
    /// unallocatable, so a corrupt count cannot claim gigabytes of memory.
    static constexpr int MAX_FRAMES = 1 << 20;

    /// Allocates maxFrames frame slots. A negative or unallocatable count is
    /// logged ("Error: could not allocate") and leaves no slots.
    explicit Sprite(int maxFrames);
    ~Sprite();

    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    /// Columns of every frame.
    int getWidth() const;
    /// Sets getWidth().
    void setWidth(int newWidth);
    /// Rows of every frame.
    int getHeight() const;
    /// Sets getHeight().
    void setHeight(int newHeight);
    /// A qv::Color value.
    int getColor() const;
    /// Sets the colour; every object drawing the sprite shows it at once.
    void setColor(int newColor);
    /// Draws per frame of animation; 0 and 1 advance on every draw.
    int getSlowdown() const;
    /// Sets getSlowdown().
    void setSlowdown(int newSlowdown);
    /// The label the registry finds it by.
    std::string getLabel() const;
    /// Whether getLabel() is text, without copying the label.
    bool hasLabel(const std::string& text) const;
    /// Set by the loader.
    void setLabel(std::string newLabel);
    /// Frames stored so far.
    int getFrameCount() const;
    /// Frame slots allocated.
    int getMaxFrameCount() const;

    /// Copies the frame into the next slot; -1 when all slots are used.
    int storeFrame(const Frame& frame);

    /// A copy of frame index; an empty frame for an index out of range.
    Frame getFrame(int index) const;

    /// Draws frame index centred on a world position; -1 if there is no such frame.
    int drawFrame(int index, Vector position) const;

private:
    int width;
    int height;
    int maxFrameCount;
    int frameCount;
    int color;
    int slowdown;
    Frame* frames;
    std::string label;
};

} // namespace qv

#endif
