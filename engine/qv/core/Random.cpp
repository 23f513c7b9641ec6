#include "qv/core/Random.h"

namespace qv {

namespace {

// Outputs thrown away after seeding: the first ones still show the seed's
// linear pattern.
constexpr int WARM_UP = 310;

} // namespace

Random::Random(unsigned seedValue) : table{}, position(0) {
    seed(seedValue);
}

void Random::seed(unsigned seedValue) {
    if (seedValue == 0) {
        seedValue = 1;
    }
    // The seed is taken as a signed 32-bit word, as the sequence this
    // reproduces takes it; Schrage's method keeps 16807 * word in range.
    std::int32_t word = static_cast<std::int32_t>(seedValue);
    table[0] = static_cast<std::uint32_t>(word);
    for (int i = 1; i < LAG; ++i) {
        const std::int32_t high = word / 127773;
        const std::int32_t low = word % 127773;
        word = 16807 * low - 2836 * high;
        if (word < 0) {
            word += 2147483647;
        }
        table[i] = static_cast<std::uint32_t>(word);
    }
    // Words 31 to 33 repeat words 0 to 2, so they are already in place.
    position = 3;
    for (int i = 0; i < WARM_UP; ++i) {
        next();
    }
}

int Random::next() {
    // table[position] holds the word 31 back, the slot 28 ahead the word 3 back.
    const std::uint32_t word = table[position] + table[(position + LAG - 3) % LAG];
    table[position] = word;
    position = (position + 1) % LAG;
    return static_cast<int>(word >> 1);
}

} // namespace qv
