#pragma once
// The settings that an airport's learned file keeps for it (the ones that
// steer static parking and the traffic around it), set again from the file
// when the airport's stands are read. They are not saved to parameters.xml:
// they stay in force after the airport is left, except MAX_LIVE_SEL, which
// leaving the park airport sets back to the user's own value.

#include <pugixml.hpp>

// Sets each setting that the document's parameters hold, in this order:
// LEARN_SOFT, MAX_LIVE (onto the choices of MAX_LIVE_SEL; the largest
// choice, no limit, when absent), LATERAL_RANGE (onto the RANGE choices,
// applied to the radius), AUTO_RANGE, PARK_FAKE, WEEK, PARK_SOFT,
// parking_percentage (30 when absent), INITIAL_LOAD_ONLY, MAX_FIT (within
// 0..47, with MAX_FIT_FL). Each setting found is logged "{:24}: {}" and shown
// in its control.
void applyLearnedSettings(const pugi::xml_node& document);
