// The stand-in simulator's named pipe on Windows: a listener that always
// keeps an instance waiting, and connections that never wait, with records
// larger than the pipe's buffers, clients that come and go, and the end of
// a connection that must leave what was sent readable. Each case serves a
// pipe name of its own, so that no program looking for the simulator's
// pipe meets it.

#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "tools/sim/connections_windows.h"

namespace {

using sim::Connection;
using sim::PipeListener;
using sim::WindowsConnection;

std::wstring lf_pipeName() {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(test->test_suite_name()) + "." + test->name() + "." +
                             std::to_string(::GetCurrentProcessId());
    return L"\\\\.\\pipe\\vantrel-sim-test\\" + std::wstring(name.begin(), name.end());
}

// A client's end of the pipe, used without overlapped calls: it reads only
// what has arrived, so the test's one thread never blocks on it.
class Client {
public:
    explicit Client(const std::wstring& name)
        : handle_(::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~Client() { close(); }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    void close() {
        if (isOpen()) {
            ::CloseHandle(handle_);
            handle_ = INVALID_HANDLE_VALUE;
        }
    }
    void write(const std::vector<std::byte>& bytes) {
        DWORD written = 0;
        ASSERT_NE(::WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr), 0);
        ASSERT_EQ(written, bytes.size());
    }
    // Reads what has arrived; false once the server's end is gone and
    // nothing is left.
    bool readAvailable(std::vector<std::byte>& into) {
        DWORD available = 0;
        if (::PeekNamedPipe(handle_, nullptr, 0, nullptr, &available, nullptr) == 0) {
            return false;
        }
        if (available > 0) {
            const std::size_t start = into.size();
            into.resize(start + available);
            DWORD count = 0;
            if (::ReadFile(handle_, into.data() + start, available, &count, nullptr) == 0) {
                return false;
            }
            into.resize(start + count);
        }
        return true;
    }

private:
    HANDLE handle_;
};

std::vector<std::byte> lf_pattern(std::size_t size) {
    std::vector<std::byte> bytes(size);
    for (std::size_t index = 0; index < size; ++index) {
        bytes[index] = static_cast<std::byte>((index * 7 + index / 251) & 0xFF);
    }
    return bytes;
}

// Waits as the server's loop does: for the connection's events, at most
// 50 ms at a time.
void lf_waitFor(const WindowsConnection& connection, bool wantWrite) {
    std::vector<HANDLE> handles;
    connection.addWaitHandles(handles, wantWrite);
    if (!handles.empty()) {
        ::WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, 50);
    }
}

std::unique_ptr<WindowsConnection> lf_accept(PipeListener& listener) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (auto connection = listener.accept()) {
            return connection;
        }
        ::WaitForSingleObject(listener.waitHandle(), 50);
    }
    return nullptr;
}

TEST(SimPipe, RecordsLargerThanThePipeBuffersArriveWholeAndInOrder) {
    PipeListener listener(lf_pipeName());
    ASSERT_TRUE(listener.serving());
    Client client(lf_pipeName());
    ASSERT_TRUE(client.isOpen());
    const std::unique_ptr<WindowsConnection> server = lf_accept(listener);
    ASSERT_NE(server, nullptr);
    EXPECT_EQ(server->kind(), "pipe");

    // Several times the pipe's buffer: the server hands it over in pieces,
    // is refused while a write is under way, and the client drains it.
    const std::vector<std::byte> sent = lf_pattern(700000);
    std::vector<std::byte> received;
    std::size_t handedOver = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds{20};
    while (received.size() < sent.size() && std::chrono::steady_clock::now() < deadline) {
        if (handedOver < sent.size()) {
            std::size_t count = 0;
            const Connection::Io io = server->send(std::span{sent}.subspan(handedOver), count);
            ASSERT_NE(io, Connection::Io::Ended);
            handedOver += count;
        }
        ASSERT_TRUE(client.readAvailable(received));
        lf_waitFor(*server, handedOver < sent.size());
    }
    EXPECT_EQ(received, sent);
}

TEST(SimPipe, BytesAClientWritesInPiecesAreReceivedInOrder) {
    PipeListener listener(lf_pipeName());
    Client client(lf_pipeName());
    const std::unique_ptr<WindowsConnection> server = lf_accept(listener);
    ASSERT_NE(server, nullptr);

    const std::vector<std::byte> sent = lf_pattern(200000);
    std::vector<std::byte> received;
    for (std::size_t offset = 0; offset < sent.size(); offset += 30000) {
        const auto end = sent.begin() + static_cast<std::ptrdiff_t>(std::min(sent.size(), offset + 30000));
        client.write(std::vector<std::byte>(sent.begin() + static_cast<std::ptrdiff_t>(offset), end));
        // The client's writes wait while the pipe is full: the server reads
        // in between.
        std::vector<std::byte> buffer(65536);
        std::size_t count = 0;
        while (server->receive(buffer, count) == Connection::Io::Done) {
            received.insert(received.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(count));
        }
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds{10};
    std::vector<std::byte> buffer(65536);
    while (received.size() < sent.size() && std::chrono::steady_clock::now() < deadline) {
        std::size_t count = 0;
        const Connection::Io io = server->receive(buffer, count);
        ASSERT_NE(io, Connection::Io::Ended);
        received.insert(received.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(count));
        if (io == Connection::Io::WouldBlock) {
            lf_waitFor(*server, false);
        }
    }
    EXPECT_EQ(received, sent);
}

// How many bytes the server's end receives at its first read that finds
// any, waiting up to 100 times for them.
std::size_t lf_receiveOnce(WindowsConnection& server) {
    std::vector<std::byte> buffer(100);
    std::size_t count = 0;
    for (int attempt = 0; attempt < 100 && server.receive(buffer, count) == Connection::Io::WouldBlock; ++attempt) {
        lf_waitFor(server, false);
    }
    return count;
}

// Drains the server's end until it reports the end of the stream (true) or
// the time is up.
bool lf_seesEnd(WindowsConnection& server) {
    std::vector<std::byte> buffer(65536);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds{10};
    while (std::chrono::steady_clock::now() < deadline) {
        std::size_t count = 0;
        const Connection::Io io = server.receive(buffer, count);
        if (io == Connection::Io::Ended) {
            return true;
        }
        if (io == Connection::Io::WouldBlock) {
            lf_waitFor(server, false);
        }
    }
    return false;
}

TEST(SimPipe, EachClientGetsAnInstanceOfItsOwnAndALeftClientIsSeen) {
    PipeListener listener(lf_pipeName());
    // One instance waits at a time: a client comes in once the one before
    // has been taken (the simulator's clients wait for a busy pipe).
    Client first(lf_pipeName());
    ASSERT_TRUE(first.isOpen());
    const std::unique_ptr<WindowsConnection> firstServer = lf_accept(listener);
    ASSERT_NE(firstServer, nullptr);
    Client second(lf_pipeName());
    ASSERT_TRUE(second.isOpen());
    const std::unique_ptr<WindowsConnection> secondServer = lf_accept(listener);
    ASSERT_NE(secondServer, nullptr);

    second.write(lf_pattern(10));
    first.close();
    EXPECT_TRUE(lf_seesEnd(*firstServer));
    EXPECT_EQ(lf_receiveOnce(*secondServer), 10U);
}

TEST(SimPipe, AClientThatLeftBeforeItWasTakenDoesNotStopTheNext) {
    PipeListener listener(lf_pipeName());
    {
        Client gone(lf_pipeName());
        ASSERT_TRUE(gone.isOpen());
    }
    // The instance the client left is either handed over and then ends at
    // once, or made free again; the next client is served either way.
    std::unique_ptr<WindowsConnection> left = listener.accept();
    if (left != nullptr) {
        EXPECT_TRUE(lf_seesEnd(*left));
    }
    Client next(lf_pipeName());
    ASSERT_TRUE(next.isOpen());
    const std::unique_ptr<WindowsConnection> server = lf_accept(listener);
    ASSERT_NE(server, nullptr);
    next.write(lf_pattern(3));
    EXPECT_EQ(lf_receiveOnce(*server), 3U);
}

TEST(SimPipe, WhatWasSentBeforeTheEndStaysReadableForTheClient) {
    PipeListener listener(lf_pipeName());
    Client client(lf_pipeName());
    std::unique_ptr<WindowsConnection> server = lf_accept(listener);
    ASSERT_NE(server, nullptr);

    // The simulator's QUIT record, then the end of the connection.
    const std::vector<std::byte> quit = lf_pattern(12);
    std::size_t count = 0;
    ASSERT_EQ(server->send(quit, count), Connection::Io::Done);
    ASSERT_EQ(count, quit.size());
    server->shutdown();
    std::size_t ignored = 0;
    EXPECT_EQ(server->send(quit, ignored), Connection::Io::Ended);
    server.reset();

    std::vector<std::byte> received;
    for (int attempt = 0; attempt < 100 && client.readAvailable(received) && received.size() < quit.size(); ++attempt) {
        ::Sleep(10);
    }
    EXPECT_EQ(received, quit);
    EXPECT_FALSE(client.readAvailable(received));
}

bool lf_underWine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

TEST(SimPipe, APipeThatAnotherProgramServesIsLeftToIt) {
    if (lf_underWine()) {
        GTEST_SKIP() << "Wine makes a first pipe instance of a name that is served already";
    }
    PipeListener first(lf_pipeName());
    ASSERT_TRUE(first.serving());
    PipeListener second(lf_pipeName());
    EXPECT_FALSE(second.serving());
    EXPECT_EQ(second.accept(), nullptr);
}

}  // namespace
