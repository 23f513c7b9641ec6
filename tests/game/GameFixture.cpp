#include "GameFixture.h"

#include "GameEvents.h"

#include "core/EventView.h"

#include <algorithm>

int EventListener::eventHandler(const qv::Event* event) {
    types.push_back(event->getType());
    if (event->getType() == qv::EventView::TYPE) {
        const auto* view = static_cast<const qv::EventView*>(event);
        viewLabels.push_back(view->getLabel());
        viewAmounts.push_back(view->getAmount());
        viewRelative.push_back(view->isRelative());
    } else if (event->getType() == EventEnemyAttack::TYPE) {
        attackDamages.push_back(static_cast<const EventEnemyAttack*>(event)->getDamage());
    }
    return 0;
}

int EventListener::count(const std::string& type) const {
    return static_cast<int>(std::count(types.begin(), types.end(), type));
}
