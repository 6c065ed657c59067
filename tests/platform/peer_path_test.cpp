// The narrow text of a flight plan's path for the simulator on this PC:
// within its 260-byte field, in the code page the simulator reads it in, or
// none at all rather than a text that names another file.

#include "platform/os/peer_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "support/temp_folder.h"

namespace {

constexpr std::size_t kFieldSize = 260;

const std::filesystem::path kJuergen = u8"J\u00fcrgen";  // in code page 1252, Wine's default
const std::filesystem::path kTokyo = u8"\u6771\u4eac";   // in no single-byte code page

// Three folders of 100 letters: longer than the field however short the
// temporary folder is.
std::filesystem::path lf_longFolders() {
    return std::filesystem::path(std::string(100, 'a')) / std::string(100, 'b') / std::string(100, 'c');
}

std::filesystem::path lf_writePlan(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "7.pln";
    std::ofstream(file) << "<FlightPlan.FlightPlan/>";
    return file;
}

#ifdef _WIN32
bool lf_isAscii(const std::string& text) {
    return std::ranges::all_of(text, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

TEST(NarrowPathForPeer, WindowsGivesTheAnsiTextElseTheShortPathOfTheFile) {
    enum class Expected { Unchanged, Ansi, ShortPath };
    struct Case {
        const char* what;
        std::filesystem::path folder;
        Expected expected;
    };
    const Case cases[] = {
        {"ascii", "plans", Expected::Unchanged},
        {"letters of the code page", kJuergen, Expected::Ansi},
        {"letters outside the code page", kTokyo, Expected::ShortPath},
        {"too long for the field", lf_longFolders(), Expected::ShortPath},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const test::TempFolder temp;
        const std::filesystem::path file = lf_writePlan(temp.path() / c.folder);
        const std::optional<std::string> text = platform::narrowPathForPeer(file, kFieldSize);
        ASSERT_TRUE(text.has_value());
        EXPECT_LT(text->size(), kFieldSize);
        std::string utf8 = file.string();
        switch (c.expected) {
            case Expected::Unchanged: EXPECT_EQ(*text, utf8); break;
            case Expected::Ansi:
                utf8.replace(utf8.find("J\xC3\xBCrgen"), 7, "J\xFCrgen");
                EXPECT_EQ(*text, utf8);
                break;
            case Expected::ShortPath:
                EXPECT_TRUE(lf_isAscii(*text)) << *text;
                EXPECT_TRUE(std::filesystem::equivalent(*text, file)) << *text;
                break;
        }
    }
}

TEST(NarrowPathForPeer, WindowsHasNoTextForAMissingFileBeyondTheCodePageOrTheField) {
    const test::TempFolder temp;
    for (const std::filesystem::path& folder : {kTokyo, lf_longFolders()}) {
        EXPECT_EQ(platform::narrowPathForPeer(temp.path() / folder / "7.pln", kFieldSize), std::nullopt)
            << folder.string();
    }
}
#else
TEST(NarrowPathForPeer, LinuxGivesThePathsOwnBytesWhenTheyFitTheField) {
    struct Case {
        const char* what;
        std::filesystem::path folder;
        bool fits;
    };
    const Case cases[] = {
        {"ascii", "plans", true},
        {"latin letters", kJuergen, true},
        {"other letters", kTokyo, true},
        {"too long for the field", lf_longFolders(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const test::TempFolder temp;
        const std::filesystem::path file = lf_writePlan(temp.path() / c.folder);
        const std::optional<std::string> text = platform::narrowPathForPeer(file, kFieldSize);
        EXPECT_EQ(text, c.fits ? std::optional(file.native()) : std::nullopt);
    }
}
#endif

}  // namespace
