#ifndef QV_CORE_ENVIRONMENT_H
#define QV_CORE_ENVIRONMENT_H

#include <ctime>
#include <functional>
#include <string>

namespace qv {

/// The values a game takes from its surroundings rather than from its input
/// (the calendar clock, whether there is sound), each under a name. Read
/// through here, a recording can store them and a replay give them back.
class Environment {
public:
    /// Gives the value to use for name, given its live value.
    using Override = std::function<long long(const std::string& name, long long live)>;

    /// The one environment, made on first use.
    static Environment& getInstance();

    /// The value under name: live, unless an override says otherwise.
    long long value(const std::string& name, long long live);

    /// The calendar time, as std::time(nullptr) gives it, under "time": what
    /// a game seeds its random numbers with.
    std::time_t calendarTime();

    /// Routes every value through override from now on (empty: live values).
    void setOverride(Override override);

private:
    Environment() = default;

    Override override;
};

} // namespace qv

#endif
