#pragma once
// Paths as Windows names them, found on this file system. The simulator's
// files, its add-ons and the user write Windows paths: '\' between the
// elements, and names that open a file whatever their case, since the file
// systems of Windows compare names without regard to case. Linux has '/'
// only and compares names byte by byte, so these helpers take every element
// of such a text to the entry that Windows would open, and list folders in
// the order Windows lists them (NTFS keeps a folder's names sorted without
// regard to case), so that a scan meets files in the same order there and
// here.
//
// Case is folded for ASCII letters only: Windows folds the whole of Unicode,
// but the names that the program looks for are ASCII.

#include <filesystem>
#include <string_view>
#include <vector>

namespace platform {

bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool containsIgnoringCase(std::string_view text, std::string_view part);

// The folder's entry that Windows opens for the name: the name itself when
// an entry is named exactly so, else the first entry (in folder order) whose
// name differs only in case, else the name as it is (which names nothing).
// Never throws: a folder that cannot be read finds nothing.
std::filesystem::path findIgnoringCase(const std::filesystem::path& folder, std::string_view name);

// The Windows path text as a path here: '\' and '/' both separate elements,
// and each element is found with findIgnoringCase as long as the elements
// before it exist. A text that begins with a separator is absolute; any
// other is relative to the working folder (the first form) or to base. On
// Windows a drive ("C:\") begins an absolute path as the system has it; on
// Linux, which has no drives, a drive letter ("C:") is an element like any
// other, so "C:\Users" names the folder "C:" of the working folder.
// The empty text gives the empty path. Never throws.
std::filesystem::path windowsPath(std::string_view text);
std::filesystem::path windowsPath(const std::filesystem::path& base, std::string_view text);

// Whether the Windows path text, read from a file and taken relative to a
// folder, names an entry inside that folder, wherever that folder lies: the
// text does not begin with a separator (an absolute or "\\server" path),
// holds no ':' (a drive letter such as "C:\x" or "C:x", or a stream), and no
// ".." climbs above where it starts. An element of dots and blanks only
// other than "." is refused too: Windows drops trailing dots and blanks, so
// ".. " climbs like "..". The empty text names nothing and is refused.
// "airports/my_thirdparty/../my_simaddon/EHAM.xml" stays inside; "../x",
// "airports/../../x" and "airports\..\..\x" do not.
bool staysInside(std::string_view text);

// The order of names in an NTFS folder: compared upper-cased; names that
// only differ in case (which NTFS cannot hold) by their bytes.
bool folderOrderLess(std::string_view a, std::string_view b);

// The folder's entries in folder order. Throws
// std::filesystem::filesystem_error when the folder cannot be opened or read.
std::vector<std::filesystem::directory_entry> sortedFolderEntries(const std::filesystem::path& folder);

}  // namespace platform
