#pragma once
// Folders of the program's data: emptying, counting and listing them; and
// the file tests whose failures name the operation ("exists", "remove",
// "create_directories") in their std::filesystem::filesystem_error.

#include <cstddef>
#include <filesystem>
#include <vector>

// Logs "Cleaning folder: {}" and removes every entry of the folder (files, and
// sub-folders with all they hold); a path that is no folder is left alone. A
// failure throws qrx::UserErrorException code 5 ("5: Filesystem error: ...").
void gf_cleanFolder(const std::filesystem::path& folder);

// The folder's entries, not recursive; 0 when it is no folder.
std::size_t gf_countDirectoryEntries(const std::filesystem::path& folder);

// The regular files of the folder whose extension is ".xml" in any case, in
// directory order; none when it is no folder.
std::vector<std::filesystem::path> gf_listXmlFiles(const std::filesystem::path& folder);

// Whether the path exists; a test that fails (not for absence) throws
// std::filesystem::filesystem_error "exists".
bool gf_pathExists(const std::filesystem::path& path);

// Removes the file when it exists; a removal that fails throws
// std::filesystem::filesystem_error "remove".
void gf_removeFile(const std::filesystem::path& path);

// Makes the folder and its missing parents; a failure throws
// std::filesystem::filesystem_error "create_directories".
void gf_createFolders(const std::filesystem::path& folder);
