// The registration-code lists (the AIG list and the user's my_regcodes
// files) and their merge into the catalogue's registration map.

#include <gtest/gtest.h>

#include "core/data_paths.h"
#include "core/format.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_catalog.h"
#include "liveries/regcode_lists.h"
#include "liveries/regcode_merge.h"
#include "liveries/support/liveries_fixture.h"

void PrintTo(const RegcodeEntry& entry, std::ostream* out) {
    *out << fmtlib::format("{{{} [{}] {}}}", entry.title, fmtlib::join(entry.regcodes, ","), entry.special);
}

namespace {

using test::makeLivery;
using Regcodes = std::vector<std::string>;

class RegcodesTest : public test::LiveriesTest {
protected:
    const std::filesystem::path myRegcodes = dataPaths.myRegcodesFolder;

    std::vector<RegcodeEntry> readFolder(bool expectedResult) const {
        std::vector<RegcodeEntry> entries;
        EXPECT_EQ(readRegcodeTxtFolder(myRegcodes, entries), expectedResult);
        return entries;
    }
    std::vector<RegcodeEntry> readAig(bool expectedResult) const {
        std::vector<RegcodeEntry> entries;
        EXPECT_EQ(readAigRegcodesXml(entries), expectedResult);
        return entries;
    }
    static std::string boundTitle(const std::string& registration) {
        const auto found = liveryCatalog.regcodeTitles.find(registration);
        return found == liveryCatalog.regcodeTitles.end() ? "<none>" : std::string(found->second);
    }
};

TEST_F(RegcodesTest, LinesOfTheUserLists) {
    const struct {
        std::string_view line;
        std::vector<RegcodeEntry> entries;
        std::vector<std::string_view> errors;  // logged, with the file's path for {}
    } cases[] = {
        {"Some Airline A320;PHABC", {{"Some Airline A320", {"PHABC"}, true}}, {}},
        {"Some Airline A320;PHABC;x", {{"Some Airline A320", {"PHABC"}, true}}, {}},  // one: always special
        {"Some Airline A320;PHABC,PHABD", {{"Some Airline A320", {"PHABC", "PHABD"}, false}}, {}},
        {"Some Airline A320;PHABC,PHABD;#", {{"Some Airline A320", {"PHABC", "PHABD"}, true}}, {}},
        {"Some Airline A320;PHABC,PHABD;x", {{"Some Airline A320", {"PHABC", "PHABD"}, false}}, {}},
        {"A320; PHABD , PHABC,PHABC", {{"A320", {"PHABC", "PHABD"}, false}}, {}},
        {"Template livery", {{"Template livery", {}, false}}, {}},  // don't use
        {"   ", {}, {}},
        {"Some Airline A320;", {}, {}},
        {"Some Airline A320;  ", {}, {}},
        {"A320;ABC,ABCDEFGHIJKL", {{"A320", {"ABC", "ABCDEFGHIJKL"}, false}}, {}},
        {"A320;AB", {}, {"===> wrong regcode length 'AB' in {}"}},
        {"A320;ABCDEFGHIJKLM", {}, {"===> wrong regcode length 'ABCDEFGHIJKLM' in {}"}},
        {"A320;AB,PHABC", {{"A320", {"PHABC"}, false}}, {"===> wrong regcode length 'AB' in {}"}},
        {"A320;XY,AB;#",
         {},
         {"===> wrong regcode length 'AB' in {}", "===> wrong regcode length 'XY' in {}", "===> {} ; regs empty?"}},
        {"A320;PHABC;#;more", {}, {"===> {}: wrong format 'A320;PHABC;#;more'"}},
    };
    const std::string listPath = (myRegcodes / "LIST.txt").string();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        writeText(myRegcodes / "LIST.txt", fmtlib::format("\n{}\r\n", c.line));
        const std::size_t linesBefore = logLines().size();
        EXPECT_EQ(readFolder(c.errors.empty()), c.entries);
        std::vector<std::string> expected{fmtlib::format("Processing regcodes file '{}'", listPath)};
        for (const std::string_view error : c.errors) {
            expected.push_back(fmtlib::format(fmtlib::runtime(error), listPath));
        }
        expected.push_back(fmtlib::format("{} {}", c.entries.size(), c.entries.size() == 1 ? "livery" : "liveries"));
        const auto lines = logLines();
        EXPECT_EQ(std::vector<std::string>(lines.begin() + static_cast<long>(linesBefore), lines.end()), expected);
    }
}

TEST_F(RegcodesTest, OnlyTxtFilesOfTheFolderItself) {
    writeText(myRegcodes / "LIST.txt", "a;PHAAA\nb;PHBBB\n");
    writeText(myRegcodes / "more.TXT", "c;PHCCC\n");
    writeText(myRegcodes / "LIST.csv", "d;PHDDD\n");
    writeText(myRegcodes / "sub" / "deeper.txt", "e;PHEEE\n");
    std::filesystem::create_directories(folder() / myRegcodes / "folder.txt");
    const auto entries = readFolder(true);
    std::vector<std::string> titles;
    for (const auto& entry : entries) {
        titles.push_back(entry.title);
    }
    std::sort(titles.begin(), titles.end());
    EXPECT_EQ(titles, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(logged("3 liveries"));
}

TEST_F(RegcodesTest, ListsSavedWithAnEncodingMark) {
    writeText(myRegcodes / "bom.txt", "\xEF\xBB\xBFMy A320;PHABC\r\nOther;PHABD\r\n");
    const std::u16string utf16 = u"\uFEFFCaf\u00e9 A320;PHABE\r\n";
    writeText(myRegcodes / "utf16.txt",
              std::string_view(reinterpret_cast<const char*>(utf16.data()), utf16.size() * sizeof(char16_t)));
    auto entries = readFolder(true);
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.title < b.title; });
    EXPECT_EQ(entries, (std::vector<RegcodeEntry>{{"Caf\xC3\xA9 A320", {"PHABE"}, true},
                                                  {"My A320", {"PHABC"}, true},
                                                  {"Other", {"PHABD"}, true}}));
}

TEST_F(RegcodesTest, MissingFolderIsLogged) {
    std::vector<RegcodeEntry> entries{{"kept", {}, false}};
    EXPECT_FALSE(readRegcodeTxtFolder(folder() / "absent", entries));
    EXPECT_EQ(entries.size(), 1u);
    const auto lines = logLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(lines.back().starts_with(
        fmtlib::format("===> Error reading regcode files in {}, what: ", (folder() / "absent").string())));
}

TEST_F(RegcodesTest, AigList) {
    writeText(dataPaths.regcodesXmlFile, R"(<?xml version="1.0"?>
        <other><livery title="not read" reg="X"/></other>
        <AIG-regcodes>
          <livery title="KLM 737" reg="PH-BXB, PH-BXA"/>
          <livery title="KLM 737" reg="PH-BXC"/>
          <livery title="" reg="PH-BXD"/>
          <livery title="Retro" reg="G-EUPJ" special="true"/>
          <livery title="KLM 737" reg="PH-BXE" special="no"/>
          <livery title="Template"/>
        </AIG-regcodes>)");
    const auto entries = readAig(false);
    EXPECT_EQ(entries, (std::vector<RegcodeEntry>{{"KLM 737", {"PH-BXA", "PH-BXB"}, false},
                                                  {"Retro", {"G-EUPJ"}, true},
                                                  {"KLM 737", {"PH-BXE"}, false},
                                                  {"Template", {}, false}}));
    EXPECT_TRUE(logged("===> SAME AS PREVIOUS title 'KLM 737'"));
    EXPECT_TRUE(logged(fmtlib::format("4 liveries read from {}", dataPaths.regcodesXmlFile.string())));
}

TEST_F(RegcodesTest, AigListOfOneOrNone) {
    writeText(dataPaths.regcodesXmlFile, R"(<AIG-regcodes><livery title="a" reg="PHAAA"/></AIG-regcodes>)");
    EXPECT_EQ(readAig(true).size(), 1u);
    EXPECT_TRUE(logged(fmtlib::format("1 livery read from {}", dataPaths.regcodesXmlFile.string())));
    writeText(dataPaths.regcodesXmlFile, "<regcodes/>");
    EXPECT_TRUE(readAig(true).empty());
    std::filesystem::remove(folder() / dataPaths.regcodesXmlFile);
    EXPECT_TRUE(readAig(false).empty());
    EXPECT_TRUE(logged(fmtlib::format("===> Failed to load {}", dataPaths.regcodesXmlFile.string())));
}

TEST_F(RegcodesTest, InlineRegistrationsAndTheirClashes) {
    buildCatalog({makeLivery("KLM", "B738", "KLM 737 a", "PH-BXA"), makeLivery("KLM", "B738", "KLM 737 b", "PH-BXA"),
                  makeLivery("KLM", "B738", "KLM 737 c", "PH-BXC"), makeLivery("TRA", "B738", "Transavia")});
    EXPECT_EQ(boundTitle("PH-BXA"), "KLM 737 a");  // the first keeps it
    EXPECT_EQ(boundTitle("PH-BXC"), "KLM 737 c");
    EXPECT_EQ(liveryCatalog.regcodeTitles.size(), 2u);
    const auto report = dataPaths.inlineRegcodesReportFile;
    EXPECT_EQ(readText(report), "PH-BXA 'KLM 737 b' => already in use by 'KLM 737 a'\n");
    EXPECT_TRUE(logged(fmtlib::format("1 in-line regcode clashes, see '{}'", report.string())));
}

TEST_F(RegcodesTest, InlineRegistrationOfALiveryNotInTheCatalogue) {
    buildCatalog({makeLivery("KLM", "B738", "KLM 737", "PH-BXA")});
    liveryList.push_back(makeLivery("DLH", "A20N", "Lufthansa", "D-AINA"));
    checkInlineRegcodes();
    EXPECT_EQ(readText(dataPaths.inlineRegcodesReportFile),
              "==> [DLH A20N] D-AINA 'Lufthansa' not available, system error, should not happen?\n");
}

TEST_F(RegcodesTest, LaterSourcesOverrideEarlierOnes) {
    buildCatalog({makeLivery("KLM", "B738", "L1", "PH-BXA"), makeLivery("KLM", "B738", "L2"),
                  makeLivery("KLM", "B738", "L3"), makeLivery("KLM", "B738", "L4")});
    mergeRegcodes({{"L2", {"PH-BXA", "PH-BXB"}, false}, {"Not installed", {"PH-BXC"}, false}});
    mergeRegcodes({{"L3", {"PH-BXA"}, true}, {"L2", {"PH-BXB"}, false}, {"L4", {"D-A", "D-B", "D-C"}, true}});
    mergeRegcodes({});
    EXPECT_EQ(boundTitle("PH-BXA"), "L3");
    EXPECT_EQ(boundTitle("PH-BXB"), "L2");
    EXPECT_EQ(boundTitle("PH-BXC"), "<none>");
    EXPECT_EQ(boundTitle("D-B"), "L4");
    EXPECT_EQ(regcodeMessages, (std::vector<std::string>{
                                   "   regcode PH-BXA for 'L2', instead of the same for 'L1'",
                                   "1 new regcode added, 1 regcode replaced",
                                   "   regcode PH-BXA for 'L3', instead of the same for 'L2'",
                                   "3 new regcodes added, 1 regcode replaced, 2 regcodes defined as special",
                                   "0 new regcodes added",
                               }));
    std::vector<std::string> special(liveryCatalog.specialTitles.begin(), liveryCatalog.specialTitles.end());
    EXPECT_EQ(special, (std::vector<std::string>{"L3", "L4"}));
    EXPECT_EQ(liveryCatalog.specialTitles.front().data(), findCatalogTitle("L3").data());
}

}  // namespace
