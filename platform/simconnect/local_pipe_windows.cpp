#include "platform/simconnect/stream.h"

#include <algorithm>
#include <windows.h>

namespace platform::simconnect {

namespace {

constexpr wchar_t kPipeName[] = L"\\\\.\\pipe\\Microsoft Flight Simulator\\SimConnect";
// How long a connect waits for a busy pipe to offer a free instance.
constexpr DWORD kBusyPipeWaitMs = 1000;

bool lf_isEndOfPipe(DWORD error) {
    return error == ERROR_BROKEN_PIPE || error == ERROR_PIPE_NOT_CONNECTED || error == ERROR_NO_DATA;
}

// One overlapped read or write: started, then waited for in steps that test
// the stop flag, and cancelled when the stop or the time-out comes first.
class Transfer {
public:
    Transfer() : event_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Transfer() { ::CloseHandle(event_); }
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    enum class Outcome { Done, Ended, Stopped, TimedOut, Failed };

    template <class Start>
    Outcome run(HANDLE pipe, Start start, const std::atomic<bool>& stop,
                std::optional<std::chrono::milliseconds> timeout, DWORD& count, std::error_code& error) {
        using Clock = std::chrono::steady_clock;
        const auto deadline = timeout ? Clock::now() + *timeout : Clock::time_point::max();
        OVERLAPPED overlapped{};
        overlapped.hEvent = event_;
        ::ResetEvent(event_);
        if (start(&overlapped) == 0 && ::GetLastError() != ERROR_IO_PENDING) {
            return failure(error);
        }
        Outcome outcome = Outcome::Done;
        for (;;) {
            auto step = std::chrono::duration_cast<std::chrono::milliseconds>(net::kStopPollInterval);
            if (timeout) {
                step = std::clamp(std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()),
                                  std::chrono::milliseconds{0}, step);
            }
            if (::WaitForSingleObject(event_, static_cast<DWORD>(step.count())) == WAIT_OBJECT_0) {
                break;
            }
            if (stop.load()) {
                outcome = Outcome::Stopped;
                break;
            }
            if (timeout && Clock::now() >= deadline) {
                outcome = Outcome::TimedOut;
                break;
            }
        }
        if (outcome != Outcome::Done) {
            ::CancelIoEx(pipe, &overlapped);
        }
        // Waits for the end of the transfer (or of its cancelling), after
        // which Windows no longer writes into overlapped or the buffer.
        if (::GetOverlappedResult(pipe, &overlapped, &count, TRUE) == 0) {
            if (::GetLastError() == ERROR_OPERATION_ABORTED) {
                // Cancelled here, or by a shutdown of the stream.
                return outcome != Outcome::Done ? outcome : Outcome::Ended;
            }
            return failure(error);
        }
        // A transfer that finished while it was being cancelled counts.
        return Outcome::Done;
    }

private:
    static Outcome failure(std::error_code& error) {
        const DWORD code = ::GetLastError();
        if (lf_isEndOfPipe(code)) {
            return Outcome::Ended;
        }
        error = {static_cast<int>(code), std::system_category()};
        return Outcome::Failed;
    }

    HANDLE event_;
};

class PipeStream final : public Stream {
public:
    explicit PipeStream(HANDLE pipe) : pipe_(pipe) {}
    ~PipeStream() override { ::CloseHandle(pipe_); }
    PipeStream(const PipeStream&) = delete;
    PipeStream& operator=(const PipeStream&) = delete;

    bool sendAll(std::span<const std::byte> bytes, const std::atomic<bool>& stop, std::error_code& error) override {
        while (!bytes.empty()) {
            if (shutDown_) {
                error = {ERROR_BROKEN_PIPE, std::system_category()};
                return false;
            }
            const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 20U));
            DWORD written = 0;
            const auto outcome = sending_.run(
                pipe_, [&](OVERLAPPED* overlapped) { return ::WriteFile(pipe_, bytes.data(), size, nullptr, overlapped); },
                stop, std::nullopt, written, error);
            if (outcome != Transfer::Outcome::Done) {
                if (outcome == Transfer::Outcome::Ended) {
                    error = {ERROR_BROKEN_PIPE, std::system_category()};
                }
                return false;
            }
            bytes = bytes.subspan(written);
        }
        return true;
    }

    net::ReceiveResult receiveSome(std::span<std::byte> buffer, const std::atomic<bool>& stop,
                                   std::error_code& error,
                                   std::optional<std::chrono::milliseconds> timeout) override {
        using Status = net::ReceiveResult::Status;
        if (shutDown_) {
            return {Status::Closed, 0};
        }
        const auto size = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), 1U << 30U));
        for (;;) {
            DWORD received = 0;
            switch (receiving_.run(
                pipe_, [&](OVERLAPPED* overlapped) { return ::ReadFile(pipe_, buffer.data(), size, nullptr, overlapped); },
                stop, timeout, received, error)) {
                case Transfer::Outcome::Done:
                    // A message pipe may hand over an empty message: no end,
                    // nothing to give; read on.
                    if (received != 0) {
                        return {Status::Data, received};
                    }
                    break;
                case Transfer::Outcome::Ended: return {Status::Closed, 0};
                case Transfer::Outcome::Stopped: return {Status::Stopped, 0};
                case Transfer::Outcome::TimedOut: return {Status::TimedOut, 0};
                case Transfer::Outcome::Failed: return {Status::Failed, 0};
            }
        }
    }

    void shutdownBoth() noexcept override {
        shutDown_ = true;
        ::CancelIoEx(pipe_, nullptr);
    }

private:
    HANDLE pipe_;
    std::atomic<bool> shutDown_{false};
    Transfer sending_;
    Transfer receiving_;
};

HANDLE lf_openPipe() {
    return ::CreateFileW(kPipeName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED,
                         nullptr);
}

}  // namespace

std::unique_ptr<Stream> connectLocalPipe() {
    HANDLE pipe = lf_openPipe();
    // Every instance busy: wait a moment for one to come free, once.
    if (pipe == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_PIPE_BUSY &&
        ::WaitNamedPipeW(kPipeName, kBusyPipeWaitMs) != 0) {
        pipe = lf_openPipe();
    }
    if (pipe == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return std::make_unique<PipeStream>(pipe);
}

}  // namespace platform::simconnect
