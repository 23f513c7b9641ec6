#ifndef QV_TESTS_SUPPORT_RECORDINGOBJECT_H
#define QV_TESTS_SUPPORT_RECORDINGOBJECT_H

#include "world/Object.h"

#include <functional>
#include <string>
#include <vector>

namespace qvtest {

/// An object that writes what happens to it into a shared journal, such as
/// "3:qv::step" or "3:draw", and can run a test's action on each event.
class RecordingObject : public qv::Object {
public:
    explicit RecordingObject(std::vector<std::string>* journal = nullptr);
    ~RecordingObject() override;

    int eventHandler(const qv::Event* event) override;
    int draw() override;

    /// Run on every event after it is recorded.
    std::function<void(RecordingObject&, const qv::Event*)> onEvent;
    /// Incremented by the destructor.
    int* destroyedCount = nullptr;

    std::vector<std::string> received;

private:
    void note(const std::string& what);

    std::vector<std::string>* journal;
};

} // namespace qvtest

#endif
