#ifndef QV_DISPLAY_VIEWOBJECT_H
#define QV_DISPLAY_VIEWOBJECT_H

#include "qv/display/Color.h"
#include "qv/world/Object.h"

#include <string>

namespace qv {

/// The nine places of the view a HUD object can be anchored at.
enum ViewObjectLocation : int {
    TOP_LEFT = 0,
    TOP_CENTER,
    TOP_RIGHT,
    CENTER_LEFT,
    CENTER_CENTER,
    CENTER_RIGHT,
    BOTTOM_LEFT,
    BOTTOM_CENTER,
    BOTTOM_RIGHT,
};

/// A HUD counter: a label and a value drawn at a fixed place of the view,
/// framed or not, changed by view events that carry its label.
class ViewObject : public Object {
public:
    /// Intangible, altitude 4, white, framed, at TOP_LEFT.
    ViewObject();

    /// Takes view events whose label equals the view string: 1 when it did.
    int eventHandler(const Event* event) override;

    /// Draws " label value " centred on the anchor, with the frame if on.
    int draw() override;

    /// Sets the label shown before the value, which view events must carry.
    void setViewString(std::string newViewString);
    /// The label text.
    std::string getViewString() const;
    /// Sets the number shown.
    void setValue(int newValue);
    /// The number shown.
    int getValue() const;
    /// Sets the colour of the text and the frame.
    void setColor(Color newColor);
    /// The colour of the text and the frame.
    Color getColor() const;
    /// Turning the frame on or off moves top and bottom objects one row.
    void setBorder(bool newBorder);
    /// Whether the frame is drawn.
    bool getBorder() const;
    /// Places the object in the current view; values outside 0..8 are ignored.
    void setLocation(ViewObjectLocation newLocation);
    /// Where the object is anchored.
    ViewObjectLocation getLocation() const;

private:
    std::string viewString;
    int value;
    bool border;
    Color color;
    ViewObjectLocation location;
    // The text as drawn, remade only when what it shows changes: it is
    // drawn every frame and changes seldom.
    std::string shownText;
    std::string shownDashes;
    bool textStale;
};

/// The decimal text of i.
std::string toString(int i);

} // namespace qv

#endif
