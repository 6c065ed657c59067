#include "records/traffic_reader_state.h"

SharedValue<std::optional<double>> TrafficReaderState::parkAirportElevation;
