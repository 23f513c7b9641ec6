#ifndef QV_RESOURCES_FRAME_H
#define QV_RESOURCES_FRAME_H

#include <string>

namespace qv {

/// One picture of a sprite: width x height characters, row after row.
/// A frame with empty data marks "no frame".
class Frame {
public:
    Frame();
    /// width x height characters, given row after row in data.
    Frame(int width, int height, std::string data);

    /// Columns.
    int getWidth() const;
    /// Rows.
    int getHeight() const;
    /// The characters; column x of row y is at y * width + x.
    const std::string& getData() const;
    /// True for "no frame": the data is empty.
    bool isEmpty() const;

private:
    int width;
    int height;
    std::string data;
};

} // namespace qv

#endif
