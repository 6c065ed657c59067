#pragma once
// Similar models that really have liveries. The database groups types that
// can stand in for each other (A319, A320, A321); once the catalogue is
// built these tables keep of each group only the types with installed
// liveries, per type and per airline, for the matching ladders. Built and
// read on the worker thread only.

#include <string>
#include <string_view>
#include <vector>

#include "liveries/code_maps.h"

using ModelList = std::vector<std::string>;
// Gives one type designator, or "" when it has none.
using ModelPicker = std::string (*)();

// Rebuilds both tables from the database's groups and the catalogue, and
// logs "{} similar model definitions".
void buildSimilarModelTables();

// The similar models of the airline for a type it has no livery of; empty
// when there are none. In random order while RANDOM is on, shuffled afresh
// on each call.
ModelList gf_getSimilarModelsForAirline(std::string_view airline, std::string_view model);

// The picker's model as a one-model list, or an empty list when it gives
// "": lets one fallback model take the path of a group.
ModelList gf_singleModelList(ModelPicker picker);

// A copy of the list, shuffled while RANDOM is on.
ModelList gf_shuffledCopy(const ModelList& models);
