#pragma once
// Where an airport's stand file and its learned file lie. A stand file comes
// from one of three places, the first found wins:
//   airports/my_thirdparty   files the add-on airport scan generated for other
//                            publishers' scenery, or that the user placed;
//   airports/my_simaddon     files of the simulator maker's own airports;
//   the download server      archived stock files ("archive/stock/<ICAO>.xml").
// In the two folders a redirect file <ICAO>.txt may stand in for <ICAO>.xml:
// its first line names the stand file to use, a local path (beginning with
// "airports") or a path on the download server.
//
// Paths handed around here are texts as the program writes them on Windows
// ("airports/my_thirdparty/EHAM.xml", "airports/learned\stock\EHAM.xml");
// gf_localStandFilePath finds the file such a text names on this system.
// Worker thread.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// "<ICAO>.xml" as text and as a file name, and "<ICAO>.txt"; the callers
// join them to a folder.
std::string gf_airportXmlName(std::string_view icao);
std::filesystem::path gf_airportXmlPath(std::string_view icao);
std::filesystem::path gf_airportTxtPath(std::string_view icao);

// Server path of an airport's archived stock file: "archive/stock/<ICAO>.xml".
std::string gf_stockServerPath(std::string_view icao);

// A local stand-file path text begins with "airports"; any other names a
// file of the download server.
bool gf_isLocalStandFilePath(std::string_view path);

// The file a path text of the program names here ('\' or '/' between the
// elements, names found as Windows finds them). A text that leads outside
// the working folder (platform::staysInside) throws std::runtime_error
// "'{}' refused: it leads outside the program's folder".
std::filesystem::path gf_localStandFilePath(std::string_view path);

// The stand file a redirect's text names: its first line, trailing blanks
// removed and cut right after its first ".xml"; nothing when that line holds
// no ".xml".
std::optional<std::string> gf_redirectTarget(std::string_view text);

// Reads the redirect file: its first line, trailing blanks removed and cut
// right after its first ".xml", into out. False, out unchanged, when the file
// is missing or empty or its first line holds no ".xml"; also when that path
// leads outside the folder it is read against (the working folder, or the
// server's base), which is logged "Redirect '{}' in {} refused: it leads
// outside the program's folder" with the path and the redirect file.
bool readRedirectFile(const std::filesystem::path& txtPath, std::string& out);

// Whether the airport has a stand file: an .xml or .txt of my_thirdparty or
// my_simaddon, else a stock file on the server (downloadStockAirport). An
// existence test that fails throws std::filesystem::filesystem_error
// "exists".
bool ensureAirportFile(const std::string& icao);

// The stand file to load, first match wins: the redirect of my_thirdparty,
// its .xml, the redirect of my_simaddon, its .xml, the stock file on the
// server ("archive/stock/<ICAO>.xml"); empty when there is none. An
// existence test that fails throws std::filesystem::filesystem_error
// "exists".
std::string findAirportFile(const std::string& icao);

// Where the learned file of the airport whose stand file lies at
// standFilePath is kept: a server path's "archive" becomes the learned folder
// (airports\learned\stock\EHAM.xml); a local path's "airports" becomes the
// learned folder, and its folder my_thirdparty (or my_thirdparty2024) the
// folder thirdparty\ + the publisher, my_simaddon the folder simaddon. Every
// "%20" becomes a blank. The empty path gives the empty path.
std::string learnedFilePath(const std::string& standFilePath, const std::string& publisher);

// The publisher as the name of one folder: the separators '/' and '\', and
// the characters no Windows folder name holds (: * ? " < > |), become '_',
// "." or ".." becomes "_", and the dots and spaces that end a name become
// '_' too, so that no publisher of a stand file leads a learned file out of
// the learned folder or into a folder that cannot be made.
std::string gf_publisherFolderName(std::string_view publisher);
