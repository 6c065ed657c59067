#include "core/closing_reason.h"

#include <array>

#include "core/fixed_tables.h"

namespace {

// By the reason's code.
constexpr std::array<std::string_view, 8> kReasonTexts{
    "NOT YET SET",     "SIM WAS CLOSED",   "NEW FLIGHT",   "NEW SETTINGS",
    "USER CLOSED SIM", "SIMCONNECT ERROR", "READER ERROR", "SYSTEM ERROR"};

}  // namespace

std::string_view gf_closingReasonText(ClosingReason reason) {
    static const CategoryTable<std::string_view> table = gf_nameTable(kReasonTexts);
    return gf_categoryValue(table, static_cast<std::uint32_t>(reason));
}
