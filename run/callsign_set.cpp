#include "run/callsign_set.h"

void CallsignSet::insert(std::string_view callsign) {
    const std::lock_guard lock(mutex_);
    callsigns_.emplace(callsign);
}

void CallsignSet::clear() {
    const std::lock_guard lock(mutex_);
    callsigns_.clear();
}

CallsignSet::Set CallsignSet::takeAll() {
    Set taken;
    const std::lock_guard lock(mutex_);
    taken.swap(callsigns_);
    return taken;
}
