// Sounds and music: loading, the two tables of 128, lookup by label, life
// across shutDown/startUp. Sound reaching the output: the end-to-end play test.
#include "qv/resources/ResourceManager.h"
#include "qv/core/LogManager.h"
#include "support/TestSupport.h"

#include <SFML/Audio.hpp>
#include <SFML/System.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr unsigned RATE = 44100;

// A mono 16-bit sine tone as a WAVE file.
bool writeTone(const std::string& path, double seconds, double frequency, double amplitude) {
    std::vector<sf::Int16> samples(static_cast<std::size_t>(seconds * RATE));
    const double pi = std::acos(-1.0);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<sf::Int16>(std::lround(
            amplitude * 32767.0 * std::sin(2.0 * pi * frequency * static_cast<double>(i) / RATE)));
    }
    sf::SoundBuffer buffer;
    return buffer.loadFromSamples(samples.data(), samples.size(), 1, RATE) &&
           buffer.saveToFile(path);
}

// Collects what SFML reports on its error stream (OpenAL failures among it).
class SfmlErrors {
public:
    SfmlErrors() : previous(sf::err().rdbuf(text.rdbuf())) {}
    ~SfmlErrors() { sf::err().rdbuf(previous); }
    std::string str() const { return text.str(); }

private:
    std::ostringstream text;
    std::streambuf* previous;
};

class Sounds : public ::testing::Test {
protected:
    void SetUp() override {
        qv::LogManager::getInstance().startUp();
        resources.startUp();
        ASSERT_TRUE(writeTone("short.wav", 0.1, 440, 0.3));
        ASSERT_TRUE(writeTone("long.wav", 0.25, 660, 0.3));
    }
    void TearDown() override {
        resources.shutDown();
        qv::LogManager::getInstance().shutDown();
    }

    qv::ResourceManager& resources = qv::ResourceManager::getInstance();
};

TEST_F(Sounds, BadFilesTakeNoSlotAndFullTablesRefuseThe129th) {
    qvtest::writeFile("text.wav", "this is not a sound\n");
    qvtest::writeFile("empty.wav", "");
    qvtest::writeFile("cut.wav", qvtest::readFile("short.wav").substr(0, 20));
    for (const char* file : {"text.wav", "empty.wav", "cut.wav", "no-such.wav"}) {
        EXPECT_EQ(resources.loadSound(file, "bad"), -1) << file;
        EXPECT_EQ(resources.loadMusic(file, "bad"), -1) << file;
    }
    std::vector<std::string> messages = qvtest::logMessages();
    EXPECT_EQ(std::count(messages.begin(), messages.end(), "Unable to load sound from file\n"), 4);
    EXPECT_EQ(std::count(messages.begin(), messages.end(), "Unable to load music from file\n"), 4);
    EXPECT_EQ(resources.getSound("bad"), nullptr);
    EXPECT_EQ(resources.getMusic("bad"), nullptr);

    // Every failure left the counts alone: all 128 slots of each are free.
    SfmlErrors errors;
    for (int i = 0; i < qv::ResourceManager::MAX_SOUNDS; ++i) {
        ASSERT_EQ(resources.loadSound("short.wav", "s" + std::to_string(i)), 0) << i;
        ASSERT_EQ(resources.loadMusic("long.wav", "m" + std::to_string(i)), 0) << i;
    }
    EXPECT_EQ(resources.loadSound("short.wav", "s128"), -1);
    EXPECT_EQ(resources.loadMusic("long.wav", "m128"), -1);
    messages = qvtest::logMessages();
    EXPECT_EQ(std::vector<std::string>(messages.end() - 2, messages.end()),
              std::vector<std::string>({"Sound array full\n", "Music array full\n"}));
    EXPECT_EQ(resources.getSound("s128"), nullptr);
    EXPECT_EQ(resources.getMusic("m128"), nullptr);

    // 256 sources playing together: every one must have got its own. Looped,
    // so that on a busy machine none has ended before all are checked.
    std::vector<sf::SoundSource*> sources;
    for (int i = 0; i < qv::ResourceManager::MAX_SOUNDS; ++i) {
        sf::Sound* sound = resources.getSound("s" + std::to_string(i));
        sf::Music* music = resources.getMusic("m" + std::to_string(i));
        ASSERT_TRUE(sound != nullptr && music != nullptr) << i;
        sound->setLoop(true);
        music->setLoop(true);
        sources.insert(sources.end(), {sound, music});
    }
    ASSERT_EQ(std::set<sf::SoundSource*>(sources.begin(), sources.end()).size(), 256u);
    for (sf::SoundSource* source : sources) {
        source->play();
        EXPECT_EQ(source->getStatus(), sf::SoundSource::Playing);
    }
    for (sf::SoundSource* source : sources) {
        source->stop();
    }
    EXPECT_EQ(errors.str(), "");
}

TEST_F(Sounds, UnusedRecordsLeaveAudioSourcesToOthers) {
    ASSERT_EQ(resources.loadSound("short.wav", "hit"), 0);
    ASSERT_EQ(resources.loadMusic("long.wav", "theme"), 0);
    // The device has 256 sources; records that held one each whether loaded
    // or not would leave none for these.
    SfmlErrors errors;
    sf::SoundBuffer buffer;
    ASSERT_TRUE(buffer.loadFromFile("short.wav"));
    std::vector<std::unique_ptr<sf::Sound>> others;
    for (int i = 0; i < 250; ++i) {
        others.push_back(std::make_unique<sf::Sound>(buffer));
        others.back()->play();
        EXPECT_EQ(others.back()->getStatus(), sf::Sound::Playing);
    }
    resources.getSound("hit")->play();
    EXPECT_EQ(resources.getSound("hit")->getStatus(), sf::Sound::Playing);
    EXPECT_EQ(errors.str(), "");
}

TEST_F(Sounds, LookupIsExactFindsTheFirstAndOutlivesShutDownUntilStartUp) {
    EXPECT_EQ(resources.getSound("boom"), nullptr);
    ASSERT_EQ(resources.loadSound("short.wav", "boom"), 0);
    ASSERT_EQ(resources.loadSound("long.wav", "boom"), 0);
    ASSERT_EQ(resources.loadMusic("long.wav", "boom"), 0);
    ASSERT_EQ(resources.loadMusic("short.wav", "boom"), 0);
    sf::Sound* sound = resources.getSound("boom");
    sf::Music* music = resources.getMusic("boom");
    ASSERT_NE(sound, nullptr);
    ASSERT_NE(music, nullptr);
    EXPECT_EQ(sound->getBuffer()->getSampleCount(), 4410u); // the first "boom"
    for (const char* other : {"Boom", "boom ", "boo", ""}) {
        EXPECT_EQ(resources.getSound(other), nullptr) << "'" << other << "'";
        EXPECT_EQ(resources.getMusic(other), nullptr) << "'" << other << "'";
    }

    resources.shutDown();
    EXPECT_EQ(resources.getSound("boom"), sound);
    EXPECT_EQ(resources.getMusic("boom"), music);
    sound->play();
    music->play();
    EXPECT_EQ(sound->getStatus(), sf::Sound::Playing);
    EXPECT_EQ(music->getStatus(), sf::Music::Playing);
    // The second round starts an already started manager: counts reset all the same.
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(resources.startUp(), 0);
        EXPECT_EQ(resources.getSound("boom"), nullptr) << round;
        EXPECT_EQ(resources.getMusic("boom"), nullptr) << round;
        // New loads reuse the records in place, from slot 0.
        ASSERT_EQ(resources.loadSound("long.wav", "fresh"), 0);
        ASSERT_EQ(resources.loadMusic("short.wav", "fresh"), 0);
        EXPECT_EQ(resources.getSound("fresh"), sound);
        EXPECT_EQ(resources.getMusic("fresh"), music);
        EXPECT_EQ(sound->getBuffer()->getSampleCount(), 11025u);
    }
}

TEST(SoundOutput, WithoutAnAudioDeviceNothingIsHandedOutToPlay) {
    // A stream played with no device spins on failing OpenAL calls, so with
    // no device the lookups must find nothing to play.
    EXPECT_EXIT(
        {
            setenv("ALSOFT_DRIVERS", "no-such-driver", 1);
            qv::LogManager::getInstance().startUp();
            qv::ResourceManager& resources = qv::ResourceManager::getInstance();
            resources.startUp();
            const bool loaded = resources.loadSound("Audio/boom.wav", "quiet") == 0 &&
                                resources.loadMusic("Audio/gamemusic.wav", "tune") == 0;
            const bool silent = !resources.hasAudioDevice() &&
                                resources.getSound("quiet") == nullptr &&
                                resources.getMusic("tune") == nullptr;
            std::exit(loaded && silent ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_TRUE(qvtest::logHasInOrder({"No audio device: sounds and music stay silent\n"}));
}

} // namespace
