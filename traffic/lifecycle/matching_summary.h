#pragma once
// The summary of the live traffic's livery matching in the log: how many
// live aircraft each step of the live ladder matched, and the liveries the
// simulator refused to create. Written when a run closes and once a day of
// run time. Worker thread.

// Writes the summary of the counted live matches and of the refused
// liveries to the log; nothing while no match was counted.
void gf_logLiveryMatchingSummary();
