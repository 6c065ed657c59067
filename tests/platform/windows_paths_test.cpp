// Windows paths found on this file system, and folders walked in the order
// Windows lists them.

#include "platform/os/windows_paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <system_error>
#include <vector>

#include "platform/os/folder_walk.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

class WindowsPathsTest : public testing::Test {
protected:
    void makeFolders(std::initializer_list<const char*> relatives) const {
        for (const char* relative : relatives) {
            fs::create_directories(root / relative);
        }
    }
    void makeFile(const char* relative) const { test::writeBytes(root / relative, "x"); }
    // Whether the file system of the test folder compares names without
    // regard to case, as Windows' file systems do: there the system opens
    // any spelling of a name, so the text's own spelling is as good a path.
    bool caseBlind() const {
        makeFile("case-probe");
        return fs::exists(root / "CASE-PROBE");
    }
    // The path names the expected entry: spelled exactly alike, or on a
    // case-blind file system alike but for the case of the letters.
    void expectSame(const fs::path& found, const fs::path& expected, const std::string& what) const {
        if (caseBlind()) {
            EXPECT_TRUE(platform::equalsIgnoringCase(found.generic_string(), expected.generic_string()))
                << what << ": " << found << " is not " << expected;
        } else {
            EXPECT_EQ(found, expected) << what;
        }
    }

    test::TempFolder temp;
    const fs::path root = temp.path();
};

TEST_F(WindowsPathsTest, ElementsAreFoundWithoutRegardToCase) {
    makeFolders({"Packages/Community/aig-aitraffic-oci", "Packages/Official2024"});
    makeFile("Packages/Community/aig-aitraffic-oci/Aircraft.CFG");
    const std::string base = root.string();
    struct Case {
        std::string text;
        fs::path expected;
    };
    const Case cases[] = {
        {base + "\\packages\\COMMUNITY", root / "Packages/Community"},
        {base + "/Packages/community/AIG-AITRAFFIC-OCI/aircraft.cfg",
         root / "Packages/Community/aig-aitraffic-oci/Aircraft.CFG"},
        {base + "\\\\Packages\\\\Official2024\\", root / "Packages/Official2024"},  // doubled and trailing separators
        // What does not exist keeps its spelling from there on.
        {base + "\\PACKAGES\\Missing\\community", root / "Packages/Missing/community"},
        {"", fs::path()},
    };
    for (const Case& c : cases) {
        expectSame(platform::windowsPath(c.text), c.expected, c.text);
    }
    expectSame(platform::windowsPath(root / "packages", "community\\aig-aitraffic-oci"),
               root / "packages/community/aig-aitraffic-oci", "the base is taken as it is");
    EXPECT_EQ(platform::windowsPath(root, "texture.x"), root / "texture.x");
}

TEST_F(WindowsPathsTest, RelativeTextsStartAtTheWorkingFolder) {
    makeFolders({"Users/micro"});
    const test::WorkingFolder working(root);
    expectSame(platform::windowsPath("users\\MICRO"), fs::path("Users/micro"), "relative text");
}

TEST_F(WindowsPathsTest, DriveLettersAreDrivesWhereTheSystemHasThem) {
    if (fs::path("C:\\").is_absolute()) {
        // A drive's root begins the path, whatever the base or working folder.
        EXPECT_EQ(platform::windowsPath(root, "E:\\Microsoft Flight Simulator\\").generic_string(),
                  "E:/Microsoft Flight Simulator");
        makeFolders({"Packages"});
        expectSame(platform::windowsPath(fs::path("D:\\elsewhere"), root.string() + "\\packages"),
                   root / "Packages", "an absolute text leaves the base");
        return;
    }
    // No drives here: a drive letter names a folder of the working folder.
    makeFolders({"C:/Users/micro"});
    const test::WorkingFolder working(root);
    EXPECT_EQ(platform::windowsPath("c:\\users\\MICRO"), fs::path("C:/Users/micro"));
    EXPECT_EQ(platform::windowsPath("E:\\Microsoft Flight Simulator"), fs::path("E:/Microsoft Flight Simulator"));
}

// Path texts read from files (redirects, stand files, archive entries) may
// only name entries below the folder they are read against.
TEST(WindowsPathTexts, StayInsideOnlyWhenNothingLeadsOut) {
    struct Case {
        const char* text;
        bool inside;
    };
    const Case cases[] = {
        {"airports/my_thirdparty/EHAM.xml", true},
        {"airports\\my_simaddon\\EHAM.xml", true},
        {"airports/my_thirdparty/../my_simaddon/./EHAM.xml", true},
        {"archive/x/../EHAM.xml", true},
        {"a//b\\", true},
        {"...x/EHAM.xml", true},  // a name that merely starts with dots
        {"../x/LSZH.xml", false},
        {"airports/../../x/LSZH.xml", false},
        {"airports\\..\\..\\x\\LSZH.xml", false},
        {"airports/my_thirdparty/../../../LSZH.xml", false},
        {"/etc/LSZH.xml", false},
        {"\\x\\LSZH.xml", false},
        {"\\\\server\\share\\LSZH.xml", false},
        {"C:\\x\\LSZH.xml", false},
        {"c:/x/LSZH.xml", false},
        {"C:LSZH.xml", false},
        {"airports/LSZH.xml:stream", false},
        {"airports/.. /.. /LSZH.xml", false},  // Windows drops the blank
        {"airports/.../LSZH.xml", false},
        {"..", false},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::staysInside(c.text), c.inside) << c.text;
    }
}

TEST_F(WindowsPathsTest, ExactNameWinsOverOneThatDiffersInCase) {
    if (caseBlind()) {
        GTEST_SKIP() << "this file system cannot hold two names that differ only in case";
    }
    makeFolders({"Texture.KLM", "texture.klm"});
    EXPECT_EQ(platform::findIgnoringCase(root, "texture.klm"), root / "texture.klm");
    EXPECT_EQ(platform::findIgnoringCase(root, "TEXTURE.KLM"), root / "Texture.KLM");  // first in folder order
    EXPECT_EQ(platform::findIgnoringCase(root / "none", "x"), root / "none/x");
}

TEST(FolderOrder, NamesCompareUpperCased) {
    std::vector<std::string> names = {"b", "_under", "A", "a", "Zulu", "aircraft.cfg", "AIRCRAFT.CFG", "a1", "a_1"};
    std::ranges::sort(names, platform::folderOrderLess);
    // '_' sorts after the letters once they are upper-cased, as on NTFS.
    EXPECT_EQ(names, (std::vector<std::string>{"A", "a", "a1", "AIRCRAFT.CFG", "aircraft.cfg", "a_1", "b", "Zulu",
                                               "_under"}));
}

TEST_F(WindowsPathsTest, WalkIsDepthFirstInFolderOrder) {
    makeFolders({"b/inner", "A/deep/er", "c-skipped/below"});
    makeFile("b/inner/z.cfg");
    makeFile("a.cfg");
    makeFile("A/deep/er/x");
    makeFile("c-skipped/below/hidden");
    // Windows lets only privileged users make links, and Wine none at all.
    std::error_code noLink;
    fs::create_directory_symlink(root / "A", root / "link", noLink);
    std::vector<std::string> met;
    for (platform::FolderWalk walk(root); !walk.done(); walk.next()) {
        const std::string relative = walk.entry().path().lexically_relative(root).generic_string();
        met.push_back(relative);
        if (relative == "c-skipped") {
            walk.skipContent();
        }
    }
    std::vector<std::string> expected = {"A", "A/deep", "A/deep/er", "A/deep/er/x", "a.cfg",
                                         "b", "b/inner", "b/inner/z.cfg", "c-skipped"};
    if (!noLink) {
        expected.push_back("link");  // a link to a folder is met but not entered
    }
    EXPECT_EQ(met, expected);
    EXPECT_THROW(platform::FolderWalk(root / "missing"), fs::filesystem_error);
}

}  // namespace
