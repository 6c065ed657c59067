#pragma once
// The start-up check for newer data files on the maker's download server,
// once per program start, after the data folders exist and before the
// aircraft database is read. versions.json on the server holds the current
// version of each data set:
//   "simaddon": the stand files of the simulator maker's own airports, the
//               package vavovevide24/my_simaddon2024.zip unpacked flat into
//               airports/my_simaddon (MSFS 2024 only), VAVOVEVIDE24_VERSION;
//   "aig":      MSFS/AIG-regcodes.enc into input/AIG-regcodes.enc, AIG_VERSION;
//   "dbase":    MSFS/dbase.enc into input/dbase.enc, DBASE_VERSION.
// A data set is fetched when the server's version is newer than the one in
// its setting (an empty setting is the lowest version), or when its local
// file (folder) is missing; the setting is saved only once the new files are
// in place. The server being down, a versions.json that is no valid JSON
// and a member without a whole-number version are logged, and the program
// goes on with the files it has.

#include <string>

#include "core/version.h"

void checkForUpdates();

// Downloads and unpacks the package when `remote` is newer than
// VAVOVEVIDE24_VERSION or the folder is missing or empty. The folder is
// emptied only once the downloaded archive was opened and read whole; every
// file entry becomes "<its name's last element without extension>.txt" in
// the folder, so no entry name (folders, "..", an absolute path) can write
// outside it. True only when every entry was written and the version saved.
// The downloaded zip is always removed.
bool installSimaddonPackage(const VersionData& remote);

// True when airports/my_simaddon is no folder or an empty one. Throws
// std::filesystem::filesystem_error ("status", "is_empty") when it cannot
// tell.
bool simaddonFolderMissingOrEmpty();

