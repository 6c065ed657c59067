#pragma once
// Linking a scanned airport to the archive of stand files on the maker's
// download server: the simulator maker's own airports ("simaddon") and the
// add-on airports of known publishers that the aircraft database lists as
// archived get a redirect file, <ICAO>.txt in airports/my_simaddon or
// airports/my_thirdparty, whose one line is the path of the archived stand
// file on the server:
//   archive/simaddon/<ICAO>.xml
//   archive/thirdparty/<publisher, each blank written %20>/<ICAO>.xml
// Stand-file lookup (airports) reads such a file before the XML file of the
// same folder. Everything here is written to the scan log.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "scanner/scanned_airport.h"

// Stores the BGL path and the publisher record in the airport, and writes
// the redirect file when the archive holds the airport. archivedCount gets
// the archived file's number of stands when the database tells it, else 0.
// True when linked. A redirect file that cannot be written is logged
// "===> Writing {} did not succeed" and leaves the airport unlinked.
bool linkAirportToPackage(ScannedAirport& airport, std::uint32_t& archivedCount, const std::string& bglPath);

// "archive/simaddon/<ICAO>.xml" when the database's simaddon set holds the
// airport; else none, logged "{} does not exist as simaddon".
std::optional<std::string> findArchivedSimaddonAirport(const ScannedAirport& airport);

// The archive path of the first entry of the current simulator's publisher
// list (publisher name as is) that begins with the ICAO code, whose number
// goes into count (an entry without a valid number still matches, logged,
// count unchanged). None: logged "thirdparty {} {} does not exist".
std::optional<std::string> findArchivedThirdpartyAirport(const std::string& publisher, const ScannedAirport& airport,
                                                         std::uint32_t& count);

// A BGL file of MSFS 2024 whose airport record this scan cannot read: the
// ICAO is guessed and the airport linked when the archive holds it; no
// stand file is generated for it.
void handleUnrecognisedAirport(const std::string& bglPath);

// The first that succeeds: the file's stem, upper-cased, when it is a code
// of the airport list; the code the package manifest's title begins with;
// the first code of the airport list written between dashes in the path.
// Empty when none does (logged "... Not recognised airport lost ...").
std::string guessUnrecognisedIcao(const std::string& bglPath);
