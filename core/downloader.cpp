#include "core/downloader.h"

#include <cstdio>
#include <cstdlib>
#include <curl/curl.h>
#include <system_error>

#include "core/core_state.h"
#include "core/format.h"
#include "core/log.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "platform/os/c_file.h"

namespace {

constexpr const char* kUserAgent = "Vantrel";
constexpr const char* kBaseVariable = "VANTREL_DOWNLOAD_BASE";
// Loopback hosts, added to the environment's own no-proxy list: a proxy of
// the environment must never catch a request to this machine.
constexpr std::string_view kLoopbackHosts = "localhost,127.0.0.0/8,::1";

// curl_global_init before the program's entry, while one thread runs, and
// curl_global_cleanup after it.
struct CurlLibrary {
    CurlLibrary() { curl_global_init(CURL_GLOBAL_DEFAULT); }
    ~CurlLibrary() { curl_global_cleanup(); }
    CurlLibrary(const CurlLibrary&) = delete;
    CurlLibrary& operator=(const CurlLibrary&) = delete;
};
const CurlLibrary curlLibrary;

std::string lf_noProxyList() {
    const char* own = std::getenv("no_proxy");
    if (own == nullptr || *own == '\0') {
        own = std::getenv("NO_PROXY");
    }
    if (own == nullptr || *own == '\0') {
        return std::string(kLoopbackHosts);
    }
    // "*" alone already exempts every host and allows no list beside it.
    if (std::string_view(own) == "*") {
        return own;
    }
    return fmtlib::format("{},{}", own, kLoopbackHosts);
}

// Aborts a transfer once the run is asked to stop; libcurl calls it at
// least once a second, also while nothing arrives.
int lf_abortOnStop(void*, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return runStopRequested.load() || userCloseRequested.load() ? 1 : 0;
}

// The file a download writes, beside its destination. Removed when the
// download does not reach commit.
class PartialFile {
public:
    PartialFile(const std::filesystem::path& destination, bool binary) : path_(destination) {
        path_ += ".download";
        file_ = platform::openCFile(path_, binary ? "wb" : "w");
    }
    ~PartialFile() {
        close();
        if (!committed_) {
            std::error_code ignored;
            std::filesystem::remove(path_, ignored);
        }
    }
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    std::FILE* file() const { return file_; }
    // False when the last buffered bytes could not be written.
    bool close() {
        const bool closed = file_ == nullptr || std::fclose(file_) == 0;
        file_ = nullptr;
        return closed;
    }
    // Renames the complete file over the destination; the error when not.
    std::error_code commit(const std::filesystem::path& destination) {
        std::error_code error;
        std::filesystem::rename(path_, destination, error);
        committed_ = !error;
        return error;
    }

private:
    std::filesystem::path path_;
    std::FILE* file_ = nullptr;
    bool committed_ = false;
};

// Empty when the transfer succeeded, else why it did not.
std::string lf_transferFailure(CURLcode result, long status) {
    if (result == CURLE_HTTP_RETURNED_ERROR) {
        return fmtlib::format("HTTP status {}", status);
    }
    if (result != CURLE_OK) {
        return curl_easy_strerror(result);
    }
    if (status < 200 || status > 299) {
        return fmtlib::format("HTTP status {}", status);
    }
    return {};
}

}  // namespace

std::string gf_downloadBaseAddress() {
    const char* configured = std::getenv(kBaseVariable);
    std::string base = configured != nullptr && *configured != '\0' ? configured : std::string(kDefaultDownloadBase);
    if (base.back() != '/') {
        base += '/';
    }
    return base;
}

Downloader::Downloader(DownloadLimits limits) : handle_(curl_easy_init(), &curl_easy_cleanup), limits_(limits) {}

bool Downloader::downloadFile(const std::string& url, const std::filesystem::path& destination, bool binary) {
    if (!handle_) {
        return false;
    }
    CURL* handle = handle_.get();
    try {
        PartialFile partial(destination, binary);
        if (partial.file() == nullptr) {
            gf_writeLogPlain(fmtlib::format("Could not open output file: {}", destination.string()));
            return false;
        }
        const std::string noProxy = lf_noProxyList();
        curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
        curl_easy_setopt(handle, CURLOPT_USERAGENT, kUserAgent);
        curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &gf_writeCurlData);
        curl_easy_setopt(handle, CURLOPT_WRITEDATA, partial.file());
        curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
        curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);  // time-outs without signals: other threads run
        curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits_.connectTimeout.count()));
        curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, limits_.lowSpeedBytesPerS);
        curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, static_cast<long>(limits_.stallTime.count()));
        curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &lf_abortOnStop);
        curl_easy_setopt(handle, CURLOPT_NOPROXY, noProxy.c_str());

        const CURLcode result = curl_easy_perform(handle);
        long status = 0;
        curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
        std::string failure = lf_transferFailure(result, status);
        if (failure.empty() && !partial.close()) {
            failure = "could not write the file";
        }
        if (failure.empty()) {
            if (const std::error_code error = partial.commit(destination)) {
                failure = fmtlib::format("could not replace {}: {}", destination.string(), error.message());
            }
        }
        if (!failure.empty()) {
            gf_writeLogPlain(fmtlib::format("Download of '{}' failed: {}", url, failure));
            return false;
        }
        return true;
    } catch (const std::exception& error) {
        gf_writeLogPlain(fmtlib::format("Downloader exception: '{}', {} => {}", error.what(), url, destination.string()));
        return false;
    }
}

std::size_t gf_writeCurlData(char* data, std::size_t size, std::size_t count, void* file) {
    return std::fwrite(data, 1, size * count, static_cast<std::FILE*>(file));
}

bool gf_downloadFromServer(const std::filesystem::path& name, const std::filesystem::path& destination) {
    Downloader downloader;
    const std::string url = gf_downloadBaseAddress() + name.generic_string();
    const bool downloaded = downloader.downloadFile(url, destination, true);
    if (downloaded) {
        gf_writeLogPlain(fmtlib::format("Downloaded '{}' to '{}'", url, destination.string()));
    } else {
        gf_writeLog(fmtlib::format("Downloading '{}' failed !", url));
    }
    return downloaded;
}

bool gf_msfs2024Chosen() { return !(SIM_CHOICE.value == "MSFS 2020"); }

std::string gf_makeDownloadBaseUrl(bool useOldFolder) {
    const std::string_view folder = gf_msfs2024Chosen() && !useOldFolder ? kDataFolder2024 : kDataFolder;
    return fmtlib::format("{}{}", gf_downloadBaseAddress(), folder);
}
