#pragma once
// The airports' state: the airport list and its names, the park airports and
// the current one with its stands, what is kept of it while it is loaded
// (whether static parking is in force, whether soft stand options may be
// learned there, the quality of its stand file, the user's own choices that
// its learned file may override until it is left) and the count of learned
// changes. Loading and leaving the park airport is the traffic manager's
// (traffic/lifecycle/park_airport_loading.h). A run's reset empties the park airports
// with gf_resetAirportsState, which traffic's gf_clearAllAircraft calls with
// the aircraft that use them. The rest lasts from one run to the next.

#include <atomic>
#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include "airports/airport_list.h"
#include "airports/park_airport_file.h"
#include "airports/park_airports.h"
#include "airports/park_stands.h"
#include "core/shared_text.h"
#include "core/shared_value.h"

// Sorted by code (byte-wise, a code before the longer codes it begins);
// never changed after it was read, so references to its records stay valid.
extern std::vector<AirportRecord> airportList;
// The list was read completely; later reads return at once. Set after the
// list is complete, so any thread may search the list once it is set.
extern std::atomic<bool> airportsRead;
// ICAO code to airport name; the first name of a code wins.
extern std::unordered_map<std::string, std::string> airportNames;

// As read, then the my_thirdparty airports; the destination and the airport
// the user parks at go to the front; sorted by distance while the user moves
// and no destination is set. Worker thread only.
extern std::list<ParkAirportEntry> parkAirports;
// The current park airport, whose stands get static parked aircraft; an
// empty code means none. Chosen by the worker and read by the traffic
// reader's thread, hence copied whole under its own lock.
extern SharedValue<AirportRecord> parkAirport;
// The stand of the park airport kept for the user aircraft; no AI aircraft
// is put on it. Empty: none. Written by the worker, painted by the window.
extern SharedText reservedStandText;

// The stands of the current park airport; empty while none is loaded
// (worker).
extern std::vector<ParkPosition> parkPositions;
// The stands come from the park airport's learned file, a handmade one that
// replaced the archived stands; learned files written for the airport stay
// handmade, with every stand in full.
extern bool learnedFileHandmade;

// The park airport's stand-file record: airport name, publisher and
// altitude of the file read (the learned file is saved with them).
extern AirportFileInfo parkAirportFile;
// RT_traffic_week of the park airport's stand file (the weeks of real
// traffic behind it); 0 when absent or none is loaded. Written by the
// worker, read by the UI thread when it paints.
extern std::atomic<std::int32_t> rtTrafficWeek;

// A park airport is loaded and static parking is in force; read by the
// window's thread too.
extern std::atomic<bool> parkingActive;
// The traffic manager may learn soft stand options at the park airport: not
// where the stand file knows the real traffic well.
extern bool learnSoftAllowed;
// The quality factors of the park airport's stand file.
extern QualityFactors parkQualityFactors;
// MAX_LIVE_SEL as the user chose it; a park airport's learned file may set
// another value, which lasts until the airport is left. Read by the
// window's thread.
extern std::atomic<std::uint32_t> userMaxLiveSel;
// LEARN_SOFT as the user chose it (at start and with its check box); a park
// airport may switch soft learning off, or its learned file set another
// value, which lasts until the airport is left. Written by the window's
// thread too.
extern std::atomic<bool> userLearnSoft;

// Learned stand changes (options, radii, cargo flags) since the park airport
// was loaded or its learned file saved; the traffic manager counts them.
extern std::uint32_t learnedUpdateCount;
// A per-airport setting was changed while the park airport was loaded (the
// main window sets it from the UI thread).
extern std::atomic<bool> parkingParamsChanged;

// A run's reset of the park airports: no current park airport, no park
// airport list, no stands and no learned changes counted. Worker thread.
void gf_resetAirportsState();
