#pragma once
// The program's one way to download: a Downloader writes one URL into one
// local file, and gf_downloadFromServer fetches a file of the maker's
// download server. A download never destroys the local copy it replaces: it
// is written to "<destination>.download" beside it and renamed over the
// destination only when the whole file arrived with a 2xx status. Stalled
// or unreachable servers fail within the limits below, and a set stop flag
// of the run (runStopRequested, userCloseRequested) aborts a transfer within
// about a second, so closing the window always ends start-up.
//
// libcurl's global initialisation runs once, before the program's entry, in
// this module's static initialiser (it is not thread-safe, so it is not left
// to the first handle, which could be made on any thread).

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

// The maker's download server, used when VANTREL_DOWNLOAD_BASE is not set.
inline constexpr std::string_view kDefaultDownloadBase = "https://download.vantrel.example/files/";

// The base address of the download server, ending in "/": the environment
// variable VANTREL_DOWNLOAD_BASE when it is set and not empty (a missing
// final "/" is added), else kDefaultDownloadBase. Read on every call.
std::string gf_downloadBaseAddress();

// The server's data folders below its base address: the files of every
// simulator, and the stand files of MSFS 2024.
inline constexpr std::string_view kDataFolder = "MSFS/";
inline constexpr std::string_view kDataFolder2024 = "MSFS2024/";

// MSFS 2024 is the chosen simulator, decided from the SIM_CHOICE setting
// itself: the updater runs before the controls are prepared, and so before
// the selection flag of the simulator is set.
bool gf_msfs2024Chosen();

// The download base address followed by "MSFS2024/" when MSFS 2024 is
// chosen and useOldFolder is false, else by "MSFS/".
std::string gf_makeDownloadBaseUrl(bool useOldFolder);

// When a transfer gives up by itself.
struct DownloadLimits {
    std::chrono::milliseconds connectTimeout{std::chrono::seconds{10}};
    // A transfer slower than lowSpeedBytesPerS for stallTime is aborted; a
    // server that stops sending ends the download after stallTime.
    std::chrono::seconds stallTime{20};
    long lowSpeedBytesPerS = 100;
};

class Downloader {
public:
    explicit Downloader(DownloadLimits limits = {});
    Downloader(const Downloader&) = delete;
    Downloader& operator=(const Downloader&) = delete;

    // Downloads url into destination, as bytes ("wb") or as text ("w"). True
    // only when the transfer completed with an HTTP status 200 to 299 and the
    // file was renamed into place; redirects are not followed and count as
    // failures. A failure logs its reason ("Download of '{}' failed: {}"),
    // leaves an existing destination untouched and no partial file behind.
    // A destination that cannot be written logs "Could not open output file:
    // {}" and libcurl is not called; an exception on the way logs
    // "Downloader exception: '{}', {} => {}". False, with nothing logged,
    // when the handle could not be made. Requests to loopback addresses never
    // go through a proxy of the environment.
    bool downloadFile(const std::string& url, const std::filesystem::path& destination, bool binary = true);

private:
    // libcurl's easy handle (a CURL*), kept opaque so that this header does
    // not bring libcurl's headers, and with them the system's socket
    // headers, into every file that downloads.
    std::unique_ptr<void, void (*)(void*)> handle_;
    DownloadLimits limits_;
};

// libcurl's write callback: writes size x count bytes to the FILE and
// returns the number of bytes written (less than asked fails the transfer).
std::size_t gf_writeCurlData(char* data, std::size_t size, std::size_t count, void* file);

// Downloads the server's base address followed by name (with "/" between
// folders) into destination as bytes, with a Downloader of its own. Logs
// "Downloaded '{}' to '{}'" (url, destination) or "===> Downloading '{}'
// failed !" (url).
bool gf_downloadFromServer(const std::filesystem::path& name, const std::filesystem::path& destination);
