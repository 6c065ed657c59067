#pragma once
// The worker threads of a scan, which read its files (the livery scan one
// aircraft.cfg per task, the airport scan one BGL file) while the scan's own
// thread walks the folders and hands the tasks over. Results come back in
// the order the tasks were handed over, whatever order the threads finish
// them in.
//
// Tasks are handed over in batches of a size the scan chooses: the walking
// thread fills a batch and wakes one thread for it, so that for thousands of
// small files the wake-ups (and the lock) are paid per batch, not per file.
// The last batch, however full, is handed over when the results are taken.
//
// At most maxWorkers threads run, each holding a worker slot
// (core/worker_slots.h) from its start to its end, so no more tasks run at
// once. The threads are started as batches arrive and serve the batches in
// order: the walk never waits for a thread, and a thread is not started and
// ended per file, which for thousands of small files would cost more than
// reading them. A stop request (either stop flag) starts no further batch;
// a batch started runs to its end, so the tasks started are always the first
// ones handed over.

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "core/core_state.h"
#include "core/run_flags.h"
#include "core/worker_slots.h"

template <class Result>
class ScanWorkers {
public:
    using Task = std::function<Result()>;

    // batchSize tasks are handed to a thread at once (at least one).
    explicit ScanWorkers(std::size_t batchSize = 1) : batchSize_(std::max<std::size_t>(batchSize, 1)) {
        pending_.reserve(batchSize_);
    }
    // Waits for the threads; the results not taken are dropped.
    ~ScanWorkers() { waitForWorkers(); }
    ScanWorkers(const ScanWorkers&) = delete;
    ScanWorkers& operator=(const ScanWorkers&) = delete;

    // Queues the task; a full batch is handed to the threads. A new batch
    // starts a thread when none waits and fewer than maxWorkers run (once a
    // worker slot is free). False when a stop was requested: the caller
    // hands over no more tasks. Throws std::system_error when no thread runs
    // and none can be started (the task is then not queued).
    bool add(Task task) {
        if (runStopRequested || userCloseRequested) {
            return false;
        }
        if (pending_.empty() && !startThreadIfNeeded()) {
            return false;
        }
        pending_.push_back(std::move(task));
        if (pending_.size() == batchSize_) {
            handOverPending();
        }
        return true;
    }

    // Hands over the last batch (unless a stop was requested), waits until
    // every batch started has ended, then hands each result (or the
    // exception its task ended with, as a std::exception_ptr) to
    // take(result) and take(exception) in the order the tasks were handed
    // over. Tasks not started because of a stop give nothing.
    template <class TakeResult, class TakeException>
    void takeResults(TakeResult takeResult, TakeException takeException) {
        if (!pending_.empty() && !runStopRequested && !userCloseRequested) {
            handOverPending();
        }
        pending_.clear();
        waitForWorkers();
        for (Batch& batch : batches_) {
            for (Outcome& outcome : batch.outcomes) {
                if (outcome.result) {
                    takeResult(std::move(*outcome.result));
                } else if (outcome.error) {
                    takeException(outcome.error);
                }
            }
        }
        batches_.clear();
        nextBatch_ = 0;
    }

private:
    struct Outcome {
        std::optional<Result> result;
        std::exception_ptr error;
    };
    // Tasks handed to one thread at once; the thread that takes the batch
    // fills its outcomes without the lock (one per task, in order).
    struct Batch {
        std::vector<Task> tasks;
        std::vector<Outcome> outcomes;
    };

    // Starts a thread for the next batch when none waits and fewer than
    // maxWorkers run. False when a stop came while waiting for a slot.
    bool startThreadIfNeeded() {
        std::unique_lock lock(mutex_);
        if (waiting_ > 0 || threads_.size() >= static_cast<std::size_t>(std::max(maxWorkers, 1))) {
            return true;
        }
        // Only the thread that adds tasks starts threads, so the condition
        // holds while it waits for a slot without the lock.
        lock.unlock();
        if (!gf_waitForWorkerSlot()) {
            return false;
        }
        lock.lock();
        try {
            threads_.emplace_back(&ScanWorkers::serve, this);
            ++runningWorkers;
        } catch (const std::system_error&) {
            if (threads_.empty()) {
                throw;
            }
            // The threads that run take the batch when they are done.
        }
        return true;
    }

    void handOverPending() {
        Batch batch{std::move(pending_), {}};
        batch.outcomes.resize(batch.tasks.size());
        pending_ = {};
        pending_.reserve(batchSize_);
        {
            const std::lock_guard lock(mutex_);
            batches_.push_back(std::move(batch));
        }
        queued_.notify_one();
    }

    void waitForWorkers() {
        {
            const std::lock_guard lock(mutex_);
            closing_ = true;
        }
        queued_.notify_all();
        for (std::thread& thread : threads_) {
            thread.join();
        }
        threads_.clear();
        closing_ = false;
    }

    // A worker thread: runs the queued batches in order until the scan
    // closes (or stops), then frees its slot.
    void serve() {
        std::unique_lock lock(mutex_);
        for (;;) {
            ++waiting_;
            queued_.wait(lock, [this] { return closing_ || nextBatch_ < batches_.size(); });
            --waiting_;
            if (nextBatch_ == batches_.size() || runStopRequested || userCloseRequested) {
                break;
            }
            Batch& batch = batches_[nextBatch_++];  // a deque's elements stay where they are
            lock.unlock();
            for (std::size_t index = 0; index < batch.tasks.size(); ++index) {
                try {
                    batch.outcomes[index].result.emplace(batch.tasks[index]());
                } catch (...) {
                    batch.outcomes[index].error = std::current_exception();
                }
            }
            lock.lock();
        }
        lock.unlock();
        gf_releaseWorkerSlot();
    }

    const std::size_t batchSize_;
    std::vector<Task> pending_;  // the batch being filled; the adding thread's own

    // Its place in the lock order: docs/locks.md.
    std::mutex mutex_;  // guards the members below (not the batch a thread runs); a leaf lock
    std::condition_variable queued_;
    std::deque<Batch> batches_;  // in the order handed over
    std::size_t nextBatch_ = 0;  // the first batch not started
    std::vector<std::thread> threads_;
    std::size_t waiting_ = 0;  // threads waiting for a batch
    bool closing_ = false;
};
