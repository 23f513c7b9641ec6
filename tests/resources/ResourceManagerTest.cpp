// Sounds and music: loading, the two tables of 128, lookup by label, life
// across shutDown/startUp, and one tone played through to the audio output.
#include "resources/ResourceManager.h"
#include "core/LogManager.h"
#include "support/TestSupport.h"

#include <SFML/Audio.hpp>
#include <SFML/System.hpp>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr unsigned RATE = 44100;

std::vector<std::int16_t> tone(double seconds, double frequency, double amplitude) {
    const auto count = static_cast<std::size_t>(seconds * RATE);
    std::vector<std::int16_t> samples(count);
    const double pi = std::acos(-1.0);
    for (std::size_t i = 0; i < count; ++i) {
        samples[i] = static_cast<std::int16_t>(
            std::lround(amplitude * 32767.0 * std::sin(2.0 * pi * frequency * i / RATE)));
    }
    return samples;
}

void put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xffu);
    }
}

// A mono 16-bit PCM RIFF/WAVE file.
bool writeWav(const std::string& path, const std::vector<std::int16_t>& samples) {
    const auto bytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    put(out, 36 + bytes, 4);
    out += "WAVEfmt ";
    put(out, 16, 4);
    put(out, 1, 2); // PCM
    put(out, 1, 2); // channels
    put(out, RATE, 4);
    put(out, RATE * 2, 4);
    put(out, 2, 2);
    put(out, 16, 2);
    out += "data";
    put(out, bytes, 4);
    for (const std::int16_t sample : samples) {
        put(out, static_cast<std::uint16_t>(sample), 2);
    }
    return qvtest::writeFile(path, out);
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
        ASSERT_TRUE(writeWav("short.wav", tone(0.1, 440, 0.3)));
        ASSERT_TRUE(writeWav("long.wav", tone(0.25, 660, 0.3)));
    }
    void TearDown() override {
        resources.shutDown();
        qv::LogManager::getInstance().shutDown();
    }

    static int messageCount(const std::string& message) {
        const std::vector<std::string> messages = qvtest::logMessages();
        return static_cast<int>(std::count(messages.begin(), messages.end(), message));
    }

    qv::ResourceManager& resources = qv::ResourceManager::getInstance();
};

TEST_F(Sounds, LoadedSoundIsFoundByItsExactLabel) {
    EXPECT_EQ(resources.getSound("boom"), nullptr);
    ASSERT_EQ(resources.loadSound("short.wav", "boom"), 0);
    sf::Sound* sound = resources.getSound("boom");
    ASSERT_NE(sound, nullptr);
    ASSERT_NE(sound->getBuffer(), nullptr);
    EXPECT_EQ(sound->getBuffer()->getSampleCount(), 4410u);
    EXPECT_EQ(sound->getBuffer()->getSampleRate(), RATE);
    for (const char* other : {"Boom", "boom ", "boo", ""}) {
        EXPECT_EQ(resources.getSound(other), nullptr) << "'" << other << "'";
    }
}

TEST_F(Sounds, LoadedMusicIsFoundByItsExactLabel) {
    EXPECT_EQ(resources.getMusic("game-music"), nullptr);
    ASSERT_EQ(resources.loadMusic("long.wav", "game-music"), 0);
    sf::Music* music = resources.getMusic("game-music");
    ASSERT_NE(music, nullptr);
    EXPECT_EQ(music->getDuration().asMilliseconds(), 250);
    EXPECT_EQ(resources.getMusic("Game-music"), nullptr);
    EXPECT_EQ(resources.getSound("game-music"), nullptr);
}

// Files SFML cannot decode, written by the test.
std::vector<std::string> badFiles() {
    qvtest::writeFile("text.wav", "this is not a sound\n");
    qvtest::writeFile("empty.wav", "");
    writeWav("cut.wav", tone(0.1, 440, 0.3));
    qvtest::writeFile("cut.wav", qvtest::readFile("cut.wav").substr(0, 20));
    std::mt19937 random(7);
    std::string noise(2048, '\0');
    for (char& c : noise) {
        c = static_cast<char>(random());
    }
    qvtest::writeFile("noise.wav", noise);
    return {"text.wav", "empty.wav", "cut.wav", "noise.wav", "no-such-file.wav"};
}

TEST_F(Sounds, UnreadableSoundFilesTakeNoSlot) {
    const std::vector<std::string> bad = badFiles();
    for (const std::string& file : bad) {
        EXPECT_EQ(resources.loadSound(file, "bad"), -1) << file;
    }
    EXPECT_EQ(messageCount("Unable to load sound from file\n"), static_cast<int>(bad.size()));
    EXPECT_EQ(resources.getSound("bad"), nullptr);
    // Every failure left the count alone: all 128 slots are still free.
    for (int i = 0; i < qv::ResourceManager::MAX_SOUNDS; ++i) {
        ASSERT_EQ(resources.loadSound("short.wav", "s" + std::to_string(i)), 0) << i;
    }
    EXPECT_EQ(resources.loadSound("short.wav", "over"), -1);
}

TEST_F(Sounds, UnreadableMusicFilesTakeNoSlot) {
    const std::vector<std::string> bad = badFiles();
    for (const std::string& file : bad) {
        EXPECT_EQ(resources.loadMusic(file, "bad"), -1) << file;
    }
    EXPECT_EQ(messageCount("Unable to load music from file\n"), static_cast<int>(bad.size()));
    EXPECT_EQ(resources.getMusic("bad"), nullptr);
    for (int i = 0; i < qv::ResourceManager::MAX_MUSIC; ++i) {
        ASSERT_EQ(resources.loadMusic("short.wav", "m" + std::to_string(i)), 0) << i;
    }
    EXPECT_EQ(resources.loadMusic("short.wav", "over"), -1);
}

TEST_F(Sounds, FullTablesRefuseThe129thAndAllPlayAtOnce) {
    SfmlErrors errors;
    for (int i = 0; i < qv::ResourceManager::MAX_SOUNDS; ++i) {
        ASSERT_EQ(resources.loadSound("short.wav", "s" + std::to_string(i)), 0) << i;
        ASSERT_EQ(resources.loadMusic("long.wav", "m" + std::to_string(i)), 0) << i;
    }
    EXPECT_EQ(resources.loadSound("short.wav", "s128"), -1);
    EXPECT_EQ(resources.loadMusic("long.wav", "m128"), -1);
    const std::vector<std::string> messages = qvtest::logMessages();
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[messages.size() - 2], "Sound array full\n");
    EXPECT_EQ(messages.back(), "Music array full\n");
    EXPECT_EQ(resources.getSound("s128"), nullptr);
    EXPECT_EQ(resources.getMusic("m128"), nullptr);

    std::vector<sf::Sound*> sounds;
    std::vector<sf::Music*> music;
    for (int i = 0; i < qv::ResourceManager::MAX_SOUNDS; ++i) {
        sounds.push_back(resources.getSound("s" + std::to_string(i)));
        music.push_back(resources.getMusic("m" + std::to_string(i)));
        ASSERT_NE(sounds.back(), nullptr) << i;
        ASSERT_NE(music.back(), nullptr) << i;
    }
    EXPECT_EQ(std::set<sf::Sound*>(sounds.begin(), sounds.end()).size(), sounds.size());
    EXPECT_EQ(std::set<sf::Music*>(music.begin(), music.end()).size(), music.size());

    // 256 sources playing together: every one must have got its own.
    for (std::size_t i = 0; i < sounds.size(); ++i) {
        sounds[i]->play();
        music[i]->play();
    }
    for (std::size_t i = 0; i < sounds.size(); ++i) {
        EXPECT_EQ(sounds[i]->getStatus(), sf::Sound::Playing) << i;
        EXPECT_EQ(music[i]->getStatus(), sf::Music::Playing) << i;
    }
    for (std::size_t i = 0; i < sounds.size(); ++i) {
        sounds[i]->stop();
        music[i]->stop();
    }
    EXPECT_EQ(errors.str(), "");
}

TEST_F(Sounds, UnusedRecordsLeaveAudioSourcesToOthers) {
    ASSERT_EQ(resources.loadSound("short.wav", "hit"), 0);
    ASSERT_EQ(resources.loadMusic("long.wav", "theme"), 0);
    // The audio device has 256 sources; records that held one each whether
    // loaded or not would leave none for these.
    SfmlErrors errors;
    sf::SoundBuffer buffer;
    ASSERT_TRUE(buffer.loadFromFile("short.wav"));
    std::vector<std::unique_ptr<sf::Sound>> others;
    for (int i = 0; i < 250; ++i) {
        others.push_back(std::make_unique<sf::Sound>(buffer));
        others.back()->play();
    }
    for (const auto& other : others) {
        EXPECT_EQ(other->getStatus(), sf::Sound::Playing);
    }
    resources.getSound("hit")->play();
    EXPECT_EQ(resources.getSound("hit")->getStatus(), sf::Sound::Playing);
    EXPECT_EQ(errors.str(), "");
}

TEST_F(Sounds, DuplicateLabelsFindTheFirstLoaded) {
    ASSERT_EQ(resources.loadSound("short.wav", "twin"), 0);
    ASSERT_EQ(resources.loadSound("long.wav", "twin"), 0);
    EXPECT_EQ(resources.getSound("twin")->getBuffer()->getSampleCount(), 4410u);
    ASSERT_EQ(resources.loadMusic("long.wav", "theme"), 0);
    ASSERT_EQ(resources.loadMusic("short.wav", "theme"), 0);
    EXPECT_EQ(resources.getMusic("theme")->getDuration().asMilliseconds(), 250);
}

TEST_F(Sounds, ShutDownKeepsThemAndStartUpForgetsThem) {
    ASSERT_EQ(resources.loadSound("short.wav", "hit"), 0);
    ASSERT_EQ(resources.loadMusic("long.wav", "theme"), 0);
    sf::Sound* sound = resources.getSound("hit");
    sf::Music* music = resources.getMusic("theme");

    resources.shutDown();
    EXPECT_EQ(resources.getSound("hit"), sound);
    EXPECT_EQ(resources.getMusic("theme"), music);
    sound->play();
    music->play();
    EXPECT_EQ(sound->getStatus(), sf::Sound::Playing);
    EXPECT_EQ(music->getStatus(), sf::Music::Playing);
    sound->stop();
    music->stop();

    for (int round = 0; round < 2; ++round) {
        // The second round starts up an already started manager: the counts
        // are reset all the same.
        EXPECT_EQ(resources.startUp(), 0);
        EXPECT_EQ(resources.getSound("hit"), nullptr) << round;
        EXPECT_EQ(resources.getMusic("theme"), nullptr) << round;
        // New loads reuse the records in place, from slot 0.
        ASSERT_EQ(resources.loadSound("long.wav", "fresh"), 0);
        ASSERT_EQ(resources.loadMusic("short.wav", "fresh"), 0);
        EXPECT_EQ(resources.getSound("fresh"), sound);
        EXPECT_EQ(resources.getMusic("fresh"), music);
        EXPECT_EQ(sound->getBuffer()->getSampleCount(), 11025u);
    }
    EXPECT_TRUE(qvtest::logHasInOrder({"SRM::shutDown(): Successfully stopped.",
                                       "SRM::startUp(): Successfully started.",
                                       "SRM::startUp(): Already started."}));
}

// ---- the audio output -------------------------------------------------------

struct Capture {
    int channels = 0;
    int bits = 0;
    unsigned rate = 0;
    std::vector<std::int16_t> samples;
};

std::uint32_t little(const std::string& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

// Reads a 16-bit PCM WAVE file; a data chunk whose size was never filled in
// runs to the end of the file.
Capture readWav(const std::string& path) {
    Capture capture;
    const std::string bytes = qvtest::readFile(path);
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        return capture;
    }
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::string id = bytes.substr(at, 4);
        std::size_t size = little(bytes, at + 4, 4);
        at += 8;
        if (id == "fmt " && at + 16 <= bytes.size()) {
            capture.channels = static_cast<int>(little(bytes, at + 2, 2));
            capture.rate = little(bytes, at + 4, 4);
            capture.bits = static_cast<int>(little(bytes, at + 14, 2));
        } else if (id == "data") {
            if (size == 0 || at + size > bytes.size()) {
                size = bytes.size() - at;
            }
            for (std::size_t i = at; i + 1 < at + size; i += 2) {
                capture.samples.push_back(static_cast<std::int16_t>(little(bytes, i, 2)));
            }
            break;
        }
        at += size + (size & 1u);
    }
    return capture;
}

TEST(SoundOutput, PlayedToneReachesTheAudioOutput) {
    const std::string stem = "/tmp/qv-capture-" + std::to_string(getpid());
    const std::string wave = stem + ".wav";
    const std::string config = stem + ".conf";
    std::remove(wave.c_str());
    ASSERT_TRUE(qvtest::writeFile(config, "[general]\ndrivers=wave\nchannels=mono\n"
                                          "sample-type=int16\nfrequency=44100\n[wave]\nfile=" +
                                              wave + "\n"));
    ASSERT_TRUE(writeWav("tone.wav", tone(0.4, 440, 0.5)));

    // Played in a child process, so that the audio device closes (and the
    // capture file is completed) when the child exits.
    EXPECT_EXIT(
        {
            setenv("ALSOFT_CONF", config.c_str(), 1);
            unsetenv("ALSOFT_DRIVERS");
            qv::LogManager::getInstance().startUp();
            qv::ResourceManager& resources = qv::ResourceManager::getInstance();
            resources.startUp();
            if (resources.loadSound("tone.wav", "tone") != 0) {
                std::exit(2);
            }
            resources.getSound("tone")->play();
            sf::sleep(sf::milliseconds(800));
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");

    const Capture capture = readWav(wave);
    std::remove(wave.c_str());
    std::remove(config.c_str());
    ASSERT_EQ(capture.channels, 1);
    ASSERT_EQ(capture.bits, 16);
    ASSERT_EQ(capture.rate, RATE);
    ASSERT_GT(capture.samples.size(), RATE / 2) << "less than half a second captured";

    // Where the tone sounds: from the first to the last clearly loud sample.
    const int threshold = 32767 / 20;
    std::size_t first = capture.samples.size();
    std::size_t last = 0;
    int peak = 0;
    for (std::size_t i = 0; i < capture.samples.size(); ++i) {
        const int magnitude = std::abs(static_cast<int>(capture.samples[i]));
        peak = std::max(peak, magnitude);
        if (magnitude > threshold) {
            first = std::min(first, i);
            last = i;
        }
    }
    ASSERT_GT(peak, 32767 / 4) << "the tone did not reach the output";
    const double seconds = static_cast<double>(last - first) / RATE;
    EXPECT_NEAR(seconds, 0.4, 0.05);

    double sumOfSquares = 0.0;
    int crossings = 0;
    for (std::size_t i = first; i <= last; ++i) {
        const double value = capture.samples[i] / 32767.0;
        sumOfSquares += value * value;
        if (i > first && (capture.samples[i - 1] < 0) != (capture.samples[i] < 0)) {
            ++crossings;
        }
    }
    const double rms = std::sqrt(sumOfSquares / static_cast<double>(last - first + 1));
    EXPECT_NEAR(rms, 0.5 / std::sqrt(2.0), 0.1);
    EXPECT_NEAR(crossings / 2.0 / seconds, 440.0, 15.0);
}

} // namespace
