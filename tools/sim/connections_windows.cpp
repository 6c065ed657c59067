#include "connections_windows.h"

#include <algorithm>
#include <iostream>

namespace sim {

namespace {

// Bytes of one pipe read or write, and of the pipe's buffers.
constexpr DWORD kPipeChunk = 65536;

class TcpConnection final : public WindowsConnection {
public:
    explicit TcpConnection(platform::net::TcpSocket socket)
        : socket_(std::move(socket)), event_(::WSACreateEvent()) {
        std::error_code error;
        socket_.setNoDelay(error);
        ::WSAEventSelect(socket_.fd(), event_, FD_READ | FD_WRITE | FD_CLOSE);
    }
    ~TcpConnection() override {
        socket_.close();
        ::WSACloseEvent(event_);
    }
    TcpConnection(const TcpConnection&) = delete;
    TcpConnection& operator=(const TcpConnection&) = delete;

    Io receive(std::span<std::byte> buffer, std::size_t& count) override {
        count = 0;
        // Resets the event: Winsock signals it again while bytes remain
        // after this receive, and for every new arrival.
        WSANETWORKEVENTS events{};
        ::WSAEnumNetworkEvents(socket_.fd(), event_, &events);
        const int size = static_cast<int>(std::min<std::size_t>(buffer.size(), 1U << 30U));
        const int received = ::recv(socket_.fd(), reinterpret_cast<char*>(buffer.data()), size, 0);
        if (received > 0) {
            count = static_cast<std::size_t>(received);
            return Io::Done;
        }
        return received < 0 && ::WSAGetLastError() == WSAEWOULDBLOCK ? Io::WouldBlock : Io::Ended;
    }

    Io send(std::span<const std::byte> bytes, std::size_t& count) override {
        count = 0;
        const int size = static_cast<int>(std::min<std::size_t>(bytes.size(), 1U << 30U));
        const int sent = ::send(socket_.fd(), reinterpret_cast<const char*>(bytes.data()), size, 0);
        if (sent > 0) {
            count = static_cast<std::size_t>(sent);
            return Io::Done;
        }
        // After a refused send Winsock signals the event when there is room.
        return sent < 0 && ::WSAGetLastError() == WSAEWOULDBLOCK ? Io::WouldBlock : Io::Ended;
    }

    void shutdown() noexcept override { socket_.shutdownBoth(); }
    std::string_view kind() const noexcept override { return "tcp"; }

    void addWaitHandles(std::vector<HANDLE>& handles, bool) const override { handles.push_back(event_); }

private:
    platform::net::TcpSocket socket_;
    WSAEVENT event_;
};

// One overlapped transfer on the pipe and its event.
struct Transfer {
    Transfer() { overlapped.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr); }
    ~Transfer() { ::CloseHandle(overlapped.hEvent); }
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    OVERLAPPED overlapped{};
    bool inFlight = false;
};

// A connected instance of the pipe. One read is always under way into a
// buffer of its own, and one write at a time from another: each ends by
// itself and signals its event, so nothing here waits.
class PipeConnection final : public WindowsConnection {
public:
    explicit PipeConnection(HANDLE pipe) : pipe_(pipe), readBuffer_(kPipeChunk), writeBuffer_(kPipeChunk) {
        startRead();
    }
    ~PipeConnection() override {
        // Windows writes into the transfers and buffers until each has
        // ended or been cancelled.
        ::CancelIoEx(pipe_, nullptr);
        for (Transfer* transfer : {&read_, &write_}) {
            DWORD count = 0;
            if (transfer->inFlight) {
                ::GetOverlappedResult(pipe_, &transfer->overlapped, &count, TRUE);
            }
        }
        ::CloseHandle(pipe_);
    }
    PipeConnection(const PipeConnection&) = delete;
    PipeConnection& operator=(const PipeConnection&) = delete;

    Io receive(std::span<std::byte> buffer, std::size_t& count) override {
        count = 0;
        if (readStart_ == readEnd_) {
            if (ended_ || !reap(read_, readEnd_)) {
                return ended_ ? Io::Ended : Io::WouldBlock;
            }
            readStart_ = 0;
            if (readEnd_ == 0) {
                startRead();
                return Io::WouldBlock;
            }
        }
        count = std::min(buffer.size(), readEnd_ - readStart_);
        std::copy_n(readBuffer_.begin() + static_cast<std::ptrdiff_t>(readStart_), count, buffer.begin());
        readStart_ += count;
        if (readStart_ == readEnd_) {
            readStart_ = readEnd_ = 0;
            startRead();
        }
        return Io::Done;
    }

    Io send(std::span<const std::byte> bytes, std::size_t& count) override {
        count = 0;
        std::size_t written = 0;
        if (ended_ || (write_.inFlight && !reap(write_, written))) {
            return ended_ ? Io::Ended : Io::WouldBlock;
        }
        count = std::min<std::size_t>(bytes.size(), kPipeChunk);
        std::copy_n(bytes.begin(), count, writeBuffer_.begin());
        if (::WriteFile(pipe_, writeBuffer_.data(), static_cast<DWORD>(count), nullptr, &write_.overlapped) == 0 &&
            ::GetLastError() != ERROR_IO_PENDING) {
            ended_ = true;
            count = 0;
            return Io::Ended;
        }
        write_.inFlight = true;
        return Io::Done;
    }

    // What was written stays readable for the client: only the read is
    // cancelled, and the instance is closed with the connection.
    void shutdown() noexcept override {
        ended_ = true;
        ::CancelIoEx(pipe_, &read_.overlapped);
    }
    std::string_view kind() const noexcept override { return "pipe"; }

    void addWaitHandles(std::vector<HANDLE>& handles, bool wantWrite) const override {
        // A finished read that left bytes keeps its event signalled.
        if (read_.inFlight || readStart_ != readEnd_) {
            handles.push_back(read_.overlapped.hEvent);
        }
        if (wantWrite && write_.inFlight) {
            handles.push_back(write_.overlapped.hEvent);
        }
    }

private:
    void startRead() {
        if (::ReadFile(pipe_, readBuffer_.data(), kPipeChunk, nullptr, &read_.overlapped) == 0 &&
            ::GetLastError() != ERROR_IO_PENDING) {
            ended_ = true;
            return;
        }
        read_.inFlight = true;
    }

    // True when the transfer has ended, with its byte count; the connection
    // ends when the transfer failed.
    bool reap(Transfer& transfer, std::size_t& count) {
        DWORD transferred = 0;
        if (::GetOverlappedResult(pipe_, &transfer.overlapped, &transferred, FALSE) == 0) {
            if (::GetLastError() == ERROR_IO_INCOMPLETE) {
                return false;
            }
            transfer.inFlight = false;
            ended_ = true;
            return false;
        }
        transfer.inFlight = false;
        count = transferred;
        return true;
    }

    HANDLE pipe_;
    bool ended_ = false;
    Transfer read_;
    Transfer write_;
    std::vector<std::byte> readBuffer_;
    std::size_t readStart_ = 0;
    std::size_t readEnd_ = 0;
    std::vector<std::byte> writeBuffer_;
};

}  // namespace

std::unique_ptr<WindowsConnection> makeTcpConnection(platform::net::TcpSocket socket) {
    return std::make_unique<TcpConnection>(std::move(socket));
}

PipeListener::PipeListener(const std::wstring& name)
    : name_(name), connected_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    overlapped_.hEvent = connected_;
    if (!createInstance(true)) {
        const DWORD error = ::GetLastError();
        std::cerr << "vantrel-sim: the named pipe is not served ("
                  << (error == ERROR_ACCESS_DENIED ? std::string("another program serves it")
                                                   : "error " + std::to_string(error))
                  << "); clients connect over TCP\n";
        return;
    }
    listen();
}

PipeListener::~PipeListener() {
    if (state_ == Instance::Waiting) {
        ::CancelIoEx(instance_, &overlapped_);
        DWORD count = 0;
        ::GetOverlappedResult(instance_, &overlapped_, &count, TRUE);
    }
    if (serving()) {
        ::CloseHandle(instance_);
    }
    ::CloseHandle(connected_);
}

bool PipeListener::createInstance(bool first) {
    const DWORD openMode = PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0);
    instance_ = ::CreateNamedPipeW(name_.c_str(), openMode, PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT,
                                   PIPE_UNLIMITED_INSTANCES, kPipeChunk, kPipeChunk, 0, nullptr);
    return serving();
}

void PipeListener::listen() {
    state_ = Instance::Idle;
    ::ResetEvent(connected_);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (::ConnectNamedPipe(instance_, &overlapped_) != 0) {
            state_ = Instance::Connected;
        } else if (const DWORD error = ::GetLastError(); error == ERROR_IO_PENDING) {
            state_ = Instance::Waiting;
            return;
        } else if (error == ERROR_PIPE_CONNECTED) {
            // A client came between the creation and this call.
            state_ = Instance::Connected;
        } else if (error == ERROR_NO_DATA) {
            // ... and left again: the instance is made free and tried again.
            ::DisconnectNamedPipe(instance_);
            continue;
        }
        break;
    }
    if (state_ == Instance::Connected) {
        ::SetEvent(connected_);  // so that the wait sees it
    } else {
        std::cerr << "vantrel-sim: the named pipe takes no more clients (error " << ::GetLastError() << ")\n";
    }
}

std::unique_ptr<WindowsConnection> PipeListener::accept() {
    bool connected = state_ == Instance::Connected;
    if (state_ == Instance::Waiting) {
        DWORD count = 0;
        connected = ::GetOverlappedResult(instance_, &overlapped_, &count, FALSE) != 0;
        if (!connected && ::GetLastError() == ERROR_IO_INCOMPLETE) {
            return nullptr;
        }
    } else if (!connected) {
        return nullptr;
    }
    state_ = Instance::Idle;
    if (!connected) {
        // The client left before it was taken: this instance waits again.
        ::DisconnectNamedPipe(instance_);
        listen();
        return nullptr;
    }
    auto client = std::make_unique<PipeConnection>(instance_);
    instance_ = INVALID_HANDLE_VALUE;
    if (createInstance(false)) {
        listen();
    } else {
        std::cerr << "vantrel-sim: no new instance of the named pipe (error " << ::GetLastError()
                  << "); it takes no more clients\n";
    }
    return client;
}

}  // namespace sim
