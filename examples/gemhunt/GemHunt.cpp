#include "GemHunt.h"

#include <qv/qv.h>


namespace {

constexpr int GEMS_PER_ROUND = 6;
// The room fills the grid below the HUD's three rows.
constexpr int ROOM_LEFT = 0;
constexpr int ROOM_TOP = 3;
constexpr int ROOM_RIGHT = 79;
constexpr int ROOM_BOTTOM = 23;

bool insideRoom(qv::Vector where, int margin) {
    return where.x >= ROOM_LEFT + margin && where.x <= ROOM_RIGHT - margin &&
           where.y >= ROOM_TOP + margin && where.y <= ROOM_BOTTOM - margin;
}

/// The walls, drawn under everything else.
class Room : public qv::Object {
public:
    Room() {
        setType("room");
        setSolidity(qv::Solidity::Intangible);
        setAltitude(0);
    }

    int draw() override {
        qv::DisplayManager& display = qv::DisplayManager::getInstance();
        for (int x = ROOM_LEFT; x <= ROOM_RIGHT; ++x) {
            display.drawCh(qv::Vector(x, ROOM_TOP), '=', qv::BLUE);
            display.drawCh(qv::Vector(x, ROOM_BOTTOM), '=', qv::BLUE);
        }
        for (int y = ROOM_TOP + 1; y < ROOM_BOTTOM; ++y) {
            display.drawCh(qv::Vector(ROOM_LEFT, y), '|', qv::BLUE);
            display.drawCh(qv::Vector(ROOM_RIGHT, y), '|', qv::BLUE);
        }
        return 0;
    }
};

/// Something to pick up: it tells the HUD and chimes when the explorer
/// walks into it, then leaves the world.
class Gem : public qv::Object {
public:
    explicit Gem(qv::Vector where) {
        setType("gem");
        setSprite("gem");
        setSolidity(qv::Solidity::Passable);
        setPosition(where);
    }

    int eventHandler(const qv::Event* event) override {
        if (event->getType() != qv::EventCollision::TYPE || taken) {
            return 0;
        }
        taken = true;
        qv::WorldManager& world = qv::WorldManager::getInstance();
        world.markForDelete(this);
        const qv::EventView found("Gems", 1, true);
        world.onEvent(&found);
        if (qv::Sound* chime = qv::ResourceManager::getInstance().findSound("pickup")) {
            chime->play();
        }
        return 1;
    }

private:
    bool taken = false;
};

// Seeded from the engine's clock, so a replay scatters the gems alike; its
// numbers are the same with every standard library, unlike std::rand's.
qv::Random gemPlaces;

/// Scatters a round of gems across the room, away from the explorer.
void scatterGems(qv::Vector explorer) {
    for (int placed = 0; placed < GEMS_PER_ROUND;) {
        // Two statements: the order a compiler evaluates arguments in is its
        // own, and a replay on another build would place the gems elsewhere.
        const int column = ROOM_LEFT + 2 + gemPlaces.next() % 76;
        const int row = ROOM_TOP + 2 + gemPlaces.next() % 17;
        const qv::Vector where(static_cast<float>(column), static_cast<float>(row));
        if ((where - explorer).getLength() > 6) {
            new Gem(where);
            ++placed;
        }
    }
    const qv::EventView round("Round", 1, true);
    qv::WorldManager::getInstance().onEvent(&round);
}

/// The player: walks one cell per frame while a key is held.
class Explorer : public qv::Object {
public:
    Explorer() {
        setType("explorer");
        setSprite("explorer");
        setPosition(qv::Vector(40, 13));
    }

    int eventHandler(const qv::Event* event) override {
        if (event->getType() == qv::EventStep::TYPE) {
            // Gems leave the world at the next update, so "none left" is
            // seen one frame after the last was taken.
            if (qv::WorldManager::getInstance().objectsOfType("gem").isEmpty()) {
                scatterGems(getPosition());
            }
            return 1;
        }
        if (event->getType() != qv::EventKeyboard::TYPE) {
            return 0;
        }
        const auto* keyboard = static_cast<const qv::EventKeyboard*>(event);
        if (keyboard->getKeyboardAction() == qv::KeyboardAction::RELEASED) {
            return 1;
        }
        switch (keyboard->getKey()) {
        case qv::Keyboard::A:
            walk(qv::Vector(-1, 0));
            break;
        case qv::Keyboard::D:
            walk(qv::Vector(1, 0));
            break;
        case qv::Keyboard::W:
            walk(qv::Vector(0, -1));
            break;
        case qv::Keyboard::S:
            walk(qv::Vector(0, 1));
            break;
        case qv::Keyboard::Q:
            qv::GameManager::getInstance().setGameOver();
            break;
        default:
            break;
        }
        return 1;
    }

private:
    void walk(qv::Vector step) {
        const qv::Vector target = getPosition() + step;
        // The sprite is 3 x 2 around its position: keep it off the walls.
        if (insideRoom(target, 2)) {
            qv::WorldManager::getInstance().moveObject(this, target);
        }
    }
};

/// A framed HUD counter at the top of the screen.
void addCounter(const char* label, qv::ViewObjectLocation where, qv::Color color) {
    auto* counter = new qv::ViewObject;
    counter->setViewString(label);
    counter->setLocation(where);
    counter->setColor(color);
}

} // namespace

int startGemHunt() {
    gemPlaces.seed(static_cast<unsigned>(qv::Environment::getInstance().calendarTime()));
    qv::ResourceManager& resources = qv::ResourceManager::getInstance();
    if (resources.loadSprite("Sprites/explorer-spr.txt", "explorer") != 0 ||
        resources.loadSprite("Sprites/gem-spr.txt", "gem") != 0) {
        return 1; // the log says why
    }
    resources.loadSound("Audio/pickup.wav", "pickup"); // silent without it

    new Room;
    addCounter("Gems", qv::TOP_LEFT, qv::YELLOW);
    addCounter("Round", qv::TOP_RIGHT, qv::WHITE);
    new Explorer; // scatters the first round of gems on its first step
    return 0;
}
