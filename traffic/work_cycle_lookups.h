#pragma once
// What the traffic manager leaves for the run's work cycle to look at, and
// what the work cycle found for it: the live aircraft whose coupled
// callsign is still to be checked, and the object id of the callsign in
// the "Oid:" box, which the traffic manager forgets when that aircraft goes.

#include <atomic>
#include <cstdint>
#include <list>

// Live aircraft ids whose coupled callsign and older namesakes are still to
// be looked at; one is served per work cycle, always the front one. Worker
// thread only.
extern std::list<std::uint32_t> coupledCheckQueue;
// The object id found for the callsign of the "Oid:" box; 0 for none.
extern std::atomic<std::uint32_t> lookedUpObjectId;
