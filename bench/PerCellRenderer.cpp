#include "PerCellRenderer.h"

#include "qv/display/DisplayManager.h"
#include "qv/world/WorldManager.h"

namespace qvbench {

PerCellRenderer::PerCellRenderer() : ready(font.loadFromFile("qv-font.ttf")), text("", font, 30) {}

bool PerCellRenderer::isReady() const {
    return ready;
}

void PerCellRenderer::drawCh(sf::RenderTarget& window, qv::Vector position, char ch,
                             qv::Color color) {
    const qv::DisplayManager& display = qv::DisplayManager::getInstance();
    const float width = static_cast<float>(display.getHorizontalPixels()) /
                        static_cast<float>(display.getHorizontalChars());
    const float height = static_cast<float>(display.getVerticalPixels()) /
                         static_cast<float>(display.getVerticalChars());
    const qv::Vector corner = qv::WorldManager::getInstance().getView().corner;
    const float px = (position.x - corner.x) * width;
    const float py = (position.y - corner.y) * height;

    background.setSize(sf::Vector2f(width, height));
    background.setFillColor(sf::Color::Black);
    background.setPosition(px - width / 10.0f, py + height / 5.0f);
    window.draw(background);

    text.setString(sf::String(ch));
    text.setStyle(sf::Text::Bold);
    text.setCharacterSize(static_cast<unsigned int>(2.0f * (width < height ? width : height)));
    text.setFillColor(qv::DisplayManager::toSfColor(color));
    text.setPosition(px, py);
    window.draw(text);
}

} // namespace qvbench
