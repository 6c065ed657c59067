#include "server_events.h"

#include "connections_windows.h"
#include "platform/os/timer_resolution.h"
#include "session.h"

#include <algorithm>
#include <atomic>
#include <iostream>
#include <mutex>
#include <utility>

namespace sim {

namespace {

constexpr wchar_t kPipeName[] = L"\\\\.\\pipe\\Microsoft Flight Simulator\\SimConnect";
constexpr char kPipeNameText[] = "\\\\.\\pipe\\Microsoft Flight Simulator\\SimConnect";
// How long the end of the stand-in waits for the input thread to notice.
constexpr DWORD kInputThreadEndMs = 1000;

std::atomic<bool> lf_stopRequested{false};
std::atomic<HANDLE> lf_stopEvent{nullptr};

BOOL WINAPI lf_onConsoleEvent(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
        return FALSE;
    }
    lf_stopRequested = true;
    if (HANDLE stop = lf_stopEvent.load()) {
        ::SetEvent(stop);
    }
    return TRUE;
}

// Standard input, read by a thread of its own: it may be a console, a pipe
// or a file, and none of them can be waited for together with sockets and
// pipe instances. What it reads waits here for the server's thread.
struct ControlInput {
    ControlInput() : arrived(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~ControlInput() { ::CloseHandle(arrived); }
    ControlInput(const ControlInput&) = delete;
    ControlInput& operator=(const ControlInput&) = delete;

    std::mutex mutex;
    std::string pending;  // under mutex
    bool ended = false;   // under mutex
    std::atomic<bool> stopping{false};
    HANDLE arrived;  // set while pending holds bytes or the input has ended
};

DWORD WINAPI lf_readInput(void* parameter) {
    // The thread owns a share of the input, so that it may outlive the
    // server when the system cannot cancel its read (see ~State).
    const std::unique_ptr<std::shared_ptr<ControlInput>> owner(static_cast<std::shared_ptr<ControlInput>*>(parameter));
    ControlInput& input = **owner;
    const HANDLE standardInput = ::GetStdHandle(STD_INPUT_HANDLE);
    char buffer[4096];
    DWORD count = 0;
    while (!input.stopping && standardInput != nullptr && standardInput != INVALID_HANDLE_VALUE &&
           ::ReadFile(standardInput, buffer, sizeof buffer, &count, nullptr) != 0 && count > 0) {
        const std::lock_guard lock(input.mutex);
        input.pending.append(buffer, count);
        ::SetEvent(input.arrived);
    }
    const std::lock_guard lock(input.mutex);
    input.ended = true;
    ::SetEvent(input.arrived);
    return 0;
}

}  // namespace

struct ServerEvents::State {
    explicit State(platform::net::TcpListener tcp)
        : listener(std::move(tcp)),
          accepted(::WSACreateEvent()),
          pipe(kPipeName),
          stop(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          input(std::make_shared<ControlInput>()) {
        ::WSAEventSelect(listener.fd(), accepted, FD_ACCEPT);
        lf_stopEvent = stop;
        ::SetConsoleCtrlHandler(lf_onConsoleEvent, TRUE);
        inputThread = ::CreateThread(nullptr, 0, lf_readInput, new std::shared_ptr<ControlInput>(input), 0, nullptr);
        if (inputThread == nullptr) {
            std::cerr << "vantrel-sim: no thread for the control input (error " << ::GetLastError() << ")\n";
            input->ended = true;
            inputEnded = true;
        }
    }

    ~State() {
        ::SetConsoleCtrlHandler(lf_onConsoleEvent, FALSE);
        lf_stopEvent = nullptr;
        if (inputThread != nullptr) {
            // A read of a console or pipe is cancelled; where the system
            // cannot cancel it, the thread ends with the program.
            input->stopping = true;
            ::CancelSynchronousIo(inputThread);
            ::WaitForSingleObject(inputThread, kInputThreadEndMs);
            ::CloseHandle(inputThread);
        }
        ::CloseHandle(stop);
        listener.close();
        ::WSACloseEvent(accepted);
    }
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    platform::net::TcpListener listener;
    WSAEVENT accepted;
    PipeListener pipe;
    HANDLE stop;
    std::shared_ptr<ControlInput> input;
    HANDLE inputThread = nullptr;
    bool inputEnded = false;
    // Windows' timer at 1 ms, so that waits end on time for the frames.
    platform::OneMillisecondTimer timer;
};

ServerEvents::ServerEvents(platform::net::TcpListener listener)
    : state_(std::make_unique<State>(std::move(listener))) {}

ServerEvents::~ServerEvents() = default;

std::string ServerEvents::pipeName() const { return state_->pipe.serving() ? kPipeNameText : ""; }

void ServerEvents::wait(const std::vector<Session*>& sessions, Clock::time_point deadline) {
    std::vector<HANDLE> handles{state_->stop, state_->accepted};
    if (!state_->inputEnded) {
        handles.push_back(state_->input->arrived);
    }
    if (state_->pipe.serving()) {
        handles.push_back(state_->pipe.waitHandle());
    }
    // Every session's connection was made by acceptClients() below.
    for (const Session* session : sessions) {
        static_cast<const WindowsConnection&>(session->connection()).addWaitHandles(handles,
                                                                                   session->hasQueuedOutput());
    }
    auto timeout = std::max(std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()),
                            std::chrono::milliseconds{0});
    // One wait takes at most 64 objects; the clients beyond are looked at
    // every millisecond instead.
    if (handles.size() > MAXIMUM_WAIT_OBJECTS) {
        handles.resize(MAXIMUM_WAIT_OBJECTS);
        timeout = std::min(timeout, std::chrono::milliseconds{1});
    }
    if (::WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE,
                                 static_cast<DWORD>(timeout.count())) == WAIT_FAILED) {
        std::cerr << "vantrel-sim: the wait failed (error " << ::GetLastError() << ")\n";
        lf_stopRequested = true;
    }
}

std::vector<std::unique_ptr<Connection>> ServerEvents::acceptClients() {
    std::vector<std::unique_ptr<Connection>> clients;
    WSANETWORKEVENTS events{};
    ::WSAEnumNetworkEvents(state_->listener.fd(), state_->accepted, &events);
    static const std::atomic<bool> never{false};
    for (;;) {
        std::error_code error;
        platform::net::TcpSocket client = state_->listener.accept(never, error, std::chrono::milliseconds{0});
        if (!client.isOpen()) {
            break;
        }
        clients.push_back(makeTcpConnection(std::move(client)));
    }
    while (std::unique_ptr<WindowsConnection> client = state_->pipe.accept()) {
        clients.push_back(std::move(client));
    }
    return clients;
}

std::string ServerEvents::takeInput() {
    ControlInput& input = *state_->input;
    const std::lock_guard lock(input.mutex);
    state_->inputEnded = input.ended;
    ::ResetEvent(input.arrived);
    return std::exchange(input.pending, {});
}

bool ServerEvents::stopRequested() const { return lf_stopRequested; }

}  // namespace sim
