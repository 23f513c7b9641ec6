#ifndef QV_RESOURCES_FRAME_H
#define QV_RESOURCES_FRAME_H

#include <string>

namespace qv {

/// One picture of a sprite: width x height characters, row after row.
/// A frame with empty data marks "no frame".
class Frame {
public:
    Frame();
    Frame(int width, int height, std::string data);

    int getWidth() const;
    int getHeight() const;
    /// The characters; column x of row y is at y * width + x.
    const std::string& getData() const;
    bool isEmpty() const;

private:
    int width;
    int height;
    std::string data;
};

} // namespace qv

#endif
