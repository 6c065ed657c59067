#pragma once
// The worker threads of a scan, which read its files (the livery scan one
// aircraft.cfg per task, the airport scan one BGL file) while the scan's own
// thread walks the folders and hands the tasks over. Results come back in
// the order the tasks were handed over, whatever order the threads finish
// them in.
//
// At most maxWorkers threads run, each holding a worker slot
// (core/worker_slots.h) from its start to its end, so no more tasks run at
// once. The threads are started as tasks arrive and serve the tasks in
// order: the walk never waits for a thread, and a thread is not started and
// ended per file, which for thousands of small files would cost more than
// reading them. A stop request (either stop flag) starts no further task:
// the tasks started are always the first ones handed over.

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

#include "core/worker_slots.h"
#include "run/run_flags.h"

template <class Result>
class ScanWorkers {
public:
    using Task = std::function<Result()>;

    ScanWorkers() = default;
    // Waits for the threads; the results not taken are dropped.
    ~ScanWorkers() { waitForWorkers(); }
    ScanWorkers(const ScanWorkers&) = delete;
    ScanWorkers& operator=(const ScanWorkers&) = delete;

    // Queues the task. Starts a thread when fewer than maxWorkers run (once
    // a worker slot is free). False when a stop was requested: the caller
    // hands over no more tasks. Throws std::system_error when no thread runs
    // and none can be started (the task is then not queued).
    bool add(Task task) {
        if (runStopRequested || userCloseRequested) {
            return false;
        }
        std::unique_lock lock(mutex_);
        if (waiting_ == 0 && threads_.size() < static_cast<std::size_t>(std::max(maxWorkers, 1))) {
            // Only the thread that adds tasks starts threads, so the
            // condition holds while it waits for a slot without the lock.
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
                // The threads that run take the task when they are done.
            }
        }
        tasks_.push_back(std::move(task));
        outcomes_.emplace_back();
        queued_.notify_one();
        return true;
    }

    // Waits until every task started has ended, then hands each result (or
    // the exception its task ended with, as a std::exception_ptr) to
    // take(result) and take(exception) in the order the tasks were handed
    // over. Tasks not started because of a stop give nothing.
    template <class TakeResult, class TakeException>
    void takeResults(TakeResult takeResult, TakeException takeException) {
        waitForWorkers();
        for (Outcome& outcome : outcomes_) {
            if (outcome.result) {
                takeResult(std::move(*outcome.result));
            } else if (outcome.error) {
                takeException(outcome.error);
            }
        }
        outcomes_.clear();
    }

private:
    struct Outcome {
        std::optional<Result> result;
        std::exception_ptr error;
    };

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

    // A worker thread: runs the queued tasks in order until the scan closes
    // (or stops), then frees its slot.
    void serve() {
        std::unique_lock lock(mutex_);
        for (;;) {
            ++waiting_;
            queued_.wait(lock, [this] { return closing_ || next_ < tasks_.size(); });
            --waiting_;
            if (next_ == tasks_.size() || runStopRequested || userCloseRequested) {
                break;
            }
            const std::size_t index = next_++;
            Task task = std::move(tasks_[index]);
            Outcome& outcome = outcomes_[index];  // a deque's elements stay where they are
            lock.unlock();
            try {
                outcome.result.emplace(task());
            } catch (...) {
                outcome.error = std::current_exception();
            }
            lock.lock();
        }
        lock.unlock();
        gf_releaseWorkerSlot();
    }

    std::mutex mutex_;  // guards the members below (not the outcomes a task fills); a leaf lock
    std::condition_variable queued_;
    std::deque<Task> tasks_;
    std::deque<Outcome> outcomes_;  // one per task, in order
    std::size_t next_ = 0;          // the first task not started
    std::vector<std::thread> threads_;
    std::size_t waiting_ = 0;  // threads waiting for a task
    bool closing_ = false;
};
