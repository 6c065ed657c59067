#pragma once
// Conversion factors between the units the program's fields carry in their
// names (Nm, Ft, M, Deg, Rad).

inline constexpr double kMetresPerNm = 1852.0;
inline constexpr double kFeetPerNm = 6076.11549;
inline constexpr double kDegreesPerRadian = 57.29577951308232;
inline constexpr double kRadiansPerDegree = 0.017453292519943295;
