// Livery records with titles unique per scan, and LiveriesScanned.xml
// written and read back.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "core/data_paths.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/meta_block.h"
#include "liveries/liveries_file.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_data.h"
#include "liveries/support/liveries_fixture.h"

namespace {

using test::makeLivery;

class LiveriesFileTest : public test::LiveriesTest {
protected:
    LiveriesFileTest() { std::filesystem::create_directories(folder() / "output"); }

    void writeCatalog(std::string_view liveries) const {
        writeText(
            dataPaths.liveriesCatalogFile,
            fmtlib::format(R"(<meta><info name="author" value="Someone"/><info name="date" value="1 May"/></meta>{})",
                           liveries));
    }

    std::string readError() const {
        try {
            readLiveriesScanned();
        } catch (const qrx::UserErrorException& error) {
            return error.what();
        }
        return "no error";
    }

    const std::string catalogPath = dataPaths.liveriesCatalogFile.string();
};

TEST_F(LiveriesFileTest, TitlesAreHandedOutOncePerScan) {
    const LiveryData first = makeLiveryData(2, "KLM", "B738", true, "KLM 737", "PH-BXA");
    EXPECT_EQ(first, makeLivery("KLM", "B738", "KLM 737", "PH-BXA"));
    EXPECT_EQ(first.folderOrdinal, 2);
    EXPECT_TRUE(makeLiveryData(1, "FDX", "B763", false, "FedEx 767", "").cargo);
    const LiveryData repeat = makeLiveryData(3, "TRA", "B738", true, "KLM 737", "");
    EXPECT_EQ(repeat, LiveryData{});
    EXPECT_EQ(repeat.folderOrdinal, 0);
    EXPECT_EQ(liveryTitles.size(), 2u);
    liveryTitles.clear();
    EXPECT_EQ(makeLiveryData(3, "TRA", "B738", true, "KLM 737", "").airline, "TRA");
}

TEST_F(LiveriesFileTest, ThreadsRacingForOneTitleGetItOnce) {
    std::vector<std::thread> threads;
    std::atomic<int> winners = 0;
    for (int thread = 0; thread < 8; ++thread) {
        threads.emplace_back([&] {
            for (int title = 0; title < 200; ++title) {
                winners += makeLiveryData(1, "KLM", "B738", true, std::to_string(title), "").title.empty() ? 0 : 1;
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(winners, 200);
}

TEST_F(LiveriesFileTest, EqualityIgnoresTheFolderOrdinal) {
    LiveryData a = makeLivery("KLM", "B738", "KLM 737", "PH-BXA");
    LiveryData b = a;
    b.folderOrdinal = 7;
    EXPECT_EQ(a, b);
    b.cargo = true;
    EXPECT_NE(a, b);
}

TEST_F(LiveriesFileTest, WrittenAndReadBack) {
    liveryList = {makeLivery("ZZZ", "C172", "Cessna & \"Friends\" <1>"), makeLivery("KLM", "B738", "KLM 737", "PH-BXA"),
                  makeLivery("FDX", "B763", "FedEx 767", "", true), makeLivery("KLM", "A320", "KLM A320")};
    liveryList.front().folderOrdinal = 4;
    const auto written = liveryList;
    writeLiveriesScanned();
    EXPECT_TRUE(logged(fmtlib::format("'{}' saved", catalogPath)));
    EXPECT_TRUE(logged(fmtlib::format("4 liveries in {}", catalogPath)));
    const std::string xml = readText(dataPaths.liveriesCatalogFile);
    EXPECT_NE(xml.find(R"(<liv airl="KLM" type="B738" title="KLM 737" atcid="PH-BXA" />)"), std::string::npos) << xml;
    EXPECT_NE(xml.find(R"(<liv airl="FDX" type="B763" cargo="true" title="FedEx 767" />)"), std::string::npos) << xml;
    EXPECT_LT(xml.find("<meta>"), xml.find("<liveries>"));

    readLiveriesScanned();
    auto expected = written;
    expected.front().folderOrdinal = 0;
    expected.sort([](const LiveryData& a, const LiveryData& b) {
        return std::tie(a.airline, a.model, a.title) < std::tie(b.airline, b.model, b.title);
    });
    EXPECT_EQ(liveryList, expected);
    for (const LiveryData& livery : liveryList) {
        EXPECT_EQ(livery.folderOrdinal, 0);
    }
    EXPECT_EQ(liveryList.front().airline, "FDX");
    EXPECT_EQ(meta::author.value.load(), "Vantrel");
    EXPECT_TRUE(logged(fmtlib::format("4 liveries read from {}", catalogPath)));
}

TEST_F(LiveriesFileTest, EmptyListWritesNothing) {
    writeLiveriesScanned();
    EXPECT_FALSE(std::filesystem::exists(dataPaths.liveriesCatalogFile));
    EXPECT_TRUE(logLines().empty());
}

TEST_F(LiveriesFileTest, CargoValuesAndOptionalAttributes) {
    writeCatalog(R"(<liveries>
        <liv title="a" type="A320" airl="KLM" cargo="yes"/>
        <liv airl="KLM" type="A320" title="b" cargo="1"/>
        <liv airl="KLM" type="A320" title="c" cargo="no"/>
        <liv airl="KLM" type="A320" title="d" cargo="false"/>
        <liv airl="KLM" type="A320" title="e" cargo="True"/>
        <liv airl="KLM" type="A320" title="f"/>
        <other airl="KLM"/>
      </liveries>)");
    readLiveriesScanned();
    std::vector<std::pair<std::string, bool>> read;
    for (const LiveryData& livery : liveryList) {
        read.emplace_back(livery.title, livery.cargo);
        EXPECT_EQ(livery.atcId, "");
    }
    EXPECT_EQ(read, (std::vector<std::pair<std::string, bool>>{
                        {"a", true}, {"b", true}, {"c", false}, {"d", false}, {"e", true}, {"f", false}}));
    EXPECT_EQ(meta::author.value.load(), "Someone");
    EXPECT_EQ(meta::date.value.load(), "1 May");
    EXPECT_EQ(meta::version.value.load(), "");  // not in the file
}

TEST_F(LiveriesFileTest, UserErrorsOfTheReader) {
    EXPECT_EQ(readError(), fmtlib::format("51: File {} not found", catalogPath));
    writeText(dataPaths.liveriesCatalogFile, "<liveries><liv airl=");
    EXPECT_EQ(readError(), fmtlib::format("51: File {} not found", catalogPath));
    writeCatalog("<livery/>");
    EXPECT_EQ(readError(), fmtlib::format("52: {} does not contain a <liveries> section", catalogPath));
    writeCatalog("<liveries><other/></liveries>");
    EXPECT_EQ(readError(), fmtlib::format("533: {} does not contain liveries", catalogPath));
    for (const std::string_view missing : {"airl", "type", "title"}) {
        std::string liv = R"(<liv airl="KLM" type="A320" title="b"/>)";
        liv.replace(liv.find(missing), missing.size(), "gone");
        writeCatalog(fmtlib::format(R"(<liveries><liv airl="KLM" type="A320" title="a"/>{}
                                    <liv airl="KLM" type="A320" title="c"/></liveries>)",
                                    liv));
        EXPECT_EQ(readError(), fmtlib::format("999: Missing required attribute '{}' in <liv>", missing));
        ASSERT_EQ(liveryList.size(), 1u);  // the records before it stay
        EXPECT_EQ(liveryList.front().title, "a");
    }
}

}  // namespace
