// One scan worker's file: the walk through its sections and records, to
// the airports it reads, the files it hands to the unrecognised-airport
// search, and the hostile or broken files it must survive.

#include "airports/airports_state.h"
#include "scanner/bgl_scan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/settings.h"
#include "scanner/scan_log.h"
#include "scanner/scanner_state.h"
#include "scanner/support/bgl_builder.h"
#include "scanner/support/scanner_fixture.h"

namespace {

namespace fs = std::filesystem;

// Byte offsets in the files of test::BglBuilder.
constexpr std::size_t kTableOffsetByte = 4;
constexpr std::size_t kSectionCountByte = 20;
constexpr std::size_t kAirportFlagsByte = 80;
constexpr std::size_t kSubsectionTableByte = 88;
constexpr std::size_t kFirstRecordOffsetByte = 104;
constexpr std::size_t kFirstRecordSizeByte = 114;

void lf_setU32(std::string& bytes, std::size_t offset, std::uint32_t value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);  // little-endian here as in the file
}

class BglScanTest : public test::ScannerTest {
protected:
    BglScanTest() { makeDataFolders(); }

    // The file in a Community package without a manifest (publisher unknown).
    fs::path bgl(const std::string& name, const std::string& bytes) const {
        return writeFile(fs::path("Community") / "some-airport" / "scenery" / name, bytes);
    }
    static test::BglAirport eham() {
        test::BglAirport airport;
        airport.parkings = {{.number = 1}, {.number = 2}};
        return airport;
    }
};

TEST_F(BglScanTest, EveryAirportOfTheFileIsRead) {
    test::BglAirport second;
    second.icao = "EDDS";
    second.helipads = {{48.7, 9.2, 20.0F}};
    test::BglAirport unusable;
    unusable.icao = "E DS";
    unusable.parkings = {{.number = 1}};
    const fs::path file =
        bgl("two.bgl", test::BglBuilder().airport(eham()).record(0x19, 24).airport(unusable).airport(second).bytes());
    lf_processBGLfile(file);
    EXPECT_EQ(scanLogLinesWith("Generated"), (std::vector<std::string>{"Generated EHAM.xml: 2 positions",
                                                                       "Generated EDDS.xml: 1 position, of which 1 helipad"}));
    EXPECT_EQ(scanLogLinesWith("Try find publisher").size(), 2U) << "an unusable ident is passed over";
    EXPECT_TRUE(fs::exists(folder() / "airports" / "my_thirdparty" / "EHAM.xml"));
}

TEST_F(BglScanTest, AnAirportWhoseIdentIsNotFourCharactersLongIsNamedInTheScanLog) {
    struct Case {
        std::string ident;
        bool named;  // a line names the file and the ident
    };
    const Case cases[] = {{"K3N", true}, {"EHAMX", true}, {"E DS", false}, {"EHAM", false}};
    for (const Case& c : cases) {
        ScanLog.lines.clear();
        test::BglAirport airport = eham();
        airport.icao = c.ident;
        const fs::path file = bgl("field.bgl", test::BglBuilder().airport(airport).bytes());
        lf_processBGLfile(file);
        const std::vector<std::string> expected{"Airport " + c.ident + " in " + file.string() +
                                                " skipped: only four-character idents get stand files"};
        EXPECT_EQ(scanLogLinesWith(" skipped: only four-character"), c.named ? expected : std::vector<std::string>{})
            << c.ident;
        EXPECT_EQ(scanLogLinesWith("Generated").size(), c.ident == "EHAM" ? 1U : 0U) << c.ident;
    }
}

TEST_F(BglScanTest, UnrecognisedAirportEndsTheFileInMsfs2024Only) {
    airportList = {{"EHAM", "AMS", 52.3, 4.76, -11.0}};
    const fs::path file = bgl("eham.bgl", test::BglBuilder().record(0x113, 16).airport(eham()).bytes());

    SIM_CHOICE.value = "MSFS 2024";
    lf_processBGLfile(file);
    EXPECT_EQ(scanLogLinesWith("Not recognised airport"),
              (std::vector<std::string>{"\n==> Not recognised airport " + file.string(),
                                        "Not recognised airport has ICAO code 'EHAM' as BGL stem"}));
    EXPECT_TRUE(scanLogLinesWith("Generated").empty()) << "no airport of the file is read";

    ScanLog.lines.clear();
    SIM_CHOICE.value = "MSFS 2020";
    lf_processBGLfile(file);
    EXPECT_TRUE(scanLogLinesWith("Not recognised").empty());
    EXPECT_EQ(scanLogLinesWith("Generated"), std::vector<std::string>{"Generated EHAM.xml: 2 positions"});
}

TEST_F(BglScanTest, RecordOfSizeZeroEndsTheWalk) {
    lf_processBGLfile(bgl("zero.bgl", test::BglBuilder().record(0x99, 0).airport(eham()).bytes()));
    EXPECT_TRUE(scanLogLines().empty());
}

TEST_F(BglScanTest, HostileOrBrokenFilesNeverReadPastTheirEnd) {
    struct Case {
        std::string name;
        std::function<void(std::string&)> change;
        bool airportRead;
        bool fails;
    };
    const std::vector<Case> cases = {
        {"intact", [](std::string&) {}, true, false},
        {"no section table at 0x38", [](std::string& b) { lf_setU32(b, kTableOffsetByte, 0x39); }, false, false},
        {"shorter than the header", [](std::string& b) { b.resize(56); }, false, false},
        {"one byte", [](std::string& b) { b.resize(1); }, false, true},
        {"sections beyond the file", [](std::string& b) { lf_setU32(b, kSectionCountByte, 0xFFFFFFFFU); }, true,
         false},
        {"subsection entries of 20 bytes", [](std::string& b) { lf_setU32(b, kAirportFlagsByte, 0x10001U); }, false,
         false},
        {"subsection table beyond the file",
         [](std::string& b) { lf_setU32(b, kSubsectionTableByte, 0x7FFFFFF0U); }, false, true},
        {"first record beyond the file", [](std::string& b) { lf_setU32(b, kFirstRecordOffsetByte, 0xFFFFFFF0U); },
         false, false},
        {"airport larger than the file",
         [](std::string& b) { lf_setU32(b, kFirstRecordSizeByte - 2, 0xFFFF0056U); }, true, false},
        {"cut inside the parking list", [](std::string& b) { b.resize(b.size() - 60); }, false, true},
    };
    const std::string bytes = test::BglBuilder().airport(eham()).bytes();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScanLog.lines.clear();
        std::string changed = bytes;
        c.change(changed);
        const fs::path file = bgl(c.name + ".bgl", changed);
        if (c.fails) {
            EXPECT_THROW(lf_processBGLfile(file), std::out_of_range);
            EXPECT_EQ(logLinesWith("Exception in lf_processBGLfile: " + file.string()).size(), 1U);
        } else {
            EXPECT_NO_THROW(lf_processBGLfile(file));
        }
        EXPECT_EQ(scanLogLinesWith("Generated").size(), c.airportRead ? 1U : 0U);
    }
}

TEST_F(BglScanTest, FileThatDoesNotOpenIsLeftAlone) {
    EXPECT_NO_THROW(lf_processBGLfile(folder() / "missing.bgl"));
    EXPECT_TRUE(scanLogLines().empty());
    EXPECT_TRUE(logLinesWith("Exception").empty());
}

}  // namespace
