#pragma once
// Who published the scenery a stand file was made for, as the add-on airport
// scan asks it of the files it generated.

#include <filesystem>
#include <string>

// The "publisher" parameter of the stand file; empty when the file does not
// load or has none.
std::string gf_readPublisher(const std::filesystem::path& path);

// For a stand file of publisher "unknown" (or none): "manufacturer=<m>,
// creator=<c>" when either has 4 characters or more, else empty. Empty for a
// file of a known publisher; "'<path>' not found)" when the file does not
// load.
std::string gf_readPublisherDetails(const std::filesystem::path& path);
