#include "qv/resources/Sprite.h"

#include "qv/core/LogManager.h"
#include "qv/display/Color.h"
#include "qv/display/DisplayManager.h"

#include <new>
#include <utility>

namespace qv {

Sprite::Sprite(int maxFrames)
    : width(0), height(0), maxFrameCount(0), frameCount(0), color(WHITE), slowdown(0),
      frames(nullptr) {
    if (maxFrames >= 0 && maxFrames <= MAX_FRAMES) {
        frames = new (std::nothrow) Frame[static_cast<std::size_t>(maxFrames)];
    }
    if (frames == nullptr) {
        LogManager::getInstance().writeLog("Error: could not allocate\n");
        return;
    }
    maxFrameCount = maxFrames;
}

Sprite::~Sprite() {
    delete[] frames;
}

int Sprite::getWidth() const {
    return width;
}

void Sprite::setWidth(int newWidth) {
    width = newWidth;
}

int Sprite::getHeight() const {
    return height;
}

void Sprite::setHeight(int newHeight) {
    height = newHeight;
}

int Sprite::getColor() const {
    return color;
}

void Sprite::setColor(int newColor) {
    color = newColor;
}

int Sprite::getSlowdown() const {
    return slowdown;
}

void Sprite::setSlowdown(int newSlowdown) {
    slowdown = newSlowdown;
}

std::string Sprite::getLabel() const {
    return label;
}

bool Sprite::hasLabel(const std::string& text) const {
    return label == text;
}

void Sprite::setLabel(std::string newLabel) {
    label = std::move(newLabel);
}

int Sprite::getFrameCount() const {
    return frameCount;
}

int Sprite::getMaxFrameCount() const {
    return maxFrameCount;
}

int Sprite::storeFrame(const Frame& frame) {
    if (frameCount >= maxFrameCount) {
        return -1;
    }
    frames[frameCount] = frame;
    ++frameCount;
    return 0;
}

Frame Sprite::getFrame(int index) const {
    if (index < 0 || index >= frameCount) {
        return Frame();
    }
    return frames[index];
}

int Sprite::drawFrame(int index, Vector position) const {
    if (index < 0 || index >= frameCount) {
        return -1;
    }
    const Frame& frame = frames[index];
    if (frame.isEmpty()) {
        return -1;
    }
    const int frameWidth = frame.getWidth();
    const int frameHeight = frame.getHeight();
    const std::string& data = frame.getData();
    // A hand-made frame may promise more cells than it holds; 64-bit product
    // so that no size can overflow the check itself.
    if (frameWidth > 0 && frameHeight > 0 &&
        static_cast<long long>(frameWidth) * frameHeight > static_cast<long long>(data.size())) {
        return -1;
    }
    DisplayManager::getInstance().drawBlock(position, frameWidth, frameHeight, data.data(),
                                            static_cast<Color>(color));
    return 0;
}

} // namespace qv
