#pragma once
// Ghosts: a callsign with a trailing "_" is the feed's mark of a second
// aircraft under the same callsign. When the aircraft without the mark is
// live, the marked one is a ghost and leaves. Worker thread only.

#include <string>

// A live aircraft that is not being removed flies under the callsign
// without its last character.
bool gf_callsignLiveWithoutSuffix(const std::string& callsign);

// A live aircraft flying as this callsign with a "_" appended is a ghost:
// it leaves and its callsign is remembered among the ghost callsigns.
void checkGhost(const std::string& callsign);
