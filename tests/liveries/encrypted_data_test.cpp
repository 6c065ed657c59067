// The encrypted data files: the aircraft database and the AIG registration
// codes are decrypted for reading and their plain files removed again; the
// user's lists are used also when the AIG list cannot be decrypted.

#include <gtest/gtest.h>

#include "core/data_paths.h"
#include "core/format.h"
#include "liveries/aircraft_database.h"
#include "liveries/dbase_file.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_catalog.h"
#include "liveries/regcode_lists.h"
#include "liveries/regcode_merge.h"
#include "liveries/support/liveries_fixture.h"

namespace {

using test::makeLivery;

class EncryptedDataTest : public test::LiveriesTest {
protected:
    bool exists(const std::filesystem::path& relative) const { return std::filesystem::exists(folder() / relative); }
    std::string readDbaseError() const {
        try {
            gf_readDbase();
        } catch (const std::exception& error) {
            return error.what();
        }
        return "no error";
    }
    void copySampleFile(const std::filesystem::path& encrypted) const {
        std::filesystem::create_directories(folder() / encrypted.parent_path());
        std::filesystem::copy_file(std::filesystem::path(VANTREL_BINARY_DIR) / encrypted, folder() / encrypted);
    }

    const std::string offlineReport = (dataPaths.infoFolder / "OfflineRegcodes.txt").string();
};

TEST_F(EncryptedDataTest, SampleDatabaseDecryptsAndLoads) {
    copySampleFile(dataPaths.dbaseEncFile);
    EXPECT_TRUE(gf_readDbase());
    EXPECT_TRUE(gf_isKnownAircraftType("A20N"));
    EXPECT_EQ(gf_getRegcodeAirline("PHBXA"), "KLM");
    EXPECT_FALSE(exists(dataPaths.dbaseXmlFile));
    EXPECT_TRUE(exists(dataPaths.dbaseEncFile));
}

TEST_F(EncryptedDataTest, DatabaseFailures) {
    const std::string encrypted = dataPaths.dbaseEncFile.string();
    EXPECT_EQ(readDbaseError(), fmtlib::format("{} not available", encrypted));
    writeText(dataPaths.dbaseEncFile, "not encrypted");
    EXPECT_EQ(readDbaseError(), fmtlib::format("{} stream decrypt failed", encrypted));
    EXPECT_FALSE(exists(dataPaths.dbaseXmlFile));
    writeEncrypted(dataPaths.dbaseEncFile, "<aircrafts><aircraft types=\"A320\"/></aircrafts>");
    EXPECT_TRUE(readDbaseError().starts_with("61: In XML file section [high_performance]"));
    EXPECT_FALSE(exists(dataPaths.dbaseXmlFile));  // removed also after a failure
}

TEST_F(EncryptedDataTest, DontUseTitlesOfBothLists) {
    copySampleFile(dataPaths.regcodesEncFile);
    writeText(dataPaths.myRegcodesFolder / "mine.txt", "My template\nMine;PHABC\nOther template\n");
    readDontUseTitleLists();
    EXPECT_EQ(dontUseTitles, (std::vector<std::string>{"Airbus A320 Neo TEMPLATE", "My template", "Other template"}));
    EXPECT_TRUE(logged("1 don't use title read"));
    EXPECT_TRUE(
        logged(fmtlib::format("2 don't use titles read from files in {}", dataPaths.myRegcodesFolder.string())));
    EXPECT_FALSE(exists(dataPaths.regcodesXmlFile));
}

TEST_F(EncryptedDataTest, DontUseTitlesOfTheUserWithoutTheAigList) {
    writeText(dataPaths.myRegcodesFolder / "mine.txt", "My template\n");
    readDontUseTitleLists();
    EXPECT_EQ(dontUseTitles, std::vector<std::string>{"My template"});
}

TEST_F(EncryptedDataTest, RegcodeFilesAreMergedAndReported) {
    loadDbase();
    buildCatalog({makeLivery("KLM", "B738", "L1", "PH-BXA"), makeLivery("KLM", "B738", "L2"),
                  makeLivery("KLM", "B738", "L3")});
    writeEncrypted(dataPaths.regcodesEncFile, R"(<AIG-regcodes>
        <livery title="L2" reg="PH-BXA,PH-BXB" special="1"/>
        <livery title="L2" reg="PH-BXC"/>
        <livery title="Not installed" reg="PH-BXD"/>
      </AIG-regcodes>)");
    writeText(dataPaths.myRegcodesFolder / "mine.txt", "L3;PH-BXA,PH-BXE\nL3;AB\n");
    processRegcodeFiles();
    const std::string aig = dataPaths.regcodesXmlFile.string();
    const std::string mine = dataPaths.myRegcodesFolder.string();
    EXPECT_EQ(readText(offlineReport),
              fmtlib::format("Processing file {}\n"
                             "There were errors processing the AIG-regcode file '{}', see Log.txt\n"
                             "   regcode PH-BXA for 'L2', instead of the same for 'L1'\n"
                             "1 new regcode added, 1 regcode replaced, 1 regcode defined as special\n"
                             "Processing files in {}\n"
                             "There were errors processing the regcode files in folder '{}', see Log.txt\n"
                             "   regcode PH-BXA for 'L3', instead of the same for 'L2'\n"
                             "1 new regcode added, 1 regcode replaced\n",
                             aig, aig, mine, mine));
    EXPECT_TRUE(logged(fmtlib::format("Offline regcode files processed, results can be found in '{}'", offlineReport)));
    EXPECT_TRUE(logged("1 special liveries"));
    EXPECT_EQ(liveryCatalog.regcodeTitles.at("PH-BXA"), "L3");
    EXPECT_EQ(liveryCatalog.regcodeTitles.at("PH-BXE"), "L3");
    EXPECT_FALSE(exists(dataPaths.regcodesXmlFile));
}

TEST_F(EncryptedDataTest, UserListsAreMergedWhenTheAigListCannotBeDecrypted) {
    loadDbase();
    buildCatalog({makeLivery("KLM", "B738", "L1"), makeLivery("KLM", "B738", "L2")});
    writeText(dataPaths.regcodesEncFile, "damaged");
    writeText(dataPaths.myRegcodesFolder / "mine.txt", "L2;PH-BXA\n");
    processRegcodeFiles();
    EXPECT_EQ(liveryCatalog.regcodeTitles.at("PH-BXA"), "L2");
    EXPECT_EQ(readText(offlineReport),
              fmtlib::format("Processing files in {}\n1 new regcode added, 1 regcode defined as special\n",
                             dataPaths.myRegcodesFolder.string()));
    EXPECT_TRUE(logged(fmtlib::format("Offline regcode files processed, results can be found in '{}'", offlineReport)));
}

TEST_F(EncryptedDataTest, NothingToMergeLeavesTheLastReport) {
    loadDbase();
    buildCatalog({makeLivery("KLM", "B738", "L1")});
    writeText(offlineReport, "last report\n");
    processRegcodeFiles();
    EXPECT_EQ(readText(offlineReport), "last report\n");
    EXPECT_FALSE(logged(fmtlib::format("Offline regcode files processed, results can be found in '{}'", offlineReport)));
}

}  // namespace
