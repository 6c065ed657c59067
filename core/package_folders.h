#pragma once
// The simulator's packages folder: the folder that holds "Community" and
// "Official" (MSFS 2020) or "Official2024" (MSFS 2024), for the Store, Steam
// and boxed installations of either simulator. Start-up looks for it once,
// when no install path is stored yet, and stores it in the install-path
// setting of the current simulator; everything else takes its sub-folders
// from that setting with gf_simInstallPath.
//
// The simulator is the one SIM_CHOICE selects. Paths that the simulator and
// the user write are Windows paths: they are found here with
// platform/os/windows_paths.h ('\' or '/', names without regard to case).

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// SIM_CHOICE is "MSFS 2024".
bool gf_msfs2024Selected();

// The Store package family of the current simulator:
// "Microsoft.FlightSimulator_8wekyb3d8bbwe" or "Microsoft.Limitless_8wekyb3d8bbwe".
std::filesystem::path storePackageFamilyName();
// Its folder below the roaming application-data folder for Steam:
// "Microsoft Flight Simulator" or "Microsoft Flight Simulator 2024".
std::filesystem::path steamFolderName();
// "Official" or "Official2024".
std::string_view officialFolderName();

// The first UserCfg.opt of the Store, the two Steam and the boxed locations
// that exists; each that does not is logged ("MSFS detection, no Store:{}",
// "... no Steam1:{}", "... no Steam2:{}", "... no Boxed:{}"). The boxed one
// when none exists.
std::filesystem::path findUserCfgOpt();

// <roaming AppData>\<Steam folder name>\Packages when it exists (logged
// "Steam packages:{}"), else the empty path.
std::filesystem::path steamPackagesFolder();

// The text of the first line that holds "InstalledPackagesPath": what stands
// between its first two double quotes; "" when no line holds it.
std::string installedPackagesPathText(const std::vector<std::string>& userCfgLines);

// The folder UserCfg.opt names as InstalledPackagesPath, when it exists;
// else the empty path. Logs "No UserCfg.opt found?" without a UserCfg.opt,
// and "UserCfg.opt: InstalledPackagesPath={}" with the result ("???" for none).
std::filesystem::path readInstalledPackagesPath();

// The folder exists and holds "Community" and the official folder of the
// current simulator.
bool isValidPackagesFolder(const std::filesystem::path& folder);

// The Steam packages folder when it is valid, else UserCfg.opt's when that
// is valid, else the empty path. An existence test that fails for another
// reason than absence throws its std::filesystem::filesystem_error.
std::filesystem::path gf_findPackagesFolder();

// The stored install path of the current simulator (MSFS_INSTALL_PATH or
// MSFS_2024_INSTALL_PATH) joined with the sub-folder; the sub-folder alone
// when none is stored.
std::filesystem::path gf_simInstallPath(std::string_view subFolder);
// The stored install path of the current simulator; "" when none.
std::string gf_storedInstallPath();
