#include "qv/replay/ReplaySession.h"

#include "qv/core/Environment.h"
#include "qv/core/GameManager.h"
#include "qv/core/LogManager.h"
#include "qv/display/InputManager.h"
#include "qv/display/InputObserver.h"
#include "qv/replay/ReplayInput.h"
#include "qv/resources/Sprite.h"
#include "qv/world/Object.h"
#include "qv/world/ObjectList.h"
#include "qv/world/WorldManager.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace qv {

namespace {

// The value that marks a run ended from outside, by a signal.
const char* const STOP_VALUE = "stop";

// 64-bit FNV-1a: cheap, and a replay only needs to notice a difference.
constexpr std::uint64_t FNV_START = 0xcbf29ce484222325ull;

void mix(std::uint64_t& hash, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ bytes[i]) * 0x100000001b3ull;
    }
}

void mixString(std::uint64_t& hash, const std::string& text) {
    mix(hash, text.c_str(), text.size() + 1);
}

template <typename T> void mixValue(std::uint64_t& hash, T value) {
    mix(hash, &value, sizeof value);
}

std::uint32_t bitsOf(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float floatOf(std::uint64_t bits) {
    const auto low = static_cast<std::uint32_t>(bits);
    float value = 0;
    std::memcpy(&value, &low, sizeof value);
    return value;
}

std::string placeText(std::uint64_t place) {
    char text[64];
    std::snprintf(text, sizeof text, "(%g, %g)", static_cast<double>(floatOf(place >> 32)),
                  static_cast<double>(floatOf(place)));
    return text;
}

// What an object record holds of an object: what the world digest covers.
ReplayRecord objectRecord(const Object& object, int frame) {
    ReplayRecord record;
    record.kind = ReplayRecord::OBJECT;
    record.frame = frame;
    record.id = object.getId();
    record.typeDigest = FNV_START;
    mixString(record.typeDigest, object.getType());
    record.place = static_cast<std::uint64_t>(bitsOf(object.getPosition().x)) << 32 |
                   bitsOf(object.getPosition().y);
    record.lookDigest = FNV_START;
    const Sprite* sprite = object.getSprite();
    mixString(record.lookDigest, sprite != nullptr ? sprite->getLabel() : std::string());
    mixValue(record.lookDigest, object.getFrameIndex());
    return record;
}

// Frames are counted and input recorded where input becomes engine events.
class SessionInput : public InputObserver {
public:
    void beginFrame() override { ReplaySession::getInstance().beginFrame(); }
    void heard(const InputEvent& event) override {
        ReplaySession::getInstance().recordInput(ReplayRecord::input(event));
    }
};

SessionInput sessionInput;

} // namespace

ReplaySession::ReplaySession()
    : mode(Mode::LIVE), frame(0), framesRun(0), lastCheckFrame(0), messages(0),
      logDigest(FNV_START), nextInput(0), nextValue(0), nextCheckpoint(0), hasEnd(false),
      stopped(false), lastFrame(0), stopFrame(-1), checks(0), mismatches(0), firstMismatchFrame(-1),
      reportedFull(false) {
    InputManager::getInstance().setObserver(&sessionInput);
}

void ReplaySession::takeEnvironment() {
    // Only while recording or replaying: a test that fixes the clock itself
    // keeps its own override whenever the session is first made.
    Environment::getInstance().setOverride(
        [this](const std::string& name, long long live) { return environment(name, live); });
}

void ReplaySession::startRun() {
    frame = framesRun = lastCheckFrame = 0;
    startLogWindow();
    records.clear();
    objectRecords.clear();
    inputs.clear();
    values.clear();
    checkpoints.clear();
    nextInput = nextValue = nextCheckpoint = 0;
    hasEnd = false;
    stopped = false;
    lastFrame = 0;
    stopFrame = -1;
    checks = mismatches = 0;
    firstMismatchFrame = -1;
    firstMismatch.clear();
    error.clear();
    note.clear();
    reportedFull = false;
}

ReplaySession& ReplaySession::getInstance() {
    static ReplaySession instance;
    return instance;
}

int ReplaySession::startRecording(const std::string& path, std::size_t maxBytes) {
    startRun();
    recordPath = path;
    if (writer.open(path, maxBytes) != 0) {
        error = path + ": " + writer.getError();
        return -1;
    }
    mode = Mode::RECORDING;
    LogManager::getInstance().setObserver(&ReplaySession::hearLog, this);
    takeEnvironment();
    return 0;
}

int ReplaySession::startReplay(const std::string& path) {
    startRun();
    ReplayReader reader;
    if (reader.read(path) != 0) {
        error = path + ": " + reader.getError();
        return -1;
    }
    records = reader.getRecords();
    for (const ReplayRecord& record : records) {
        switch (record.kind) {
        case ReplayRecord::KEY:
        case ReplayRecord::MOUSE:
            inputs.push_back(record);
            break;
        case ReplayRecord::VALUE:
            if (record.name == STOP_VALUE) {
                stopFrame = record.frame;
            } else {
                values.push_back(record);
            }
            break;
        case ReplayRecord::CHECKPOINT:
            checkpoints.push_back(record);
            break;
        case ReplayRecord::OBJECT:
            objectRecords.push_back(record);
            break;
        case ReplayRecord::END:
            end = record;
            break;
        }
    }
    hasEnd = reader.hasEnd();
    lastFrame = reader.getLastFrame();
    if (!hasEnd) {
        const std::string cut =
            reader.getCutLine() == 0
                ? std::string()
                : ", its line " + std::to_string(reader.getCutLine()) + " cut short";
        note = lastFrame < 0 ? "the recording stops before its first frame" + cut +
                                   " (killed while starting?): nothing to play"
                             : "the recording stops after frame " + std::to_string(lastFrame) +
                                   cut + " (killed?): playing up to there";
    }
    stopped = false;
    mode = Mode::REPLAYING;
    InputManager::getInstance().setSource(std::make_unique<ReplayInput>());
    LogManager::getInstance().setObserver(&ReplaySession::hearLog, this);
    takeEnvironment();
    return 0;
}

ReplaySession::Mode ReplaySession::getMode() const {
    return mode;
}

void ReplaySession::hearLog(const char* text, void* context) {
    auto* session = static_cast<ReplaySession*>(context);
    ++session->messages;
    mix(session->logDigest, text, std::strlen(text) + 1);
    if (session->mode == Mode::REPLAYING) {
        session->windowMessages.emplace_back(text);
    }
}

std::string ReplaySession::findNewMessage(std::uint64_t recordedDigest) const {
    // The recording keeps only a digest of its messages, so the one message
    // this run has in addition is found by leaving each out in turn.
    std::uint64_t before = FNV_START;
    for (std::size_t left = 0; left < windowMessages.size(); ++left) {
        std::uint64_t without = before;
        for (std::size_t i = left + 1; i < windowMessages.size(); ++i) {
            mixString(without, windowMessages[i]);
        }
        if (without == recordedDigest) {
            std::string text = windowMessages[left];
            while (!text.empty() && text.back() == '\n') {
                text.pop_back();
            }
            return text;
        }
        mixString(before, windowMessages[left]);
    }
    return "";
}

std::uint64_t ReplaySession::worldDigest() const {
    std::uint64_t digest = FNV_START;
    const ObjectList all = WorldManager::getInstance().getAllObjects();
    for (int i = 0; i < all.getCount(); ++i) {
        const Object* object = all[i];
        mixValue(digest, object->getId());
        mixString(digest, object->getType());
        mixValue(digest, object->getPosition().x);
        mixValue(digest, object->getPosition().y);
        const Sprite* sprite = object->getSprite();
        mixString(digest, sprite != nullptr ? sprite->getLabel() : std::string());
        mixValue(digest, object->getFrameIndex());
    }
    return digest;
}

ReplayRecord ReplaySession::takeDigest(ReplayRecord::Kind kind) {
    ReplayRecord digest;
    digest.kind = kind;
    digest.frame = frame;
    digest.worldDigest = worldDigest();
    digest.objects = WorldManager::getInstance().getAllObjects().getCount();
    digest.messages = messages;
    digest.logDigest = logDigest;
    return digest;
}

void ReplaySession::mismatch(const std::string& what) {
    if (mismatches++ == 0) {
        firstMismatchFrame = frame;
        firstMismatch = "frame " + std::to_string(frame) + ": " + what;
    }
}

void ReplaySession::compare(const ReplayRecord& ours, const ReplayRecord& recorded) {
    ++checks;
    if (ours.objects != recorded.objects || ours.worldDigest != recorded.worldDigest) {
        mismatch("the world differs (" + std::to_string(ours.objects) + " objects, recorded " +
                 std::to_string(recorded.objects) + ")" +
                 (recorded.kind == ReplayRecord::CHECKPOINT ? whichObject(recorded.frame) : ""));
    } else if (ours.messages != recorded.messages || ours.logDigest != recorded.logDigest) {
        std::string which;
        if (mismatches == 0 && ours.messages == recorded.messages + 1) {
            const std::string added = findNewMessage(recorded.logDigest);
            which = added.empty() ? "" : ": '" + added + "' is new";
        } else if (ours.messages + 1 == recorded.messages) {
            which = ": one recorded message is missing";
        }
        mismatch("the log since frame " + std::to_string(lastCheckFrame) + " differs (" +
                 std::to_string(ours.messages) + " messages, recorded " +
                 std::to_string(recorded.messages) + ")" + which);
    }
}

std::string ReplaySession::whichObject(int at) const {
    const auto first = std::lower_bound(
        objectRecords.begin(), objectRecords.end(), at,
        [](const ReplayRecord& record, int frame) { return record.frame < frame; });
    auto recorded = first;
    const ObjectList all = WorldManager::getInstance().getAllObjects();
    for (int i = 0;
         i < all.getCount() || (recorded != objectRecords.end() && recorded->frame == at);
         ++i, ++recorded) {
        const bool inFile = recorded != objectRecords.end() && recorded->frame == at;
        if (recorded == first && !inFile) {
            return ""; // a file without objects (version 1) tells no more
        }
        const std::string which = ": object " + std::to_string(i) + " in the list";
        if (i >= all.getCount()) {
            return which + " (id " + std::to_string(recorded->id) + ") is missing";
        }
        const Object& object = *all[i];
        const std::string named =
            which + " (" + object.getType() + ", id " + std::to_string(object.getId()) + ")";
        if (!inFile) {
            return named + " is new";
        }
        const ReplayRecord here = objectRecord(object, at);
        if (here.id != recorded->id) {
            return named + " has recorded id " + std::to_string(recorded->id);
        }
        if (here.typeDigest != recorded->typeDigest) {
            return named + " has another type than the recorded one";
        }
        if (here.place != recorded->place) {
            return named + " is at " + placeText(here.place) + ", recorded at " +
                   placeText(recorded->place);
        }
        if (here.lookDigest != recorded->lookDigest) {
            const Sprite* sprite = object.getSprite();
            return named + " shows sprite '" + (sprite != nullptr ? sprite->getLabel() : "") +
                   "' frame " + std::to_string(object.getFrameIndex()) +
                   ", not the recorded sprite and frame";
        }
    }
    return "";
}

void ReplaySession::startLogWindow() {
    messages = 0;
    logDigest = FNV_START;
    windowMessages.clear();
}

int ReplaySession::beginFrame() {
    frame = framesRun++;
    if (mode == Mode::LIVE) {
        return frame;
    }
    if (frame % CHECKPOINT_FRAMES == 0) {
        const ReplayRecord ours = takeDigest(ReplayRecord::CHECKPOINT);
        if (mode == Mode::RECORDING) {
            writer.write(ours);
            const ObjectList all = WorldManager::getInstance().getAllObjects();
            for (int i = 0; i < all.getCount(); ++i) {
                writer.write(objectRecord(*all[i], frame));
            }
        } else {
            while (nextCheckpoint < checkpoints.size() &&
                   checkpoints[nextCheckpoint].frame < frame) {
                ++nextCheckpoint;
            }
            if (nextCheckpoint < checkpoints.size() && checkpoints[nextCheckpoint].frame == frame) {
                compare(ours, checkpoints[nextCheckpoint++]);
            }
        }
        startLogWindow();
        lastCheckFrame = frame;
    }
    if (mode == Mode::RECORDING) {
        writer.flush();
        if (writer.isFull() && !reportedFull) {
            reportedFull = true;
            std::fprintf(stderr,
                         "Recording stopped at frame %d: %s reached the replay file limit; the "
                         "game goes on.\n",
                         frame, recordPath.c_str());
        }
    } else if (frame >= lastFrame || frame == stopFrame) {
        // The replay ends where the recording does: cut off, stopped by a
        // signal, or ended, also by a closed window, which no input shows.
        GameManager::getInstance().setGameOver();
    }
    return frame;
}

int ReplaySession::getFrame() const {
    return frame;
}

void ReplaySession::recordInput(const ReplayRecord& event) {
    if (mode == Mode::RECORDING) {
        ReplayRecord stamped = event;
        stamped.frame = frame;
        writer.write(stamped);
    }
}

void ReplaySession::takeInput(std::vector<ReplayRecord>& events) {
    while (nextInput < inputs.size() && inputs[nextInput].frame <= frame) {
        if (inputs[nextInput].frame == frame) {
            events.push_back(inputs[nextInput]);
        }
        ++nextInput;
    }
}

long long ReplaySession::environment(const std::string& name, long long live) {
    if (mode == Mode::RECORDING) {
        ReplayRecord record;
        record.kind = ReplayRecord::VALUE;
        record.frame = frame;
        record.name = name;
        record.value = live;
        writer.write(record);
    }
    if (mode != Mode::REPLAYING) {
        return live;
    }
    if (nextValue >= values.size()) {
        mismatch("the game read '" + name + "', the recording has no more values");
        return live;
    }
    const ReplayRecord& recorded = values[nextValue++];
    if (recorded.name != name || recorded.frame != frame) {
        mismatch("the game read '" + name + "', the recording has '" + recorded.name +
                 "' at frame " + std::to_string(recorded.frame));
    }
    return recorded.name == name ? recorded.value : live;
}

std::time_t ReplaySession::calendarTime() {
    return Environment::getInstance().calendarTime();
}

int ReplaySession::finish() {
    LogManager::getInstance().setObserver(nullptr, nullptr);
    if (mode != Mode::LIVE) {
        Environment::getInstance().setOverride(nullptr);
    }
    if (mode == Mode::RECORDING) {
        if (GameManager::getInstance().wasStopped()) {
            // Ended from outside the game: a replay cannot tell where else.
            ReplayRecord stop;
            stop.kind = ReplayRecord::VALUE;
            stop.frame = frame;
            stop.name = STOP_VALUE;
            stop.value = 1;
            writer.write(stop);
        }
        writer.write(takeDigest(ReplayRecord::END));
        startLogWindow();
        mode = Mode::LIVE;
        if (writer.close() != 0) {
            error = writer.getError();
            return -1;
        }
        return 0;
    }
    if (mode != Mode::REPLAYING) {
        return 0;
    }
    mode = Mode::LIVE;
    InputManager::getInstance().setSource(nullptr);
    if (hasEnd && !stopped) {
        // The replay is ended at the recording's end frame, so it cannot
        // go on past it; the end digest tells whether it got there alike.
        if (frame < end.frame) {
            mismatch("the game ended, the recorded one went on to frame " +
                     std::to_string(end.frame));
        } else {
            compare(takeDigest(ReplayRecord::END), end);
        }
    }
    startLogWindow();
    return mismatches == 0 && ranToEnd() ? 0 : -1;
}

int ReplaySession::getFramesRun() const {
    return framesRun;
}

int ReplaySession::getLastFrame() const {
    return mode == Mode::REPLAYING ? lastFrame : 0;
}

void ReplaySession::rewind() {
    frame = framesRun = lastCheckFrame = 0;
    startLogWindow();
    nextInput = nextValue = nextCheckpoint = 0;
    stopped = false;
    checks = mismatches = 0;
    firstMismatchFrame = -1;
    firstMismatch.clear();
}

int ReplaySession::takeOver(const std::string& path) {
    if (mode != Mode::REPLAYING) {
        return 0;
    }
    if (!path.empty()) {
        if (writer.open(path) != 0) {
            error = path + ": " + writer.getError();
            return -1;
        }
        recordPath = path;
        // The frames played so far as the file has them; the values read in
        // them were the recorded ones, so the new file reads back alike.
        for (const ReplayRecord& record : records) {
            if (record.frame > frame || record.kind == ReplayRecord::END ||
                (record.kind == ReplayRecord::VALUE && record.name == STOP_VALUE)) {
                continue;
            }
            writer.write(record);
        }
    }
    // Ended early at the player's request: nothing is missing.
    stopped = true;
    mode = path.empty() ? Mode::LIVE : Mode::RECORDING;
    InputManager::getInstance().setSource(nullptr);
    return 0;
}

int ReplaySession::getFirstMismatchFrame() const {
    return firstMismatchFrame;
}

int ReplaySession::getChecks() const {
    return checks;
}

int ReplaySession::getMismatches() const {
    return mismatches;
}

const std::string& ReplaySession::getFirstMismatch() const {
    return firstMismatch;
}

bool ReplaySession::ranToEnd() const {
    return lastFrame < 0 || (framesRun > 0 && (stopped || frame >= lastFrame));
}

bool ReplaySession::hasFramesToPlay() const {
    return mode != Mode::REPLAYING || lastFrame >= 0;
}

const std::string& ReplaySession::getNote() const {
    return note;
}

void ReplaySession::stopReplay() {
    if (mode == Mode::REPLAYING) {
        stopped = true;
    }
}

const std::string& ReplaySession::getError() const {
    return error;
}

} // namespace qv
