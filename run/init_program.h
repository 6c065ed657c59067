#pragma once
// The start-up work of each worker, before its run: the settings, the data
// folders, newer data files (first start only), the controls, the aircraft
// database (once per program), the airport list, the simulator's packages
// folder and whether RealTraffic runs on this PC. Worker thread. Failures
// are exceptions, which end the start-up with SYSTEM ERROR.

#include "core/parameter.h"

void initProgram();

// Makes the data folders below the working folder that are missing and
// removes the stale input/AIG-regcodes0.xml and AIG-regcodes00.xml. Throws
// std::filesystem::filesystem_error ("status", "create_directories",
// "exists", "remove").
void prepareDataFolders();

// A packages path that ends in the folder Community ("...\Community" or
// ".../Community", at least 10 characters) loses that last part and is
// saved; "Community" anywhere else in the path stays.
void stripCommunitySuffix(StringParameter& packagesPath);

// The controls' state before the first run: enabled or not, the combo boxes
// filled, the simulator flag from SIM_CHOICE.
void prepareControls();
