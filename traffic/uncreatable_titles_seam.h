#pragma once
// Seam: the traffic manager's record of the liveries the simulator refused
// to create, as far as the livery matching summary reads it, until the
// traffic manager is built; its own bookkeeping replaces this file whole.
// The ladders refuse the titles of liveryCatalog.refusedTitles
// (liveries/livery_catalog.h), which a failed creation appends to.

#include <set>
#include <string>
#include <vector>

// Type code, a blank and airline code of each aircraft whose livery the
// simulator refused.
extern std::set<std::string> uncreatableKinds;

// The uncreatable kinds, each after two blanks, in the set's order.
std::vector<std::string> gf_listUncreatableTitles();
