#ifndef QV_CORE_RANDOM_H
#define QV_CORE_RANDOM_H

#include <cstdint>

namespace qv {

/// The engine's random number generator: an additive lagged Fibonacci
/// generator (lags 3 and 31) seeded through the 16807 multiplicative
/// congruential generator. For the same seed it gives the sequence the GNU C
/// library's rand() gives, but it is the game's own state: the sequence is
/// the same with every C library, and no other code can draw from it
/// between two of the game's draws, so replays stay in step.
class Random {
public:
    /// The largest number next() returns.
    static constexpr int MAX = 2147483647;

    /// A generator seeded with seed (as after seed(seed)).
    explicit Random(unsigned seed = 1);

    /// Starts the sequence again from seed; 0 counts as 1.
    void seed(unsigned seed);

    /// The next number of the sequence, from 0 to MAX.
    int next();

private:
    static constexpr int LAG = 31;

    std::uint32_t table[LAG];
    int position;
};

} // namespace qv

#endif
