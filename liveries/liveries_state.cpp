#include "liveries/liveries_state.h"

DbaseTables dbase;
LiveryCatalog liveryCatalog;
std::list<LiveryData> liveryList;
std::set<std::string> liveryTitles;
std::mutex titleSetMutex;
std::atomic<bool> liveriesProcessed{false};
std::vector<std::string> dontUseTitles;
std::vector<std::string> regcodeMessages;
ReportList<std::list<std::string>> invalidAirlineLines;
ReportList<std::list<std::string>> invalidModelLines;
ReportList<std::vector<std::string>> modelFixLines;
ReportList<std::list<std::string>> invalidCfgLines;
ReportList<std::list<std::string>> incompleteSectionLines;
ReportList<std::list<std::string>> noSectionFiles;
std::vector<std::string> dbaseUpdateLines;
CodeMap<ModelList> similarModelsInstalled;
CodeMap<CodeMap<ModelList>> airlineSimilarModels;

void gf_resetLiveriesState() {
    dbase = DbaseTables{};
    gf_resetLiveryCatalog();
    liveryCatalog.matchStepCounts = {};
    liveryCatalog.refusedTitles.clear();
    liveryList.clear();
    clearScanReportLists();
    regcodeMessages.clear();
    similarModelsInstalled.clear();
    airlineSimilarModels.clear();
    liveriesProcessed = false;
}
