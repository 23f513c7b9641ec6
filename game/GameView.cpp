#include "GameView.h"

#include "GameEvents.h"
#include "GameRules.h"

int GameView::eventHandler(const qv::Event* event) {
    if (qv::ViewObject::eventHandler(event) == 1) {
        return 1;
    }
    if (event->getType() == EventEnd::TYPE) {
        removeLater(this);
    }
    return 0;
}
