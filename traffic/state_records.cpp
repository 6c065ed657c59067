#include "traffic/state_records.h"

#include <utility>

void UnmatchedAircraft::insert(const std::string& label) {
    if (members_.insert(label).second) {
        order_.push_back(label);
    }
}

void UnmatchedAircraft::clear() {
    order_.clear();
    members_.clear();
}

void AddingStack::push(LiveAcUpdate&& report) {
    const auto found = waiting_.find(report.aircraftId);
    if (found != waiting_.end() && found->second.newest) {
        reports_[*found->second.newest - frontSequence_] = std::move(report);
        return;
    }
    if (reports_.size() >= kAddingStackCap) {
        popFront();
        ++dropped_;
    }
    const std::uint64_t sequence = frontSequence_ + reports_.size();
    const std::uint32_t aircraftId = report.aircraftId;
    reports_.push_back(std::move(report));
    // The aircraft's entry may have gone with the dropped front report.
    const auto [entry, added] = waiting_.try_emplace(aircraftId, Waiting{sequence, std::nullopt});
    if (!added) {
        entry->second.newest = sequence;
    }
}

std::optional<LiveAcUpdate> AddingStack::takeFront() {
    if (reports_.empty()) {
        return std::nullopt;
    }
    return popFront();
}

LiveAcUpdate AddingStack::popFront() {
    LiveAcUpdate report = std::move(reports_.front());
    reports_.pop_front();
    const auto found = waiting_.find(report.aircraftId);
    if (found != waiting_.end() && found->second.oldest == frontSequence_) {
        if (found->second.newest) {
            found->second = Waiting{*found->second.newest, std::nullopt};
        } else {
            waiting_.erase(found);
        }
    }
    ++frontSequence_;
    return report;
}

void AddingStack::clear() {
    reports_.clear();
    waiting_.clear();
    frontSequence_ = 0;
}

std::uint64_t AddingStack::takeDroppedCount() { return std::exchange(dropped_, 0); }
