#include "qv/core/EventOut.h"

namespace qv {

EventOut::EventOut() {
    setType(TYPE);
}

} // namespace qv
