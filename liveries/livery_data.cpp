#include "liveries/livery_data.h"

std::list<LiveryData> liveryList;
std::set<std::string> liveryTitles;
std::mutex titleSetMutex;

LiveryData makeLiveryData(std::int32_t folderOrdinal, std::string airline, std::string model, bool pax,
                          std::string title, std::string atcId) {
    bool inserted = false;
    {
        const std::lock_guard lock(titleSetMutex);
        inserted = liveryTitles.insert(title).second;
    }
    if (!inserted) {
        return {};
    }
    return {std::move(airline), std::move(model), std::move(title), std::move(atcId), folderOrdinal, !pax};
}
