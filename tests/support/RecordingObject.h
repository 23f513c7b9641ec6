#ifndef QV_TESTS_SUPPORT_RECORDINGOBJECT_H
#define QV_TESTS_SUPPORT_RECORDINGOBJECT_H

#include "qv/core/Event.h"
#include "qv/world/Object.h"

#include <functional>
#include <string>
#include <vector>

namespace qvtest {

/// An object that notes the events and draws that reach it ("qv::step",
/// "draw"), also as "<id>:<what>" in a shared journal, and runs onEvent on each.
class RecordingObject : public qv::Object {
public:
    explicit RecordingObject(std::vector<std::string>* journal = nullptr) : journal(journal) {}
    ~RecordingObject() override {
        if (destroyedCount != nullptr) {
            ++*destroyedCount;
        }
    }
    int eventHandler(const qv::Event* event) override {
        note(event->getType());
        if (onEvent) {
            onEvent(*this, event);
        }
        return 1;
    }
    int draw() override {
        note("draw");
        return 0;
    }

    std::function<void(RecordingObject&, const qv::Event*)> onEvent;
    int* destroyedCount = nullptr; // incremented by the destructor
    std::vector<std::string> received;

private:
    void note(const std::string& what) {
        received.push_back(what);
        if (journal != nullptr) {
            journal->push_back(std::to_string(getId()) + ":" + what);
        }
    }
    std::vector<std::string>* journal;
};

} // namespace qvtest

#endif
