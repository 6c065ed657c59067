#include "core/parameters_xml.h"

namespace {

constexpr const char* kRootName = "parameters";
constexpr const char* kEntryName = "parameter";

}  // namespace

const char* gf_boolText(bool value) { return value ? "true" : "false"; }

bool gf_appendParameterNode(pugi::xml_node root, const std::string& key, const std::string& text) {
    pugi::xml_node entry = root.append_child(kEntryName);
    return entry && entry.append_attribute("name").set_value(key.c_str()) &&
           entry.append_attribute("value").set_value(text.c_str());
}

bool gf_appendBoolParameterNode(pugi::xml_node root, const std::string& key, bool value) {
    return gf_appendParameterNode(root, key, gf_boolText(value));
}

bool gf_appendIntParameterNode(pugi::xml_node root, const std::string& key, std::int32_t value) {
    return gf_appendParameterNode(root, key, std::to_string(value));
}

void gf_setValueAttribute(pugi::xml_node entry, const std::string& text) {
    if (pugi::xml_attribute value = entry.attribute("value")) {
        value.set_value(text.c_str());
    }
}

bool gf_setBoolAttribute(pugi::xml_node node, const char* attributeName, bool value) {
    pugi::xml_attribute attribute = node.attribute(attributeName);
    return attribute && attribute.set_value(gf_boolText(value));
}

pugi::xml_node gf_findParameterNode(const pugi::xml_node& document, const std::string& key) {
    return document.child(kRootName).find_child_by_attribute(kEntryName, "name", key.c_str());
}
