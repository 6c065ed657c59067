#pragma once
// Registration-code lists: which livery title the aircraft of which
// registrations wear. Two kinds are read: the AIG list shipped encrypted
// (input/AIG-regcodes.enc, decrypted to input/AIG-regcodes.xml only while
// it is read) and the user's own lists, the *.TXT files in
// input/my_regcodes. An entry without registrations names a "don't use"
// livery, which the livery scan leaves out.
//
// AIG-regcodes.xml:
//   <AIG-regcodes>
//     <livery title="KLM Boeing 737-800" reg="PH-BXA,PH-BXB" special="false"/>
//   </AIG-regcodes>
// my_regcodes lines (fields separated by ';'):
//   title                          a "don't use" livery
//   title;PHABC                    one registration: special
//   title;PHABC,PHABD[;#]          several: special only with the marker "#"
// A registration has 3 to 12 characters.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct RegcodeEntry {
    std::string title;
    std::vector<std::string> regcodes;  // trimmed, ascending, no duplicates; empty: "don't use"
    bool special = false;  // for these registrations only, never a free pick

    bool operator==(const RegcodeEntry&) const = default;
};

// Appends the entries of input/AIG-regcodes.xml (decrypted by the caller) in
// file order. False when the file does not load or an error was logged (a
// title repeating the one before it).
bool readAigRegcodesXml(std::vector<RegcodeEntry>& entries);

// Decrypts input/AIG-regcodes.enc, appends its entries as readAigRegcodesXml
// does, and removes the plain file again. Empty when it cannot be
// decrypted (logged); else the reader's result.
std::optional<bool> gf_readEncryptedAigRegcodes(std::vector<RegcodeEntry>& entries);

// Appends the entries of the folder's *.TXT files (not its sub-folders).
// False when any error was logged; a folder that cannot be listed ends the
// read with the entries so far.
bool readRegcodeTxtFolder(const std::filesystem::path& folder, std::vector<RegcodeEntry>& entries);

// Appends the titles of the entries without registrations of both kinds of
// list to dontUseTitles and logs their numbers. A list that cannot be read
// does not keep the other from being read.
void readDontUseTitleLists();
