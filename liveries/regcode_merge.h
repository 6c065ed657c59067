#pragma once
// Binding registrations to installed liveries: fills the catalogue's
// regcodeTitles and specialTitles (liveries/livery_catalog.h) from three
// sources in rising precedence: the ATC ids of the scanned liveries
// (in-line), the AIG list, the user's my_regcodes lists. A later source
// overrides an earlier one; each override is reported. Runs on the worker
// after buildPaxCargoAirlineMaps and before buildModelTitleMaps.

#include <string>
#include <vector>

#include "liveries/regcode_lists.h"

// Binds the ATC id of each scanned livery (liveryList) to its title; the
// first livery keeps an ATC id that several carry. Clashes go to
// output/errors/InlineRegcodes.txt and are counted in the log.
void checkInlineRegcodes();

// Merges the AIG list and then the my_regcodes lists and writes the report
// output/info/OfflineRegcodes.txt. A list that cannot be read or decrypted
// does not keep the others from being merged and reported.
void processRegcodeFiles();

// Binds the registrations of the entries whose titles are installed, marks
// the special ones, and adds the replacements and a summary line to
// regcodeMessages.
void mergeRegcodes(const std::vector<RegcodeEntry>& entries);
