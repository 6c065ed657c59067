#pragma once
// Rounding of doubles to ints where the double may be anything: a NaN, an
// infinity or a value beyond an int must never reach the conversion, which
// would be undefined.

// The value rounded to the nearest int, halves away from zero; throws
// gsl::narrowing_error when it is not finite or does not fit an int.
int gf_roundToInt(double value);
