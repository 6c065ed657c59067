#pragma once
// output/LiveriesScanned.xml: the scanned liveries, written after a scan and
// read back at every start-up to build the livery catalogue.
//
//   <meta> <info name="author" value="Vantrel"/> ... </meta>
//   <liveries>
//     <liv airl="KLM" type="B738" title="KLM Boeing 737-800" atcid="PH-BXA"/>
//     <liv airl="FDX" type="B763" cargo="true" title="FedEx Boeing 767-300F"/>
//   </liveries>
// "cargo" only for a cargo livery, "atcid" only when there is one. The
// reader takes "cargo" as true when it begins with 1, t, T, y or Y.

// Writes liveryList (in its order) to the file and logs "{} liveries in {}";
// nothing at all when the list is empty. The file is replaced only by a
// whole new one (gf_replaceXmlFile): a failed save keeps the previous file.
// True when the file was written.
bool writeLiveriesScanned();

// Replaces liveryList with the file's records (folder ordinal 0), sorted,
// and logs "{} liveries read from {}". The meta entries go into the meta
// settings. Throws qrx::UserErrorException: 51 when the file cannot be
// loaded, 52 without a <liveries> element, 999 at the first <liv> without
// airl, type or title (the records before it stay), 533 without any <liv>.
void readLiveriesScanned();

// Sorts liveryList by airline, then model, then title (bytes ascending,
// stable): the order the catalogue is built from.
void gf_sortLiveryList();
