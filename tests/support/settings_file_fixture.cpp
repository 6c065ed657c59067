#include "support/settings_file_fixture.h"

#include <pugixml.hpp>

#include <mutex>

#include "core/data_paths.h"
#include "core/parameters_file.h"
#include "core/parameters_store.h"
#include "core/parameters_xml.h"
#include "core/settings.h"
#include "ui/status/main_window.h"

namespace test {

void resetSettingsToDefaults() {
    const ParameterGroups groups = gf_parameterGroups();
    const auto reset = [](const auto& settings) {
        for (auto* setting : settings) {
            setting->value = setting->defaultValue;
        }
    };
    reset(groups.switches);
    reset(groups.checkBoxes);
    reset(groups.numbers);
    reset(groups.shownNumbers);
    reset(groups.texts);
    reset(groups.shownTexts);
    // The controls whose values the file does not keep.
    for (auto* text : {&ALL_INSTALL_PATH, &CALLSIGN_2_OBJECTID}) {
        text->value = text->defaultValue;
    }
    parking_percentage.value = parking_percentage.defaultValue;
    MAX_FIT_FL.value = MAX_FIT_FL.defaultValue;
    trafficRadiusNm = 40.0;
    trafficRadiusMeters = 74080;
}

void clearMessageLine() {
    const std::lock_guard lock(MainWindow::messageMutex);
    MainWindow::messageText.clear();
    MainWindow::errorText.clear();
    MainWindow::messageStamp = 0;
}

SettingsFileTest::SettingsFileTest()
    : path(log.folder() / "Vantrel" / "parameters.xml"), savedParametersPath_(parametersPath) {
    parametersPath = path.string();
    resetSettingsToDefaults();
    gf_forgetShownSaveFailure();
    clearMessageLine();
}

SettingsFileTest::~SettingsFileTest() {
    parametersPath = savedParametersPath_;
    resetSettingsToDefaults();
    gf_forgetShownSaveFailure();
    clearMessageLine();
}

void SettingsFileTest::writeEntries(const std::vector<std::pair<std::string, std::string>>& entries) const {
    pugi::xml_document document;
    const pugi::xml_node root = document.append_child("parameters");
    for (const auto& [name, value] : entries) {
        gf_appendParameterNode(root, name, value);
    }
    std::filesystem::create_directories(path.parent_path());
    if (!document.save_file(path.c_str())) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::vector<std::pair<std::string, std::string>> SettingsFileTest::fileEntries() const {
    pugi::xml_document document;
    EXPECT_TRUE(document.load_file(path.c_str())) << path;
    std::vector<std::pair<std::string, std::string>> entries;
    for (const auto entry : document.child("parameters").children("parameter")) {
        entries.emplace_back(entry.attribute("name").value(), entry.attribute("value").value());
    }
    return entries;
}

std::string SettingsFileTest::fileValue(const std::string& key) const {
    for (const auto& [name, value] : fileEntries()) {
        if (name == key) {
            return value;
        }
    }
    return "<absent>";
}

}  // namespace test
