// How each kind of setting is read from a loaded parameters.xml, saved into
// the file, written as a default into a new file and logged.

#include <algorithm>
#include <pugixml.hpp>

#include "core/format.h"
#include "core/log.h"
#include "core/parameter.h"
#include "core/parameters_store.h"
#include "core/parameters_xml.h"

namespace {

std::string lf_textLogLine(const std::string& key, const std::string& value) {
    return fmtlib::format("{}=\"{}\"", key, value);
}

template <class Value>
std::string lf_valueLogLine(const std::string& key, const Value& value) {
    return fmtlib::format("{}={}", key, value);
}

// A default that could not go into the new file still becomes the value.
void lf_logAppendFailed(bool appended, const std::string& key, const std::string& text) {
    if (!appended) {
        gf_writeLog(fmtlib::format("Adding Init XML parameter '{}' with value '{}' failed!", key, text));
    }
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

void StringParameter::save() const {
    const std::string text = value;
    gf_saveParameterValue(name, text, lf_textLogLine(name, text));
}

void StringParameter::setValueAndSave(std::string text) {
    value = std::move(text);
    save();
}

bool StringParameter::writeDefault(pugi::xml_node root) {
    value = defaultValue;
    const bool appended = gf_appendParameterNode(root, name, defaultValue);
    lf_logAppendFailed(appended, name, defaultValue);
    log();
    return appended;
}

void StringParameter::log() const { gf_writeLogIfRunning(lf_textLogLine(name, value)); }

std::int32_t IntParameter::clamped(std::int32_t number) const { return std::clamp(number, min, max); }

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

void IntParameter::save() const {
    const std::int32_t number = value;
    gf_saveParameterValue(name, std::to_string(number), lf_valueLogLine(name, number));
}

bool IntParameter::writeDefault(pugi::xml_node root) {
    value = defaultValue;
    const bool appended = gf_appendIntParameterNode(root, name, defaultValue);
    lf_logAppendFailed(appended, name, std::to_string(defaultValue));
    log();
    return appended;
}

void IntParameter::log() const { gf_writeLogIfRunning(lf_valueLogLine(name, value.load())); }

bool BoolParameter::read(const pugi::xml_document& document) {
    const pugi::xml_node entry = gf_findParameterNode(document, name);
    if (entry) {
        value = entry.attribute("value").as_bool();
    }
    log();
    return static_cast<bool>(entry);
}

void BoolParameter::save() const {
    const bool on = value;
    gf_saveParameterValue(name, gf_boolText(on), lf_valueLogLine(name, gf_boolText(on)));
}

bool BoolParameter::writeDefault(pugi::xml_node root) {
    value = defaultValue;
    const bool appended = gf_appendBoolParameterNode(root, name, defaultValue);
    lf_logAppendFailed(appended, name, gf_boolText(defaultValue));
    log();
    return appended;
}

void BoolParameter::log() const { gf_writeLogIfRunning(lf_valueLogLine(name, gf_boolText(value))); }
