#pragma once
// The one text-formatting library of the program. GCC 12 has no std::format,
// so {fmt} stands in for it: every file formats with fmtlib::format and
// catches fmtlib::format_error where a formatting failure is handled. Moving
// to std::format later is this alias (and the include above it).

#include <fmt/format.h>

namespace fmtlib = ::fmt;
