// The store of title texts: every view it hands out keeps its text while
// later texts fill more blocks.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "liveries/text_store.h"

namespace {

TEST(TextStore, ViewsStayValidAcrossBlocksUntilCleared) {
    TextStore store;
    std::vector<std::string> texts;
    for (int n = 0; n < 20000; ++n) {
        texts.push_back("Livery title number " + std::to_string(n));
    }
    texts.push_back(std::string(200000, 'x'));  // longer than a block
    texts.push_back("after the long one");
    std::vector<std::string_view> views;
    for (const std::string& text : texts) {
        views.push_back(store.keep(text));
    }
    for (std::size_t n = 0; n < texts.size(); ++n) {
        ASSERT_EQ(views[n], texts[n]) << n;
        EXPECT_NE(views[n].data(), texts[n].data());
    }
    EXPECT_TRUE(store.keep("").empty());
    store.clear();
    EXPECT_EQ(store.keep("again"), "again");
}

}  // namespace
