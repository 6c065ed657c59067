#include "core/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/settings.h"

namespace {

class RandomChoices : public testing::Test {
protected:
    void TearDown() override { RANDOM.value = true; }
};

TEST_F(RandomChoices, OffTakesTheFirstCandidateAndKeepsOrder) {
    RANDOM.value = false;
    for (const std::uint64_t n : {1U, 2U, 17U, 1000U}) {
        EXPECT_EQ(gf_randomIndex(n), 0U) << n;
    }
    std::vector<std::string> list{"A320", "A20N", "A321", "B738"};
    const auto original = list;
    gf_shuffleList(list);
    EXPECT_EQ(list, original);
}

TEST_F(RandomChoices, OnDrawsEveryIndexBelowN) {
    std::set<std::uint64_t> drawn;
    for (int i = 0; i < 2000; ++i) {
        const auto index = gf_randomIndex(5);
        ASSERT_TRUE(index.has_value());
        ASSERT_LT(*index, 5U);
        drawn.insert(*index);
    }
    EXPECT_EQ(drawn.size(), 5U);
    EXPECT_EQ(gf_randomIndex(1), 0U);

    std::vector<std::string> list{"a", "b", "c", "d", "e", "f", "g", "h"};
    auto shuffled = list;
    gf_shuffleList(shuffled);
    std::sort(shuffled.begin(), shuffled.end());
    EXPECT_EQ(shuffled, list);
}

// An empty range has no index; a caller can never index an empty list with it.
TEST_F(RandomChoices, EmptyRangeHasNoIndex) {
    for (const bool random : {true, false}) {
        RANDOM.value = random;
        EXPECT_FALSE(gf_randomIndex(0).has_value());
    }
}

TEST_F(RandomChoices, RandomizeByPercentGoesEitherWayByThePercent) {
    std::set<double> results;
    for (int i = 0; i < 200; ++i) {
        results.insert(gf_randomizeByPercent(200.0, 10.0));
    }
    EXPECT_EQ(results, (std::set<double>{180.0, 220.0}));
    EXPECT_EQ(gf_randomizeByPercent(200.0, 0.0), 200.0);
    EXPECT_EQ(gf_randomizeByPercent(200.0, -5.0), 200.0);
}

}  // namespace
