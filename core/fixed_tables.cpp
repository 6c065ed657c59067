#include "core/fixed_tables.h"

#include <numbers>

namespace {

constexpr double lf_degreesToRadians(double degrees) { return degrees * std::numbers::pi / 180.0; }

}  // namespace

const CategoryTables categoryTables{
    .rotationPitchDeg = {{0, -9.0}, {1, -8.0}, {2, -6.0}, {3, -5.0}, {4, -6.0}, {5, -20.0}},
    .climbPitchDeg = {{0, -15.0}, {1, -18.0}, {2, -16.5}, {3, -12.5}, {4, -20.0}, {5, -30.0}},
    .taxiTurnRateRad = {{0, lf_degreesToRadians(0.15)},
                        {1, lf_degreesToRadians(0.1)},
                        {2, lf_degreesToRadians(0.07)},
                        {3, lf_degreesToRadians(0.05)},
                        {4, lf_degreesToRadians(0.1)},
                        {5, lf_degreesToRadians(0.2)}},
    .flareTicks = {{0, 250}, {1, 300}, {2, 400}, {3, 450}, {4, 150}, {5, 100}},
    .rolloutTicks = {{0, 250}, {1, 300}, {2, 350}, {3, 450}, {4, 150}, {5, 100}},
    .rotationTicks = {{0, 100}, {1, 200}, {2, 200}, {3, 250}, {4, 100}, {5, 100}},
    .climbPitchTicks = {{0, 200}, {1, 250}, {2, 300}, {3, 400}, {4, 200}, {5, 100}},
};

const std::unordered_map<std::string, std::string> stockAircraftTypes{
    {"Asobo_FlightDesignCT", "FDCT"},
    {"Asobo_Longitude", "C700"},
    {"Asobo_VL3", "VL3"},
    {"Asobo_Savage_Cub", "SAVG"},
    {"Asobo_Savage_ShockUltra", "SAVG"},
    {"Asobo_XCub", "CC19"},
    {"Asobo_Pitts", "PTS2"},
    {"Asobo_SR22", "SR22"},
    {"Asobo_Icon", "A5"},
    {"Asobo_TBM930", "TBM9"},
    {"Asobo_KingAir350", "B350"},
    {"Asobo_E330", "E300"},
    {"Asobo_DV20", "DV20"},
    {"Asobo_DR400", "DR40"},
    {"Asobo_DA62", "DA62"},
    {"Asobo_DA40_TDI", "DA40"},
    {"Asobo_DA40_NG", "DA40"},
    {"Asobo_Cap10C", "CP10"},
    {"Asobo_CJ4", "C25C"},
    {"Asobo_C152", "C152"},
    {"Asobo_C152_Aerobat", "C152"},
    {"Asobo_C172sp_AS1000", "C172"},
    {"Asobo_C172sp_classic", "C172"},
    {"Asobo_Bonanza_G36", "BE36"},
    {"Asobo_Baron_G58", "B58T"},
    {"Asobo_B747_8i", "B748"},
    {"Asobo_B787_10", "B78X"},
    {"Asobo_208B_GRAND_CARAVAN_EX", "C208"},
    {"Asobo_A320_NEO", "A20N"},
    {"FlyByWire_A320_NEO", "A20N"},
};
