#include "qv/replay/ReplayInput.h"

#include "qv/replay/ReplaySession.h"

namespace qv {

void ReplayInput::collect(std::vector<InputEvent>& events) {
    records.clear();
    ReplaySession::getInstance().takeInput(records);
    for (const ReplayRecord& record : records) {
        events.push_back(record.toInput());
    }
}

} // namespace qv
