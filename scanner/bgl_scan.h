#pragma once
// The body of one scan worker of the add-on airport scan: one BGL file
// read whole into memory and walked by word index (scanner/bgl_file.h),
// each usable airport record turned into a ScannedAirport and then into a
// redirect file, a generated stand file, both or nothing.
//
// The file walk: for each airport section (type 3, bit 16 of its flags
// clear) the records from the section's first record on, each size / 4
// words after the last, on through whatever follows the section to the end
// of the file (the records of a file's further airport subsections follow
// the first ones), until a record would begin beyond the file or a size
// below 4 bytes would not move on:
//   0x56   an airport record, read when its ident is usable
//   0x113  in MSFS 2024 mode only: an airport this scan cannot read; the
//          whole file goes to handleUnrecognisedAirport and nothing more of
//          it is read
//   any other id is passed over by its size.

#include <cstddef>
#include <filesystem>
#include <string>

#include "scanner/bgl_file.h"

// Reads the file and its airports. A file that does not open, is shorter
// than 15 words or whose w1 is not 0x38 is left without a message. A
// failure (a size or offset beyond the file, no memory, a failing callee)
// is logged "Exception in lf_processBGLfile: {}" with the path and thrown
// on to the scan. The worker slot is the worker thread's
// (core/scan_workers.h), which frees it however the file ends.
void lf_processBGLfile(const std::filesystem::path& path);

// One airport record (recordWords long) at the word index, ident usable:
// linked to the archive (scanner/airport_links.h); in MSFS 2024 mode a
// linked airport is read no further. Otherwise its stands are read
// (scanner/bgl_airport.h), "===> {} has {} parkpos while archived one has
// {}" is logged when more were found than archived (not for "simaddon"),
// and the stand file is generated unless the airport was linked and the
// archive has as many stands or is the simulator maker's.
void processAirportRecord(std::size_t record, const BglWords& words, std::size_t recordWords,
                          const std::string& ident, const std::string& bglPath);
