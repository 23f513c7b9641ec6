// The engine's generator against this machine's C library: the same seed
// must give the same sequence, or recorded games would no longer replay.
#include "qv/core/Random.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(Random, FollowsTheCLibrarySequenceForEverySeed) {
    for (const unsigned seed : {0u, 1u, 2u, 7u, 127773u, 1700000000u, 2147483647u, 2147483648u,
                                4294967295u}) {
        SCOPED_TRACE(seed);
        qv::Random numbers(seed);
        std::srand(seed);
        for (int i = 0; i < 1000; ++i) {
            ASSERT_EQ(numbers.next(), std::rand()) << "draw " << i;
        }
        numbers.seed(seed);
        std::srand(seed);
        EXPECT_EQ(numbers.next(), std::rand());
    }
}
