#ifndef QV_CORE_MANAGER_H
#define QV_CORE_MANAGER_H

#include <string>

namespace qv {

class Event;

/// Base of every engine service. Each concrete manager exists once, reached
/// through its class's getInstance(), and is started and stopped explicitly:
/// constructing an instance does not start it and destroying it does not stop it.
class Manager {
public:
    Manager();
    virtual ~Manager() = default;

    Manager(const Manager&) = delete;
    Manager& operator=(const Manager&) = delete;

    /// Starts the service. 0 on success, -1 on failure.
    virtual int startUp();

    /// Stops the service.
    virtual void shutDown();

    /// The concrete class's name, such as "WorldManager".
    std::string getType() const;
    /// Sets the name getType() returns; each manager sets its own once.
    void setType(std::string newType);

    /// True between a successful startUp() and shutDown().
    bool isStarted() const;

    /// Hands the event to every object in the world, in list order, over a
    /// snapshot of the list: objects created meanwhile do not receive it.
    /// Returns the number of objects the event was handed to.
    int onEvent(const Event* event) const;

protected:
    /// For subclasses that start or stop without the base versions.
    void setStarted(bool isNowStarted);

private:
    std::string type;
    bool started;
};

} // namespace qv

#endif
