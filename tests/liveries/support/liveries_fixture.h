#pragma once
// A fresh working folder with Log.txt open and the settings file inside it
// (every setting at its default), and every table of the aircraft data
// empty, for one test of the liveries module. RANDOM is off, so that every
// choice is the first candidate.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "liveries/livery_data.h"
#include "support/settings_file_fixture.h"

namespace test {

// A small database with every section: types of every category (the
// rotorcraft and high-performance ones without wing spans), similar groups,
// airlines, publishers, a fix, archived airports and three registrations,
// one of them operated by another airline and one a freighter.
extern const std::string_view kSmallDbase;

class LiveriesTest : public SettingsFileTest {
protected:
    LiveriesTest();
    ~LiveriesTest() override;

    // Writes the text to the path below the working folder, making its folders.
    void writeText(const std::filesystem::path& relative, std::string_view text) const;
    std::string readText(const std::filesystem::path& relative) const;
    // Encrypts the text with the encryption tool into the path below the
    // working folder, as the program's data files are made.
    void writeEncrypted(const std::filesystem::path& relative, std::string_view text) const;
    // Loads the database from the text.
    void loadDbase(std::string_view xml = kSmallDbase) const;
    // Processes the liveries as a start-up does: sorted into liveryList, the
    // catalogue, the in-line registrations, the model maps, the similar
    // models and the category lists.
    void buildCatalog(std::vector<LiveryData> liveries) const;
    // Every line of Log.txt after its header.
    std::vector<std::string> logLines() const { return log.lines(); }
    bool logged(std::string_view line) const;

    const std::filesystem::path& folder() const { return log.folder().path(); }
};

LiveryData makeLivery(std::string airline, std::string model, std::string title, std::string atcId = "",
                      bool cargo = false);

}  // namespace test
