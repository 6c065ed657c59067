#include "core/parameters_store.h"

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "core/data_paths.h"
#include "core/display_hooks.h"
#include "core/format.h"
#include "core/log.h"
#include "core/parameters_xml.h"
#include "platform/os/file_copy.h"

namespace {

// Guards parameters.xml; the outermost lock of its holders (then message
// line, then log).
// Its place in the lock order: docs/locks.md.
std::mutex fileMutex;

constexpr const char* kRootName = "parameters";

// A folder that is read-only or full fails every save: the user is told once,
// and again only after a save has succeeded in between.
std::atomic<bool> failureShown{false};

void lf_showFailureOnce(const std::error_code& error) {
    if (!failureShown.exchange(true)) {
        displayHooks.showMessage(
            fmtlib::format("Settings cannot be saved to '{}': {}; changes hold until the program ends", parametersPath,
                           error.message()),
            false);
    }
}

void lf_logSavingFailed() { gf_writeLogIfRunning(fmtlib::format("Saving '{}' failed", parametersPath)); }

// Writes and logs as every save and removal does.
void lf_writeOrLogFailure(const pugi::xml_document& document) {
    if (!gf_writeParametersFile(document)) {
        lf_logSavingFailed();
    }
}

}  // namespace

std::unique_lock<std::mutex> gf_lockParametersFile() { return std::unique_lock(fileMutex); }

ParametersFileLoad gf_loadParametersFile(pugi::xml_document& document) {
    const pugi::xml_parse_result result = document.load_file(parametersPath.c_str());
    if (result.status == pugi::status_file_not_found) {
        document.reset();
        return {ParametersFileState::absent, {}};
    }
    if (!result) {
        document.reset();
        return {ParametersFileState::unreadable, result.description()};
    }
    if (!document.child(kRootName)) {
        document.reset();
        return {ParametersFileState::unreadable, "no root element 'parameters'"};
    }
    return {ParametersFileState::loaded, {}};
}

void gf_keepUnreadableParametersFile(const ParametersFileLoad& load) {
    const std::string copy = parametersPath + ".bad";
    if (const std::error_code error = platform::copyFileReplacing(parametersPath, copy)) {
        gf_writeLog(fmtlib::format("'{}' could not be read ({}) and could not be kept as '{}': {}", parametersPath,
                                   load.problem, copy, error.message()));
        return;
    }
    gf_writeLog(fmtlib::format("'{}' could not be read ({}); it is kept as '{}'", parametersPath, load.problem, copy));
}

bool gf_writeParametersFile(const pugi::xml_document& document) {
    const std::filesystem::path path{parametersPath};
    std::error_code error;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), error);
    }
    const std::filesystem::path temporary{parametersPath + ".tmp"};
    errno = 0;
    if (document.save_file(temporary.c_str())) {
        std::filesystem::rename(temporary, path, error);
        if (!error) {
            failureShown = false;
            return true;
        }
    } else {
        error = std::error_code(errno != 0 ? errno : EIO, std::generic_category());
    }
    lf_showFailureOnce(error);
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return false;
}

void gf_forgetShownSaveFailure() { failureShown = false; }

void gf_saveParameterValue(const std::string& key, const std::string& text, std::string_view logLine) {
    const auto lock = gf_lockParametersFile();
    pugi::xml_document document;
    const ParametersFileLoad load = gf_loadParametersFile(document);
    if (load.state == ParametersFileState::unreadable) {
        gf_keepUnreadableParametersFile(load);
    }
    pugi::xml_node root = document.child(kRootName);
    if (!root) {
        root = document.append_child(kRootName);
    }
    if (pugi::xml_node entry = gf_findParameterNode(document, key)) {
        // An entry without "value" (a hand-edited file) gets one: left as it
        // was, the saved value would be lost at the next start.
        if (!entry.attribute("value")) {
            entry.append_attribute("value");
        }
        gf_setValueAttribute(entry, text);
    } else {
        gf_appendParameterNode(root, key, text);
    }
    gf_writeLogIfRunning(logLine);
    lf_writeOrLogFailure(document);
}

bool gf_removeParameterEntry(const std::string& key) {
    const auto lock = gf_lockParametersFile();
    pugi::xml_document document;
    if (gf_loadParametersFile(document).state != ParametersFileState::loaded) {
        return false;
    }
    const pugi::xml_node entry = gf_findParameterNode(document, key);
    if (!entry) {
        return false;
    }
    document.child(kRootName).remove_child(entry);
    gf_writeLogIfRunning(fmtlib::format("Parameter '{}' removed", key));
    lf_writeOrLogFailure(document);
    return true;
}
