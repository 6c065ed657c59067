#include "liveries/livery_data.h"

#include "liveries/liveries_state.h"

#include <utility>

LiveryData makeLiveryData(std::int32_t folderOrdinal, std::string airline, std::string model, bool pax,
                          std::string title, std::string atcId) {
    // The set's node is made before the lock is taken: the scan's threads
    // hold the lock only to search the set and link the node in.
    std::set<std::string> single{title};
    auto node = single.extract(single.begin());
    bool inserted = false;
    {
        const std::lock_guard lock(titleSetMutex);
        inserted = liveryTitles.insert(std::move(node)).inserted;
    }
    if (!inserted) {
        return {};
    }
    return {std::move(airline), std::move(model), std::move(title), std::move(atcId), folderOrdinal, !pax};
}
