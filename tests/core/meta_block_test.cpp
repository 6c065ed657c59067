#include "core/core_state.h"
#include "core/meta_block.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <pugixml.hpp>
#include <utility>
#include <vector>

#include "core/calendar.h"

namespace {

using testing::ElementsAre;
using testing::Pair;

using Entries = std::vector<std::pair<std::string, std::string>>;

class MetaBlock : public testing::Test {
protected:
    void TearDown() override { simulatorKind = "MSFS"; }

    static Entries writtenEntries() {
        pugi::xml_document document;
        EXPECT_TRUE(gf_writeMetaBlock(document));
        document.append_child("parkpositions");
        EXPECT_STREQ(document.first_child().name(), "meta");
        Entries entries;
        for (const auto info : document.child("meta").children()) {
            EXPECT_STREQ(info.name(), "info");
            EXPECT_STREQ(info.first_attribute().name(), "name");
            entries.emplace_back(info.attribute("name").value(), info.attribute("value").value());
        }
        return entries;
    }
};

TEST_F(MetaBlock, WritesAuthorVersionDateCopyrightAndSimulator) {
    const struct {
        const char* kind;
        const char* name;
        const char* value;
    } rows[] = {{"MSFS", "MSFS", "2020"}, {"MSFS2024", "MSFS", "2024"}, {"P3D", "P3D", "v5/v6"}};
    for (const auto& row : rows) {
        simulatorKind = row.kind;
        EXPECT_THAT(writtenEntries(),
                    ElementsAre(Pair("author", "Vantrel"), Pair("version", "11.0.3"), Pair("date", gf_currentDate()),
                                Pair("copyright", meta::copyright.defaultValue), Pair(row.name, row.value)))
            << row.kind;
    }
}

TEST_F(MetaBlock, ReadsEntriesBackAndEmptiesMissingOnes) {
    pugi::xml_document document;
    ASSERT_TRUE(gf_writeMetaBlock(document));
    EXPECT_TRUE(gf_readMetaInfo(document, meta::version));
    EXPECT_EQ(meta::version.value, "11.0.3");
    EXPECT_TRUE(gf_readMetaInfo(document.child("meta"), meta::author));  // any node of the document
    EXPECT_EQ(meta::author.value, "Vantrel");

    pugi::xml_document withoutMeta;
    ASSERT_TRUE(withoutMeta.load_string("<liveries><info name='version' value='1.2.3'/></liveries>"));
    EXPECT_FALSE(gf_readMetaInfo(withoutMeta, meta::version));
    EXPECT_EQ(meta::version.value, "");

    pugi::xml_document withoutValue;
    ASSERT_TRUE(withoutValue.load_string("<meta><info name='date'/></meta>"));
    meta::date.value = "before";
    EXPECT_TRUE(gf_readMetaInfo(withoutValue, meta::date));
    EXPECT_EQ(meta::date.value, "");
}

TEST_F(MetaBlock, WriteFailsOnANodeThatCannotHoldIt) {
    pugi::xml_document document;
    pugi::xml_node text = document.append_child(pugi::node_pcdata);
    EXPECT_FALSE(gf_writeMetaBlock(text));
}

}  // namespace
