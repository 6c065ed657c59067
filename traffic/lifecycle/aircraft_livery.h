#pragma once
// The matching ladders (liveries/livery_matching.h) applied to the traffic
// manager's aircraft records: the chosen title goes into the identity and
// the step into the log (while LOG is on). Worker thread only.

#include "traffic/aircraft_records.h"

// Live aircraft without a title: sets liveryTitle, empty when nothing fits,
// and the FSLTL flag (reverseThrust) of a chosen livery; logs
// "          {label} ={step}= {title}".
void gf_matchLiveLivery(LiveAc& aircraft);

// Static aircraft: a title it already carries stays ("=s="); otherwise its
// cargo flag becomes its stand's and the static ladder chooses ("={step}=",
// or "{stand:8}: {label} no livery match ..."). False when it has no title.
bool gf_matchStaticLivery(ParkedAc& aircraft);
