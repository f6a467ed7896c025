// The plain ::rand and ::srand of <cstdlib>, as the show calls them, must
// reach the program's generator, not glibc's.
#include <cstdlib>

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> Draws(int count) {
    std::vector<int> draws;
    for (int i = 0; i < count; ++i) draws.push_back(::rand());
    return draws;
}

bool DrawsFromStateOne() {
    const std::vector<int> expected = {41, 18467, 6334, 26500, 19169};
    return Draws(5) == expected;
}

}  // namespace

TEST(CRuntimeRand, StartsFromStateOne) {
    // A fresh process, so that no earlier draw has moved the state.
    EXPECT_EXIT(std::exit(DrawsFromStateOne() ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

TEST(CRuntimeRand, SrandRestartsTheSequence) {
    ::srand(1);
    EXPECT_EQ(Draws(5), (std::vector<int>{41, 18467, 6334, 26500, 19169}));
    ::srand(0);
    EXPECT_EQ(Draws(5), (std::vector<int>{38, 7719, 21238, 2437, 8855}));
    ::srand(0);
    EXPECT_EQ(::rand(), 38);
}

TEST(CRuntimeRand, DrawsStayWithinFifteenBits) {
    ::srand(12345);
    int highest = 0;
    for (int draw : Draws(100000)) {
        ASSERT_GE(draw, 0);
        highest = std::max(highest, draw);
    }
    EXPECT_LE(highest, 0x7FFF);
    EXPECT_GT(highest, 0x7F00);
}
