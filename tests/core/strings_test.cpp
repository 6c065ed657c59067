#include "core/strings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <gsl/narrow>
#include <limits>

namespace {

using Pieces = std::vector<std::string>;

TEST(SplitString, EverySeparatorEndsATrimmedPiece) {
    const std::pair<const char*, Pieces> cases[] = {
        {"a,b, ,c", {"a", "b", "", "c"}},
        {"", {}},
        {"a,", {"a", ""}},
        {",", {"", ""}},
        {" KLAX \t,\r\nEGLL ", {"KLAX", "EGLL"}},
        {"single", {"single"}},
    };
    for (const auto& [text, pieces] : cases) {
        EXPECT_EQ(gf_splitComma(text), pieces) << text;
        const std::list<std::string> asList(pieces.begin(), pieces.end());
        EXPECT_EQ(gf_splitTrimmed(text), asList) << text;
    }
    EXPECT_EQ(gf_splitString("DLH; BAW ;", ';'), (Pieces{"DLH", "BAW", ""}));
}

TEST(Trim, OnlyBlankTabAndLineEndsAreWhiteSpace) {
    EXPECT_EQ(gf_trim(" \t\r\n x y \r\n"), "x y");
    EXPECT_EQ(gf_trim(" \t "), "");
    EXPECT_EQ(gf_trim("\vx\f"), "\vx\f");
}

TEST(Unquote, TextBetweenTheFirstTwoQuotes) {
    const std::pair<const char*, const char*> cases[] = {
        {"no quotes", "no quotes"},
        {"\"only one", ""},
        {"title = \"Airbus A320\" ; comment \"x\"", "Airbus A320"},
        {"\"\"", ""},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(gf_unquote(text), expected) << text;
    }
}

TEST(RemoveSpacesInList, DropsWhiteSpaceAroundItems) {
    const std::pair<const char*, const char*> cases[] = {
        {"DLH, BAW ,AFR", "DLH,BAW,AFR"},
        {"DLH,BAW", "DLH,BAW"},
        {" DLH ", "DLH"},
        {"", ""},
    };
    for (const auto& [text, expected] : cases) {
        std::string list = text;
        gf_removeSpacesInList(list);
        EXPECT_EQ(list, expected) << text;
    }
}

TEST(Comparisons, UpperCaseAndStar) {
    EXPECT_TRUE(gf_equalsUpperCase(".XML", ".xMl"));
    EXPECT_FALSE(gf_equalsUpperCase(".XML", ".XM"));
    EXPECT_FALSE(gf_equalsUpperCase(".xml", ".xml"));
    EXPECT_TRUE(gf_equalsWithStar("DLH123", "DLH123*"));
    EXPECT_FALSE(gf_equalsWithStar("DLH123", "DLH123"));
    EXPECT_FALSE(gf_equalsWithStar("DLH123", "DLH1234"));
    EXPECT_EQ(toUpperChar('a'), 'A');
    EXPECT_EQ(toLowerChar('Z'), 'z');
    EXPECT_EQ(toUpperChar('\xE4'), '\xE4');
}

TEST(MakeBanner, StarsAroundTheText) {
    struct Case {
        int widthA;
        int widthB;
        bool lead;
        bool trail;
        const char* text;
        std::string expected;
    };
    const std::string stars34(34, '*');
    const Case cases[] = {
        {70, 0, true, false, "text", "\n" + stars34 + " text " + stars34},
        {70, 0, false, false, "parameters", stars34 + " parameters " + stars34},
        {64, 36, false, true, "", std::string(100, '*') + "\n"},
        {5, 0, false, false, "", std::string(6, '*')},  // rounded up to even
        {6, 0, false, false, "four", "four"},           // no room for stars
        {7, 0, false, false, "four", "*** four ***"},
        {-3, 0, true, true, "", "\n\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(gf_makeBanner(c.widthA, c.widthB, c.lead, c.trail, c.text), c.expected) << c.widthA << c.text;
    }
    EXPECT_EQ(gf_makeBanner(64, 0, true, false, "live traffic livery matching summary").size(), 101U);
}

TEST(NumberTexts, FormatNumberPercentAndPlural) {
    EXPECT_EQ(gf_formatNumber(2.0F), "2");
    EXPECT_EQ(gf_formatNumber(2.5F), "2.5");
    EXPECT_EQ(gf_formatNumber(24.0F), "24");
    EXPECT_EQ(gf_formatNumber(-0.5F), "-0.5");

    const std::tuple<std::int64_t, std::int64_t, int> percents[] = {
        {1, 3, 33}, {2, 3, 67}, {1, 8, 13}, {0, 5, 0}, {5, 0, 0}, {5, -2, 0}, {-1, 8, -13}, {30, 30, 100}};
    for (const auto& [part, total, percent] : percents) {
        EXPECT_EQ(gf_percentOf(part, total), percent) << part << "/" << total;
    }
    EXPECT_THROW(gf_percentOf(std::numeric_limits<std::int64_t>::max(), 1), gsl::narrowing_error);

    EXPECT_EQ(gf_pluralSuffix(1), "");
    EXPECT_EQ(gf_pluralSuffix(0), "s");
    EXPECT_EQ(gf_pluralSuffix(2), "s");
}

}  // namespace
