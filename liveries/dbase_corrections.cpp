#include "liveries/dbase_corrections.h"

#include "core/format.h"
#include "liveries/aircraft_database.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_data.h"
#include "liveries/scan_reports.h"

namespace {

// Takes the database's value and notes the change; nothing when they agree.
template <class Value>
void lf_takeDatabaseValue(const LiveryData& livery, std::string_view what, Value& value, const Value& fromDbase) {
    if (value == fromDbase) {
        return;
    }
    dbaseUpdateLines.push_back(
        fmtlib::format("{:80} {} {} {} => {}", livery.title, livery.atcId, what, value, fromDbase));
    value = fromDbase;
}

}  // namespace

void lf_applyDbaseToLiveries() {
    for (LiveryData& livery : liveryList) {
        if (livery.atcId.empty()) {
            continue;
        }
        const auto record = gf_lookupRegcode(livery.atcId);
        if (!record) {
            continue;
        }
        lf_takeDatabaseValue(livery, "cargo", livery.cargo, record->cargo);
        lf_takeDatabaseValue(livery, "airl", livery.airline,
                             record->operatorCode.empty() ? record->airline : record->operatorCode);
        lf_takeDatabaseValue(livery, "model", livery.model, record->type);
    }
}
