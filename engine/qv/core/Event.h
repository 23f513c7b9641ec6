#ifndef QV_CORE_EVENT_H
#define QV_CORE_EVENT_H

#include <string>

namespace qv {

/// Base of every event: a small value with a type string. Handlers compare
/// the type string first and convert to the concrete class only on a match.
class Event {
public:
    Event();
    virtual ~Event() = default;

    /// The kind of event, such as "qv::step"; "qv::undefined" by default.
    std::string getType() const;
    /// Set by each event class's constructor to its TYPE.
    void setType(std::string newType);

private:
    std::string type;
};

} // namespace qv

#endif
