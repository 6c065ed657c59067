#pragma once
// The "parameter" entries of the program's XML files: one element per
// setting with the attributes "name" (the key) and "value" (the value as
// text; switches "true" or "false", integers in decimal). parameters.xml
// holds them under its root "parameters"; the airport stand files keep their
// per-airport settings the same way.

#include <cstdint>
#include <pugixml.hpp>
#include <string>

// Appends <parameter name="key" value="..."/> under root; false when root is
// no element (or the document) or the document cannot grow.
bool gf_appendParameterNode(pugi::xml_node root, const std::string& key, const std::string& text);
bool gf_appendBoolParameterNode(pugi::xml_node root, const std::string& key, bool value);
bool gf_appendIntParameterNode(pugi::xml_node root, const std::string& key, std::int32_t value);

// The entry's "value" takes the text; an entry without one is left as it is.
void gf_setValueAttribute(pugi::xml_node entry, const std::string& text);

// The node's named attribute takes "true" or "false"; false when the node
// has no such attribute.
bool gf_setBoolAttribute(pugi::xml_node node, const char* attributeName, bool value);

// The entry of the key under the document's root "parameters" (what the path
// /parameters/parameter[@name='key'] finds); a null node when there is none.
pugi::xml_node gf_findParameterNode(const pugi::xml_node& document, const std::string& key);

// "true" or "false".
const char* gf_boolText(bool value);
