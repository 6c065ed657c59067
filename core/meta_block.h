#pragma once
// The "meta" element that begins every XML file the program writes for
// itself (airport stand files, the liveries catalogue): who wrote the file,
// with which version, when and for which simulator. Each entry is an "info"
// element with the attributes "name" and "value"; the names are those of the
// six meta items below, which are never stored in parameters.xml.

#include "core/parameter.h"
#include "core/shared_text.h"

namespace meta {
extern StringParameter author;
extern StringParameter date;
extern StringParameter version;
extern StringParameter copyright;  // its default is the notice written into every file
extern StringParameter MSFS;
extern StringParameter P3D;
}  // namespace meta

// Appends "meta" to the node (the document, so that it is the file's first
// top-level element) with the entries author "Vantrel", version (the
// program's), date (today), copyright and MSFS "2020" or "2024" by
// simulatorKind ("P3D" gives P3D "v5/v6" instead). False as soon as an
// append fails; the entries before it stay.
bool gf_writeMetaBlock(pugi::xml_node node);

// Looks up the item's entry in the meta element of the node's document: the
// item takes the entry's "value" (empty without one) and the result is true;
// without an entry the item's value becomes empty and the result is false.
bool gf_readMetaInfo(pugi::xml_node node, StringParameter& item);
