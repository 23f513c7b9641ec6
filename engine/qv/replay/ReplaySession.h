#ifndef QV_REPLAY_REPLAYSESSION_H
#define QV_REPLAY_REPLAYSESSION_H

#include "qv/replay/ReplayReader.h"
#include "qv/replay/ReplayRecord.h"
#include "qv/replay/ReplayWriter.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace qv {

/// Everything that makes one run differ from another passes through here:
/// the input events the objects are given and the values the game takes from
/// its surroundings (the calendar clock). A run is live (the default),
/// recorded to a replay file, or replayed from one; while recording or
/// replaying, a checkpoint every CHECKPOINT_FRAMES frames digests the world
/// and the log messages since the last one, and a replay compares its own
/// checkpoints with the recorded ones.
class ReplaySession {
public:
    /// How the current run's input and values come about.
    enum class Mode {
        LIVE,      ///< from the player and the machine
        RECORDING, ///< live, and written to a replay file
        REPLAYING, ///< from a replay file
    };

    /// Frames between two checkpoints.
    static constexpr int CHECKPOINT_FRAMES = 30;

    /// The one session, made on first use; from then on it observes the
    /// input manager's frames and events.
    static ReplaySession& getInstance();

    /// Starts writing a replay to path, forgetting any earlier run; when the file reaches maxBytes
    /// the recording stops (one line on standard error says so) and the game goes on. 0 on success;
    /// -1 with getError() set.
    int startRecording(const std::string& path, std::size_t maxBytes = ReplayReader::MAX_BYTES);

    /// Reads the whole replay at path and plays it from the next frame on,
    /// forgetting any earlier run, as the input manager's source until
    /// finish().
    /// 0 on success; -1 with getError() set to "path: line N: reason".
    int startReplay(const std::string& path);

    /// Live, recording or replaying.
    Mode getMode() const;

    /// Starts the next frame (the input manager calls this once per frame
    /// before it collects input) and returns its number, 0 for the first.
    /// Takes the checkpoint when one is due; flushes a recording. A replay
    /// ends the game in its last frame.
    int beginFrame();

    /// The current frame's number.
    int getFrame() const;

    /// Writes an input event of the current frame to a recording.
    void recordInput(const ReplayRecord& event);

    /// Appends the replay's input events of the current frame to events.
    void takeInput(std::vector<ReplayRecord>& events);

    /// A value the game takes from outside, under a name (once the session
    /// is made, every Environment::value() comes here): recorded when
    /// recording, read back from the replay when replaying (a value read in
    /// another frame or under another name counts as a mismatch and gives
    /// live), live otherwise.
    long long environment(const std::string& name, long long live);
    /// Routes the environment's values through environment().
    void takeEnvironment();

    /// The calendar time, as std::time(nullptr) gives it: what a game seeds
    /// its random numbers with, so that a replay seeds them alike.
    std::time_t calendarTime();

    /// Ends the run: a recording gets its end record and is closed; a replay
    /// compares its end with the recorded one. 0 when the file was written
    /// whole (recording) or every check passed and the replay ran to its
    /// last frame (replaying); -1 otherwise.
    int finish();

    /// The world now as a checkpoint digests it: every object's id, type,
    /// position, sprite and frame, in list order.
    std::uint64_t worldDigest() const;

    /// Marks a replay as ended early at the viewer's request (the game is
    /// ended by whoever asks): finish() and ranToEnd() then judge only the
    /// frames played.
    void stopReplay();

    /// Frames begun so far.
    int getFramesRun() const;

    /// A replay's last frame (the count of its frames less one), -1 when it
    /// has none; 0 when not replaying.
    int getLastFrame() const;

    /// Plays the replay again from its first frame, judged afresh: frames,
    /// input, values, checkpoints and the log window start over. Whoever
    /// calls it empties the world and sets the game up again, so that the
    /// game reads its values anew.
    void rewind();

    /// Ends a replay at the current frame and goes on live from the next:
    /// input from the player, values from the machine. With a path, the
    /// replay's records up to the current frame go into a new recording
    /// there, which the new play then continues, so that it replays whole.
    /// 0 on success; -1 with getError() set (the replay then goes on).
    int takeOver(const std::string& path);

    /// The frame of the first mismatch, or -1.
    int getFirstMismatchFrame() const;

    /// Checkpoints compared with recorded ones (the end record included).
    int getChecks() const;

    /// Checks and values that differed from the recording.
    int getMismatches() const;

    /// "frame N: what differed" for the first mismatch, or empty.
    const std::string& getFirstMismatch() const;

    /// Whether a replay played up to its last recorded frame.
    bool ranToEnd() const;

    /// False for a replay whose recording was killed before its first frame
    /// was written whole: there is nothing to play, and nothing wrong.
    bool hasFramesToPlay() const;

    /// For a replay of a recording without its end (a killed one): one line
    /// saying where it stops; empty otherwise.
    const std::string& getNote() const;

    /// Why starting or finishing failed, or empty.
    const std::string& getError() const;

private:
    ReplaySession();

    /// Forgets everything of an earlier run.
    void startRun();
    static void hearLog(const char* text, void* context);
    /// The digests of the world now and of the log since the last one.
    ReplayRecord takeDigest(ReplayRecord::Kind kind);
    void compare(const ReplayRecord& ours, const ReplayRecord& recorded);
    /// ": object N in the list ... differs so", naming the first object
    /// that differs from the file's objects at frame at; empty when the file
    /// has none there or none differs.
    std::string whichObject(int at) const;
    /// The message of this window that, left out, gives the recorded
    /// digest, or empty when leaving out any one does not.
    std::string findNewMessage(std::uint64_t recordedDigest) const;
    /// Forgets the log messages heard so far.
    void startLogWindow();
    void mismatch(const std::string& what);

    Mode mode;
    int frame;
    int framesRun;
    int lastCheckFrame;
    // Log messages heard since the last digest.
    int messages;
    std::uint64_t logDigest;
    // Their texts, kept while replaying only, to name a message that is new.
    std::vector<std::string> windowMessages;

    ReplayWriter writer;

    // A replay's records in file order, for a take-over's recording.
    std::vector<ReplayRecord> records;
    // A replay's records by kind, each in file order, and where each is at.
    std::vector<ReplayRecord> inputs;
    std::vector<ReplayRecord> values;
    std::vector<ReplayRecord> checkpoints;
    // The objects recorded at the checkpoints, in file order.
    std::vector<ReplayRecord> objectRecords;
    std::size_t nextInput;
    std::size_t nextValue;
    std::size_t nextCheckpoint;
    bool hasEnd;
    bool stopped;
    ReplayRecord end;
    int lastFrame;
    // The frame after which the recorded run was stopped from outside, or -1.
    int stopFrame;

    int checks;
    int mismatches;
    int firstMismatchFrame;
    std::string firstMismatch;
    std::string error;
    std::string note;
    std::string recordPath;
    bool reportedFull;
};

} // namespace qv

#endif
