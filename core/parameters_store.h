#pragma once
// The file parameters.xml itself (at parametersPath). The UI thread and the
// worker both save settings, each save rewriting the whole file, so every
// read-modify-write of the file holds the one file lock, and every write goes
// to a temporary file that then replaces the old one: a crash in the middle
// never leaves a truncated file. Lock order: the file lock is taken first,
// before the message-line and the log locks.

#include <mutex>
#include <pugixml.hpp>
#include <string>
#include <string_view>

// Held while the file is read, changed and written.
[[nodiscard]] std::unique_lock<std::mutex> gf_lockParametersFile();

enum class ParametersFileState {
    loaded,      // parsed, with a root "parameters"
    absent,      // no file
    unreadable,  // a file that does not parse or is no settings file
};

struct ParametersFileLoad {
    ParametersFileState state = ParametersFileState::absent;
    std::string problem;  // why an unreadable file was refused
};

// Loads the file into the document. Hold the file lock.
ParametersFileLoad gf_loadParametersFile(pugi::xml_document& document);

// Before an unreadable file is replaced: keeps a copy beside it,
// parameters.xml.bad, so that the user's file is not lost, and logs it.
// Hold the file lock.
void gf_keepUnreadableParametersFile(const ParametersFileLoad& load);

// Writes the document in the library's default format into a temporary file
// that then replaces parameters.xml; creates the program's folder when it
// does not exist yet. True when the file was replaced. A failure is shown in
// the message line, naming the file and the reason, once until a write
// succeeds again; the callers log it. Hold the file lock.
bool gf_writeParametersFile(const pugi::xml_document& document);

// The next failed write is shown again, as after a write that succeeded: for
// a settings file started afresh (the tests' own files).
void gf_forgetShownSaveFailure();

// One setting's entry takes the text: loads the file (an absent or
// unreadable one gives a new file), sets or appends the entry, writes the
// log line, writes the file ("Saving '{}' failed" when it cannot).
void gf_saveParameterValue(const std::string& key, const std::string& text, std::string_view logLine);

// Removes the key's entry, logs "Parameter '{}' removed" and writes the
// file; false, and nothing logged, when the file or the entry is not there.
bool gf_removeParameterEntry(const std::string& key);
