// The flat index of titles: exact lookups over many titles, the first of
// equal titles, and nothing found in an empty or emptied index.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "liveries/title_index.h"

namespace {

TEST(TitleIndex, FindsEachTitleExactlyAndTheFirstOfEqualOnes) {
    std::vector<std::string> texts;
    for (int n = 0; n < 5000; ++n) {
        texts.push_back("Airline livery " + std::to_string(n));
    }
    texts.push_back("Airline livery 17");  // equal to an earlier one
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    TitleIndex index;
    EXPECT_TRUE(index.find("Airline livery 1").empty());
    index.build(views);
    for (int n = 0; n < 5000; ++n) {
        ASSERT_EQ(index.find(texts[n]).data(), texts[n].data()) << n;
    }
    EXPECT_EQ(index.find(std::string("Airline livery 17")).data(), texts[17].data());
    EXPECT_TRUE(index.find("Airline livery").empty());
    EXPECT_TRUE(index.find("airline livery 1").empty());  // case counts
    EXPECT_TRUE(index.find("Airline livery 5000").empty());
    index.clear();
    EXPECT_TRUE(index.find(texts[0]).empty());
}

}  // namespace
