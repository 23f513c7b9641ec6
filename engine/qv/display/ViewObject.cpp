#include "qv/display/ViewObject.h"

#include "qv/core/EventView.h"
#include "qv/core/LogManager.h"
#include "qv/display/DisplayManager.h"
#include "qv/world/WorldManager.h"

#include <string>

namespace qv {

namespace {

// Fractions of the view's width for the left, middle and right places.
constexpr float LEFT_FACTOR = 0.16666667f;
constexpr float MIDDLE_FACTOR = 0.5f;
constexpr float RIGHT_FACTOR = 0.8333333f;

} // namespace

ViewObject::ViewObject()
    : value(0), border(true), color(WHITE), location(TOP_LEFT), textStale(true) {
    setType("ViewObject");
    setSolidity(Solidity::Intangible);
    setAltitude(4);
    setLocation(TOP_LEFT);
}

int ViewObject::eventHandler(const Event* event) {
    if (event->getType() != EventView::TYPE) {
        return 0;
    }
    const auto* viewEvent = static_cast<const EventView*>(event);
    if (viewEvent->getLabel() != viewString) {
        return 0;
    }
    setValue(viewEvent->isRelative() ? value + viewEvent->getAmount() : viewEvent->getAmount());
    return 1;
}

int ViewObject::draw() {
    if (textStale) {
        shownText = border ? " " + viewString + " " + toString(value) + " "
                           : viewString + " " + toString(value);
        shownDashes.assign(shownText.size(), '-');
        textStale = false;
    }
    const Vector anchor = getPosition() + WorldManager::getInstance().getView().corner;
    const int length = static_cast<int>(shownText.size());
    const float left = anchor.x - static_cast<float>(length / 2);

    DisplayManager& display = DisplayManager::getInstance();
    display.drawString(Vector(left, anchor.y), shownText, LEFT, color);
    if (border) {
        // With an even length the right bar stands one column past the text,
        // while the dash rows stay as long as the text.
        display.drawCh(Vector(left, anchor.y), '|', color);
        display.drawCh(Vector(anchor.x + static_cast<float>(length / 2), anchor.y), '|', color);
        display.drawString(Vector(left, anchor.y + 1.0f), shownDashes, LEFT, color);
        display.drawString(Vector(left, anchor.y - 1.0f), shownDashes, LEFT, color);
    }
    return 0;
}

void ViewObject::setViewString(std::string newViewString) {
    viewString = std::move(newViewString);
    textStale = true;
}

std::string ViewObject::getViewString() const {
    return viewString;
}

void ViewObject::setValue(int newValue) {
    // Most values sent are the one already shown.
    textStale = textStale || newValue != value;
    value = newValue;
}

int ViewObject::getValue() const {
    return value;
}

void ViewObject::setColor(Color newColor) {
    color = newColor;
}

Color ViewObject::getColor() const {
    return color;
}

void ViewObject::setBorder(bool newBorder) {
    if (newBorder == border) {
        return;
    }
    border = newBorder;
    textStale = true;
    setLocation(location);
}

bool ViewObject::getBorder() const {
    return border;
}

void ViewObject::setLocation(ViewObjectLocation newLocation) {
    if (newLocation < TOP_LEFT || newLocation > BOTTOM_RIGHT) {
        return;
    }
    const Box view = WorldManager::getInstance().getView();
    const float width = view.horizontal;
    const float height = view.vertical;

    float x = 0.0f;
    switch (newLocation % 3) {
    case 0:
        x = width * LEFT_FACTOR;
        break;
    case 1:
        x = width * MIDDLE_FACTOR;
        break;
    default:
        x = width * RIGHT_FACTOR;
        break;
    }
    // The frame needs a row above and below the text, so top and bottom
    // places move one row inwards when it is on.
    float y = 0.0f;
    switch (newLocation / 3) {
    case 0:
        y = border ? 1.0f : 0.0f;
        break;
    case 1:
        y = height * MIDDLE_FACTOR;
        break;
    default:
        y = border ? height - 2.0f : height - 1.0f;
        break;
    }

    location = newLocation;
    setPosition(Vector(x, y));

    if (newLocation == BOTTOM_RIGHT) {
        LogManager& log = LogManager::getInstance();
        log.writeLog("\n%lf\n", static_cast<double>(height - 2.0f));
        log.setFlush(true);
    }
}

ViewObjectLocation ViewObject::getLocation() const {
    return location;
}

std::string toString(int i) {
    // Not a stream: a HUD calls this every frame, and a stream sets up a
    // locale each time, which costs the page several times the conversion.
    return std::to_string(i);
}

} // namespace qv
