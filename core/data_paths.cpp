#include "core/data_paths.h"

#include "core/text_conversion.h"

const DataPaths dataPaths;

std::filesystem::path productDataFolder = gf_getAppDataPath() / "Vantrel";
// The narrow form of the path; on this platform narrow paths are UTF-8, so
// every character of the user's folder name is kept.
std::string parametersPath = (productDataFolder / "parameters.xml").string();
