#pragma once
// Stand files of the maker's download server: probing for an airport's
// archived stock file, fetching a stand file, and judging whether an
// airport's stock file suits offline learning. Every transfer goes through
// core/downloader.h: it ends on the run's stop flags and never leaves half a
// file in place of a whole one. Worker thread.
//
// The server keeps the stand files under the folder of the simulator
// (gf_makeDownloadBaseUrl); stock files and every path holding "simaddon"
// or "stock" lie in the old folder "MSFS/" for both simulators.

#include <filesystem>
#include <string>

// Whether the server has the airport's stock file: it is downloaded into
// <ICAO>.xml in the working folder and removed again. A removal that fails
// throws std::filesystem::filesystem_error "remove"; a failed download is
// no error (false).
bool downloadStockAirport(const std::string& icao);

// Downloads the server path into localPath. Empty on success, else the text
// "failed to download: '<url>'" (also logged); never throws for a failed
// transfer.
std::string downloadAirportFile(const std::string& serverPath, const std::filesystem::path& localPath);

// Whether the airport suits offline learning, judged by its stock file: it
// has a quality factor (Qf_real or Qf_soft) of 0 or more, and RT_traffic_week
// of 27 or more. The file is downloaded into <ICAO>.xml in the working
// folder and removed after; a download or load that fails gives false
// ("Failed to download {}", "Failed to load {}"), an unsuitable airport logs
// "{} not suitable for offline learning". A removal that fails throws
// std::filesystem::filesystem_error "remove".
bool gf_checkOfflineLearning(const std::string& icao);
