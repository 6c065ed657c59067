#pragma once
// Where Vantrel keeps its data: folders and files below the working folder
// (the program's own folder, checked at start by the "docs" folder), and the
// settings file in the user's roaming application-data folder. All are
// built before the program's entry and never change while it runs.

#include <filesystem>
#include <string>
#include <string_view>

// Relative to the working folder; a composite path is built after its parts.
struct DataPaths {
    std::filesystem::path docsFolder{"docs"};  // must exist: the program runs from its own folder

    std::filesystem::path inputFolder{"input"};  // the aircraft data files
    std::filesystem::path dbaseEncFile = inputFolder / "dbase.enc";
    std::filesystem::path dbaseXmlFile = inputFolder / "dbase.xml";  // decrypted; deleted after reading
    std::filesystem::path regcodesEncFile = inputFolder / "AIG-regcodes.enc";
    std::filesystem::path regcodesXmlFile = inputFolder / "AIG-regcodes.xml";  // decrypted; deleted after reading
    std::filesystem::path myRegcodesFolder = inputFolder / "my_regcodes";      // the user's lists

    std::filesystem::path airportsFolder{"airports"};
    std::filesystem::path mySimaddonFolder = airportsFolder / "my_simaddon";      // the simulator maker's airports
    std::filesystem::path myThirdpartyFolder = airportsFolder / "my_thirdparty";  // add-on airports
    std::filesystem::path learnedFolder = airportsFolder / "learned";
    std::filesystem::path learnedStockFolder = learnedFolder / "stock";
    std::filesystem::path learnedSimaddonFolder = learnedFolder / "simaddon";
    std::filesystem::path learnedThirdpartyFolder = learnedFolder / "thirdparty";
    std::filesystem::path myParkAirportsFile = airportsFolder / "my_park_airports.txt";
    // The files of my_thirdparty that the last add-on airport scan wrote.
    std::filesystem::path addonScanFilesList = airportsFolder / "addon_scan_files.txt";
    std::filesystem::path airportListFile{"airports_msfs.xml"};

    std::filesystem::path outputFolder{"output"};
    std::filesystem::path infoFolder = outputFolder / "info";
    std::filesystem::path errorsFolder = outputFolder / "errors";
    std::filesystem::path liveriesCatalogFile = outputFolder / "LiveriesScanned.xml";

    // Scan reports, overwritten by each scan: the add-on airport scan ...
    std::filesystem::path airportsScanLogFile = infoFolder / "AirportsScanLog.txt";
    // ... and the livery scan.
    std::filesystem::path noFltsimSectionReportFile = infoFolder / "AircraftCfgWithNoFltsimSection.txt";
    std::filesystem::path airlineModelConversionsReportFile = infoFolder / "AirlineModelConversions.txt";
    std::filesystem::path inlineRegcodesReportFile = errorsFolder / "InlineRegcodes.txt";
    std::filesystem::path invalidAirlineCodesReportFile = errorsFolder / "InvalidAirlineCodes.txt";
    std::filesystem::path invalidAircraftCodesReportFile = errorsFolder / "InvalidAircraftCodes.txt";
    std::filesystem::path fixesReportFile = errorsFolder / "Fixes.txt";
    std::filesystem::path invalidAircraftCfgFilesReportFile = errorsFolder / "InvalidAircraftCfgFiles.txt";
    std::filesystem::path incompleteFltsimSectionsReportFile = errorsFolder / "IncompleFltsimSections.txt";

    std::filesystem::path callsignObjectIdFile{"Callsign2ObjectId.txt"};
    std::filesystem::path installerFile{"install_new_version.exe"};  // left by an update
    std::filesystem::path unrecognisedBglFolder{"TBLO"};  // BGL files whose airports the scanner does not know
};

extern const DataPaths dataPaths;

// Folder names the scans look for.
inline constexpr std::string_view kBaseFolderWord = "fs-base";  // the BGL scan skips folders with it
inline constexpr std::string_view kCommunityFolderName = "Community";
inline constexpr std::string_view kOfficialFolderName = "Official";
inline constexpr std::string_view kOfficial2024FolderName = "Official2024";
// Below the roaming application-data folder, where RealTraffic is looked for.
inline constexpr std::string_view kRealTrafficFolderName = "InsideSystems";

// The program's folder in the user's roaming application-data folder
// ("Vantrel"), parent of parameters.xml and of the flight-plan folder; and
// the settings file in it. Set before the program's entry from the folder of
// the user (APPDATA, else the XDG config folder); tests point them at
// folders of their own before they touch the settings file.
extern std::filesystem::path productDataFolder;
extern std::string parametersPath;
