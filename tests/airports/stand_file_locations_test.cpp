// Which stand file an airport uses, the redirect files, the stand files of
// the download server, the learned file's place, and what the add-on scan
// reads of a stand file's publisher.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "airports/stand_file_downloads.h"
#include "airports/stand_file_locations.h"
#include "airports/stand_file_publisher.h"
#include "core/data_paths.h"
#include "core/format.h"
#include "core/settings.h"
#include "airports/support/stand_file_fixture.h"

namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

namespace fs = std::filesystem;

class StandFileLocations : public test::StandFileTest {
protected:
    static std::string standFile(const std::vector<std::pair<std::string, std::string>>& parameters) {
        return test::kStandFileMeta + test::standFileParameters(parameters) + "<parkpositions/>";
    }
    // The entries of the working folder, so that a test sees what was left behind.
    std::vector<std::string> workingFolderFiles() const {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            if (entry.is_regular_file() && entry.path().filename() != "Log.txt") {
                names.push_back(entry.path().filename().string());
            }
        }
        return names;
    }
};

TEST_F(StandFileLocations, TheFirstLineOfARedirectNamesTheStandFile) {
    struct Case {
        std::string content;
        std::optional<std::string> target;
    };
    const Case cases[] = {
        {"archive/simaddon/EHAM.xml", "archive/simaddon/EHAM.xml"},
        {"airports\\my_simaddon\\EHAM.xml  \t\r\nsecond line", "airports\\my_simaddon\\EHAM.xml"},
        {"airports/my_thirdparty/EHAM.xml.bak", "airports/my_thirdparty/EHAM.xml"},
        {"\xEF\xBB\xBF" "archive/EHAM.xml", "archive/EHAM.xml"},
        {"EHAM.XML", std::nullopt},
        {"\nairports/EHAM.xml", std::nullopt},
        {"", std::nullopt},
    };
    const fs::path redirect = folder / "EHAM.txt";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        test::writeBytes(redirect, c.content);
        std::string target = "unchanged";

        EXPECT_EQ(readRedirectFile(redirect, target), c.target.has_value());

        EXPECT_EQ(target, c.target.value_or("unchanged"));
    }
    std::string target;
    EXPECT_FALSE(readRedirectFile(folder / "none.txt", target));
}

TEST_F(StandFileLocations, TheFirstPlaceThatHasAFileWins) {
    const fs::path thirdparty = dataPaths.myThirdpartyFolder;
    const fs::path simaddon = dataPaths.mySimaddonFolder;
    server.serve("/MSFS/archive/stock/EHAM.xml", standFile({}));
    struct Case {
        std::vector<fs::path> files;  // a redirect's content names a server file
        std::string found;
    };
    const Case cases[] = {
        {{thirdparty / "EHAM.txt", thirdparty / "EHAM.xml"}, "archive/simaddon/EHAM.xml"},
        {{thirdparty / "EHAM.xml", simaddon / "EHAM.txt"}, "airports/my_thirdparty/EHAM.xml"},
        {{simaddon / "EHAM.txt", simaddon / "EHAM.xml"}, "archive/simaddon/EHAM.xml"},
        {{simaddon / "EHAM.xml"}, "airports/my_simaddon/EHAM.xml"},
        {{}, "archive/stock/EHAM.xml"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.found);
        for (const fs::path& file : c.files) {
            test::writeBytes(file, "archive/simaddon/EHAM.xml");
        }

        EXPECT_EQ(findAirportFile("EHAM"), c.found);
        const std::size_t requests = server.requests().size();
        EXPECT_TRUE(ensureAirportFile("EHAM"));
        // A local file satisfies ensureAirportFile without asking the server.
        EXPECT_EQ(server.requests().size(), requests + (c.files.empty() ? 1 : 0));

        for (const fs::path& file : c.files) {
            fs::remove(file);
        }
    }
    // The probes of the server left nothing behind.
    EXPECT_THAT(workingFolderFiles(), IsEmpty());
    EXPECT_EQ(findAirportFile("LFPG"), "");
    EXPECT_FALSE(ensureAirportFile("LFPG"));
}

TEST_F(StandFileLocations, ARedirectThatNamesNothingIsPassedOver) {
    test::writeBytes(dataPaths.myThirdpartyFolder / "EHAM.txt", "nothing here");
    test::writeBytes(dataPaths.myThirdpartyFolder / "EHAM.xml", "");
    EXPECT_EQ(findAirportFile("EHAM"), "airports/my_thirdparty/EHAM.xml");
}

// A redirect may only name a stand file inside the program's folder (or a
// server path that stays below the server's base); any other is refused,
// logged with the redirect file, and the folder's own stand file is used.
TEST_F(StandFileLocations, ARedirectThatLeadsOutsideIsRefused) {
    const fs::path redirect = dataPaths.myThirdpartyFolder / "LSZH.txt";
    test::writeBytes(dataPaths.myThirdpartyFolder / "LSZH.xml", "");
    for (const std::string target : {"airports/../../x/LSZH.xml", "../LSZH.xml", "archive/../../LSZH.xml",
                                     "airports\\..\\..\\x\\LSZH.xml", "/tmp/x/LSZH.xml", "C:\\x\\LSZH.xml",
                                     "c:LSZH.xml", "\\\\server\\share\\LSZH.xml"}) {
        SCOPED_TRACE(target);
        test::writeBytes(redirect, target + "\n");
        const std::size_t linesBefore = log.lines().size();

        EXPECT_EQ(findAirportFile("LSZH"), "airports/my_thirdparty/LSZH.xml");

        const std::vector<std::string> lines = log.lines();
        EXPECT_THAT(std::vector(lines.begin() + static_cast<std::ptrdiff_t>(linesBefore), lines.end()),
                    ElementsAre(fmtlib::format("===> Redirect '{}' in {} refused: it leads outside the program's "
                                               "folder",
                                               target, redirect.string())));
    }
}

TEST_F(StandFileLocations, ServerStandFilesComeFromTheFolderOfTheirKind) {
    SIM_CHOICE.value = "MSFS 2024";
    server.serve("/MSFS/archive/simaddon/EHAM.xml", "simaddon");
    server.serve("/MSFS/archive/stock/EHAM.xml", "stock");
    server.serve("/MSFS2024/thirdparty/EHAM.xml", "thirdparty");
    const fs::path local = folder / "local.xml";
    for (const auto& [serverPath, content] : {std::pair{"archive/simaddon/EHAM.xml", "simaddon"},
                                        {"archive/stock/EHAM.xml", "stock"},
                                        {"thirdparty/EHAM.xml", "thirdparty"}}) {
        EXPECT_EQ(downloadAirportFile(serverPath, local), "");
        EXPECT_EQ(test::readBytes(local), content);
    }

    const std::string failure = downloadAirportFile("archive/stock/LFPG.xml", local);

    EXPECT_EQ(failure, fmtlib::format("failed to download: '{}MSFS/archive/stock/LFPG.xml'", server.baseUrl()));
    EXPECT_THAT(log.lines(), Contains(HasSubstr(failure)));
    EXPECT_EQ(test::readBytes(local), "thirdparty");  // the old copy stays
}

TEST_F(StandFileLocations, TheLearnedFileMirrorsTheStandFilesPlace) {
    struct Case {
        std::string standFile;
        std::string publisher;
        std::string learned;
    };
    const Case cases[] = {
        {"airports/my_thirdparty/EHAM.xml", "P", "airports/learned/thirdparty\\P/EHAM.xml"},
        {"airports/my_thirdparty2024/EHAM.xml", "P", "airports/learned/thirdparty\\P/EHAM.xml"},
        {"airports/my_simaddon/EHAM.xml", "simaddon", "airports/learned/simaddon/EHAM.xml"},
        {"archive/stock/EHAM.xml", "stock", "airports\\learned\\stock\\EHAM.xml"},
        {"archive/stock/My%20Field.xml", "stock", "airports\\learned\\stock\\My Field.xml"},
        {"airports/my_thirdparty/EHAM.xml", "../../evil", "airports/learned/thirdparty\\.._.._evil/EHAM.xml"},
        {"airports/my_thirdparty/EHAM.xml", "..", "airports/learned/thirdparty\\_/EHAM.xml"},
        {"airports/my_thirdparty/EHAM.xml", "Orbx. ", "airports/learned/thirdparty\\Orbx__/EHAM.xml"},
        {"airports/my_thirdparty/EHAM.xml", "../..", "airports/learned/thirdparty\\..___/EHAM.xml"},
        {"airports/my_thirdparty/EHAM.xml", "A:B*C?\"<>|", "airports/learned/thirdparty\\A_B_C_____/EHAM.xml"},
        {"", "P", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(learnedFilePath(c.standFile, c.publisher), c.learned) << c.standFile << " " << c.publisher;
    }
    fs::create_directories(dataPaths.learnedThirdpartyFolder / "P");
    EXPECT_EQ(gf_localStandFilePath(learnedFilePath("airports/my_thirdparty/EHAM.xml", "P")),
              dataPaths.learnedThirdpartyFolder / "P" / "EHAM.xml");
}

TEST_F(StandFileLocations, OfflineLearningNeedsAQualityFactorAndWeeksOfTraffic) {
    struct Case {
        std::vector<std::pair<std::string, std::string>> parameters;
        bool suitable;
    };
    const Case cases[] = {
        {{{"Qf_real", "90"}, {"RT_traffic_week", "26"}}, false},
        {{{"Qf_soft", "0"}, {"RT_traffic_week", "27"}}, true},
        {{{"Qf_real", "-1"}, {"Qf_soft", "-1"}, {"RT_traffic_week", "40"}}, false},
        {{{"Qf_real", "50"}}, false},
    };
    for (const Case& c : cases) {
        server.serve("/MSFS/archive/stock/EHAM.xml", standFile(c.parameters));
        EXPECT_EQ(gf_checkOfflineLearning("EHAM"), c.suitable);
    }
    EXPECT_THAT(log.lines(), Contains("EHAM not suitable for offline learning"));

    server.serve("/MSFS/archive/stock/EHAM.xml", "<broken");
    EXPECT_FALSE(gf_checkOfflineLearning("EHAM"));
    EXPECT_THAT(log.lines(), Contains("===> Failed to load EHAM.xml"));
    EXPECT_FALSE(gf_checkOfflineLearning("LFPG"));
    EXPECT_THAT(log.lines(), Contains("===> Failed to download LFPG.xml"));
    EXPECT_THAT(workingFolderFiles(), IsEmpty());
}

TEST_F(StandFileLocations, ThePublisherAndItsDetails) {
    const fs::path file = folder / "EHAM.xml";
    struct Case {
        std::vector<std::pair<std::string, std::string>> parameters;
        std::string publisher;
        std::string details;
    };
    const Case cases[] = {
        {{{"publisher", "TropicalSim"}, {"manufacturer", "Tropical"}}, "TropicalSim", ""},
        {{{"publisher", "unknown"}, {"manufacturer", "Orbx"}, {"creator", "Fly"}}, "unknown",
         "manufacturer=Orbx, creator=Fly"},
        {{{"publisher", "unknown"}, {"manufacturer", "abc"}, {"creator", "xyz"}}, "unknown", ""},
        {{{"creator", "Aerosoft"}}, "", "manufacturer=, creator=Aerosoft"},
    };
    for (const Case& c : cases) {
        test::writeBytes(file, standFile(c.parameters));
        EXPECT_EQ(gf_readPublisher(file), c.publisher);
        EXPECT_EQ(gf_readPublisherDetails(file), c.details);
    }

    const fs::path missing = folder / "none.xml";
    EXPECT_EQ(gf_readPublisher(missing), "");
    EXPECT_EQ(gf_readPublisherDetails(missing), fmtlib::format("'{}' not found)", missing.string()));
}

}  // namespace
