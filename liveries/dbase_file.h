#pragma once
// Reading the aircraft database file into its tables (liveries/aircraft_database.h).
//
// The file is an XML document whose sections stand side by side as top-level
// elements, in any order; the first of each name is read. Lists are comma
// separated; every element of a section is read, in file order:
//   <aircrafts> <aircraft types="A320,B738"/> ...   every valid type designator
//   <high_performance> <hpf types=""/>, <heavy> <hvy>, <large> <lar>,
//   <buzjet> <bzj>, <rotorcraft> <rot>              the size categories
//   <cargo_types> <cargo_type types=""/>
//   <similar_types> <similar types="A319,A320"/>    one group per element
//   <ICAO_airlines> <ICAO codes=""/>, <cargo_operators> <ICAO codes=""/>
//   <publishers> <pub names="Name,other name"/>     one group per element
//   <wingspans> <wingspan type="A320" meters="34.1"/>
//   <fixes> <fx wro="A32N" cor="A20N"/>
//   <simaddons20> <simaddon20 arpts="EGLL,EHAM"/>
//   <thirdparties20> <thirdpartie20 pub="" arpts="EHAM212"/>, <thirdparties24> <thirdpartie24>
//   <dbase> <db reg="PH-BXA" airl="KLM" type="B738" opr="" cargo="true"/>
// The sections aircrafts, the five categories, cargo_types, ICAO_airlines,
// cargo_operators and simaddons20 must not come out empty.

#include <filesystem>

// Decrypts input/dbase.enc into input/dbase.xml, reads it and removes the
// plain file again (also when reading fails). True on success; failures are
// exceptions: std::runtime_error "{} not available" or "{} stream decrypt
// failed" with the path of dbase.enc, and those of gf_loadDbaseXml.
bool gf_readDbase();

// Replaces every table with the content of the plain file. Throws
// qrx::UserErrorException 60 "'{}' not read because of {}" when the file
// does not parse, 61 "In XML file section [{}], element [{}], attribute [{}]
// is empty." for a required section without entries. Bad entries are logged
// and skipped.
void gf_loadDbaseXml(const std::filesystem::path& path);
