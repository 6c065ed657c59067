#include "core/meta_block.h"

#include <pugixml.hpp>
#include <string>
#include <utility>

#include "core/calendar.h"
#include "core/core_state.h"
#include "core/version.h"

namespace meta {
StringParameter author{"author", ""};
StringParameter date{"date", ""};
StringParameter version{"version", ""};
StringParameter copyright{"copyright", "Copyright (C) the Vantrel developers. All rights reserved."};
StringParameter MSFS{"MSFS", ""};
StringParameter P3D{"P3D", ""};
}  // namespace meta

namespace {

bool lf_appendInfo(pugi::xml_node meta, const StringParameter& item, const std::string& value) {
    pugi::xml_node info = meta.append_child("info");
    return info && info.append_attribute("name").set_value(item.name.c_str()) &&
           info.append_attribute("value").set_value(value.c_str());
}

// The fifth entry: which simulator the file belongs to.
std::pair<const StringParameter*, std::string> lf_simulatorEntry() {
    const std::string kind = simulatorKind;
    if (kind == "P3D") {
        return {&meta::P3D, "v5/v6"};
    }
    return {&meta::MSFS, kind == "MSFS" ? "2020" : "2024"};
}

}  // namespace

bool gf_writeMetaBlock(pugi::xml_node node) {
    const pugi::xml_node meta = node.append_child("meta");
    if (!meta) {
        return false;
    }
    const auto [simulatorItem, simulatorValue] = lf_simulatorEntry();
    return lf_appendInfo(meta, meta::author, "Vantrel") &&
           lf_appendInfo(meta, meta::version, gf_formatVersion(programVersion)) &&
           lf_appendInfo(meta, meta::date, gf_currentDate()) &&
           lf_appendInfo(meta, meta::copyright, meta::copyright.value) &&
           lf_appendInfo(meta, *simulatorItem, simulatorValue);
}

bool gf_readMetaInfo(pugi::xml_node node, StringParameter& item) {
    const pugi::xml_node entry =
        node.root().child("meta").find_child_by_attribute("info", "name", item.name.c_str());
    item.value = entry ? entry.attribute("value").as_string() : "";
    return static_cast<bool>(entry);
}
