// How each kind of setting is read from a loaded parameters.xml, saved into
// the file, written as a default into a new file and logged.

#include <pugixml.hpp>

#include "core/format.h"
#include "core/log.h"
#include "core/parameter.h"
#include "core/parameters_store.h"
#include "core/parameters_xml.h"

namespace {

// A value as the file and the log write it.
std::string lf_text(const std::string& value) { return value; }
std::string lf_text(std::int32_t value) { return std::to_string(value); }
std::string lf_text(bool value) { return gf_boolText(value); }

// "KEY=value"; texts quoted.
std::string lf_logLine(const std::string& key, const std::string& value) {
    return fmtlib::format("{}=\"{}\"", key, value);
}
template <class Value>
std::string lf_logLine(const std::string& key, Value value) {
    return fmtlib::format("{}={}", key, lf_text(value));
}

template <class Setting>
void lf_save(const Setting& setting) {
    const auto value = setting.value.load();
    gf_saveParameterValue(setting.name, lf_text(value), lf_logLine(setting.name, value));
}

// A default that could not go into the new file still becomes the value.
template <class Setting>
bool lf_writeDefault(Setting& setting, pugi::xml_node root) {
    setting.value = setting.defaultValue;
    const std::string text = lf_text(setting.defaultValue);
    const bool appended = gf_appendParameterNode(root, setting.name, text);
    if (!appended) {
        gf_writeLog(fmtlib::format("Adding Init XML parameter '{}' with value '{}' failed!", setting.name, text));
    }
    setting.log();
    return appended;
}

}  // namespace

bool Parameter::removeFromFile() const { return gf_removeParameterEntry(name); }

bool StringParameter::read(const pugi::xml_document& document) {
    const pugi::xml_node entry = gf_findParameterNode(document, name);
    if (entry) {
        value = entry.attribute("value").as_string();
    }
    log();
    return static_cast<bool>(entry);
}

bool StringParameter::readLiveryFolder(pugi::xml_document& document) {
    const pugi::xml_node entry = gf_findParameterNode(document, name);
    if (!entry) {
        return false;
    }
    value = entry.attribute("value").as_string();
    if (value.empty()) {
        entry.parent().remove_child(entry);
        gf_writeLogIfRunning(fmtlib::format("Parameter '{}' removed", name));
        return false;
    }
    log();
    return true;
}

void StringParameter::save() const { lf_save(*this); }

void StringParameter::setValueAndSave(std::string text) {
    value = std::move(text);
    save();
}

bool StringParameter::writeDefault(pugi::xml_node root) { return lf_writeDefault(*this, root); }

void StringParameter::log() const { gf_writeLogIfRunning(lf_logLine(name, value.load())); }

bool IntParameter::read(const pugi::xml_document& document, bool log) {
    const pugi::xml_node entry = gf_findParameterNode(document, name);
    if (entry) {
        value = clamped(entry.attribute("value").as_int());
    }
    if (log) {
        this->log();
    }
    return static_cast<bool>(entry);
}

void IntParameter::save() const { lf_save(*this); }

bool IntParameter::writeDefault(pugi::xml_node root) { return lf_writeDefault(*this, root); }

void IntParameter::log() const { gf_writeLogIfRunning(lf_logLine(name, value.load())); }

bool BoolParameter::read(const pugi::xml_document& document) {
    const pugi::xml_node entry = gf_findParameterNode(document, name);
    if (entry) {
        value = entry.attribute("value").as_bool();
    }
    log();
    return static_cast<bool>(entry);
}

void BoolParameter::save() const { lf_save(*this); }

bool BoolParameter::writeDefault(pugi::xml_node root) { return lf_writeDefault(*this, root); }

void BoolParameter::log() const { gf_writeLogIfRunning(lf_logLine(name, value.load())); }
