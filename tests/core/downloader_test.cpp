#include "core/core_state.h"
#include "core/downloader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "core/format.h"
#include "core/run_flags.h"
#include "liveries/liveries_state.h"
#include "support/http_server.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

using namespace std::chrono_literals;
using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

class Download : public testing::Test {
protected:
    test::LogCapture log_;
    test::HttpServer server_;
    test::ScopedEnvironment base_{"VANTREL_DOWNLOAD_BASE", server_.baseUrl()};
    std::filesystem::path destination_ = log_.folder() / "dbase.enc";

    // Whatever a download left beside its destination.
    bool partialFileLeft() const { return std::filesystem::exists(destination_.string() + ".download"); }
};

// Ends with the test: the run's stop flags are global.
struct StopFlagReset {
    ~StopFlagReset() { runStopRequested = false; }
};

TEST_F(Download, AServerFileArrivesByteForByteAndReplacesTheOldCopy) {
    const std::string bytes("\x00\x01\r\n\x1a\xff<dbase/>\n", 13);
    server_.serve("/MSFS/dbase.enc", bytes);
    test::writeBytes(destination_, "old copy");
    EXPECT_TRUE(gf_downloadFromServer("MSFS/dbase.enc", destination_));
    EXPECT_EQ(test::readBytes(destination_), bytes);
    EXPECT_FALSE(partialFileLeft());
    EXPECT_THAT(server_.requests(), ElementsAre("/MSFS/dbase.enc"));
    EXPECT_THAT(log_.lines(), ElementsAre(fmtlib::format("Downloaded '{}MSFS/dbase.enc' to '{}'", server_.baseUrl(),
                                                         destination_.string())));
}

// A user name outside the system's code page is part of the data folders'
// paths; the download must still reach them.
TEST_F(Download, AFileArrivesInAFolderWithANonAsciiName) {
    const std::filesystem::path folder = log_.folder().path() / std::filesystem::path(u8"J\u00fcrgen \u6771\u4eac");
    std::filesystem::create_directories(folder);
    server_.serve("/MSFS/dbase.enc", "the new file");
    EXPECT_TRUE(gf_downloadFromServer("MSFS/dbase.enc", folder / "dbase.enc"));
    EXPECT_EQ(test::readBytes(folder / "dbase.enc"), "the new file");
}

TEST_F(Download, AFailedDownloadKeepsTheOldCopyAndLeavesNothingBehind) {
    test::HttpAnswer redirect;
    redirect.status = 301;
    redirect.headers = {{"Location", "/MSFS/moved.enc"}};
    redirect.body = "<html>moved</html>";
    server_.serve("/MSFS/moved.enc", "the moved file");
    test::HttpAnswer serverError;
    serverError.status = 500;
    serverError.body = "<html>error</html>";
    test::HttpAnswer broken;
    broken.body = std::string(100000, 'x');
    broken.behaviour = test::HttpAnswer::Behaviour::breakInBody;
    // served answer (none: 404), reason logged
    const std::vector<std::pair<std::optional<test::HttpAnswer>, std::string>> cases{
        {std::nullopt, "HTTP status 404"},
        {redirect, "HTTP status 301"},
        {serverError, "HTTP status 500"},
        {broken, "Transferred a partial file"},
    };
    for (const bool oldCopy : {true, false}) {
        for (const auto& [answer, reason] : cases) {
            SCOPED_TRACE(reason);
            if (answer) {
                server_.serve("/MSFS/dbase.enc", *answer);
            } else {
                server_.remove("/MSFS/dbase.enc");
            }
            std::filesystem::remove(destination_);
            if (oldCopy) {
                test::writeBytes(destination_, "old copy");
            }
            EXPECT_FALSE(gf_downloadFromServer("MSFS/dbase.enc", destination_));
            EXPECT_EQ(std::filesystem::exists(destination_), oldCopy);
            if (oldCopy) {
                EXPECT_EQ(test::readBytes(destination_), "old copy");
            }
            EXPECT_FALSE(partialFileLeft());
            const std::string url = server_.baseUrl() + "MSFS/dbase.enc";
            EXPECT_THAT(log_.lines(), Contains(fmtlib::format("Download of '{}' failed: {}", url, reason)));
            EXPECT_THAT(log_.lines(), Contains(fmtlib::format("===> Downloading '{}' failed !", url)));
        }
    }
}

TEST_F(Download, AStalledServerFailsWithinTheStallTime) {
    test::HttpAnswer stall;
    stall.body = "never sent";
    stall.behaviour = test::HttpAnswer::Behaviour::stallAfterHeaders;
    server_.serve("/versions.json", stall);
    test::writeBytes(destination_, "old copy");
    Downloader downloader(DownloadLimits{.stallTime = 1s});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(downloader.downloadFile(server_.baseUrl() + "versions.json", destination_, false));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
    EXPECT_EQ(test::readBytes(destination_), "old copy");
    EXPECT_FALSE(partialFileLeft());
}

TEST_F(Download, TheRunsStopFlagAbortsATransfer) {
    test::HttpAnswer stall;
    stall.body = "never sent";
    stall.behaviour = test::HttpAnswer::Behaviour::stallAfterHeaders;
    server_.serve("/versions.json", stall);
    const StopFlagReset reset;
    std::jthread closer([] {
        std::this_thread::sleep_for(300ms);
        runStopRequested = true;
    });
    Downloader downloader;  // the default stall time alone would wait 20 s
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(downloader.downloadFile(server_.baseUrl() + "versions.json", destination_, false));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);

    // A download asked for while the flag is set does not start.
    server_.serve("/versions.json", "{}");
    EXPECT_FALSE(downloader.downloadFile(server_.baseUrl() + "versions.json", destination_, false));
    EXPECT_FALSE(std::filesystem::exists(destination_));
}

TEST_F(Download, AServerThatIsDownFails) {
    const test::ScopedEnvironment down("VANTREL_DOWNLOAD_BASE", test::HttpServer::unreachableBaseUrl());
    EXPECT_FALSE(gf_downloadFromServer("versions.json", destination_));
    EXPECT_FALSE(std::filesystem::exists(destination_));
    EXPECT_FALSE(partialFileLeft());
}

TEST_F(Download, ADestinationThatCannotBeWrittenFailsBeforeTheRequest) {
    server_.serve("/versions.json", "{}");
    const auto destination = log_.folder() / "missing" / "versions.json";
    Downloader downloader;
    EXPECT_FALSE(downloader.downloadFile(server_.baseUrl() + "versions.json", destination, false));
    EXPECT_THAT(server_.requests(), IsEmpty());
    EXPECT_THAT(log_.lines(), ElementsAre("Could not open output file: " + destination.string()));
}

TEST_F(Download, AProxyOfTheEnvironmentDoesNotCatchLoopbackRequests) {
    const std::string deadProxy = test::HttpServer::unreachableBaseUrl();
    const test::ScopedEnvironment httpProxy("http_proxy", deadProxy);
    const test::ScopedEnvironment allProxy("ALL_PROXY", deadProxy);
    const test::ScopedEnvironment noProxy("no_proxy", "example.org");
    server_.serve("/versions.json", "{}");
    Downloader downloader;
    EXPECT_TRUE(downloader.downloadFile(server_.baseUrl() + "versions.json", destination_, false));
    EXPECT_EQ(test::readBytes(destination_), "{}");
}

TEST(DownloadBase, TheEnvironmentOverridesTheCompiledInAddress) {
    // variable value (none: unset), base address
    const std::vector<std::pair<std::optional<std::string>, std::string>> cases{
        {std::nullopt, std::string(kDefaultDownloadBase)},
        {"", std::string(kDefaultDownloadBase)},
        {"http://127.0.0.1:8000/", "http://127.0.0.1:8000/"},
        {"http://127.0.0.1:8000/files", "http://127.0.0.1:8000/files/"},
    };
    for (const auto& [value, base] : cases) {
        const test::ScopedEnvironment variable("VANTREL_DOWNLOAD_BASE", value);
        EXPECT_EQ(gf_downloadBaseAddress(), base);
    }
    EXPECT_TRUE(kDefaultDownloadBase.starts_with("https://"));
    EXPECT_TRUE(kDefaultDownloadBase.ends_with("/"));
}

}  // namespace
