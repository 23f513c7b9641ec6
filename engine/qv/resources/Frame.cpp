#include "qv/resources/Frame.h"

#include <utility>

namespace qv {

Frame::Frame() : width(0), height(0) {}

Frame::Frame(int width, int height, std::string data)
    : width(width), height(height), data(std::move(data)) {}

int Frame::getWidth() const {
    return width;
}

int Frame::getHeight() const {
    return height;
}

const std::string& Frame::getData() const {
    return data;
}

bool Frame::isEmpty() const {
    return data.empty();
}

} // namespace qv
