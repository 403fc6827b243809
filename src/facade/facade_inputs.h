#pragma once

// A facade as the user types it, and as it is read: two corners, a height, the bricks of both
// directions, and the openings in it.

#include "calc/divide_levels.h"
#include "calc/number_reader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace facade {

// An end of the wall: an outside corner, where a return wall's stretcher shows its head, or a
// free end, closed with a half.
enum class WallEnd { OutsideCorner, FreeEnd };
// What the lowest course starts with at the left end.
enum class FirstCourse { Stretcher, Half };

inline constexpr std::size_t kMaxOpenings = 30;
inline constexpr std::size_t kMaxOpeningName = 60;

struct OpeningTexts {
    std::string name;
    std::string left; // from the left corner
    std::string right;
    std::string bottom; // from peil
    std::string top;
};

struct BrickTexts {
    std::string stone;
    std::string joint;
    std::string jointFrom;
    std::string jointTo;
};

struct FacadeTexts {
    BrickTexts heads;        // steenbreedte, stootvoeg and its limits
    std::string stoneLength; // a stretcher: two heads and a head joint, nominally
    BrickTexts courses;      // steendikte, lintvoeg and its limits
    std::string width;       // outside corner to outside corner
    std::string height;      // peil to the top of the wall
    WallEnd leftEnd = WallEnd::OutsideCorner;
    WallEnd rightEnd = WallEnd::OutsideCorner;
    FirstCourse first = FirstCourse::Stretcher;
    std::string breakage; // per cent
    std::vector<OpeningTexts> openings;
};

// A value read from its text: the double, and the exact decimal where it can be had.
struct Measure {
    double value = 0;
    std::optional<calc::Decimal> exact;
};

struct Opening {
    std::string name;
    Measure left, right, bottom, top;
};

struct FacadeInputs {
    calc::BrickSetting heads;
    calc::TypedValues headsTyped; // stone, joint and limits only
    Measure stoneLength;
    calc::BrickSetting courses;
    calc::TypedValues coursesTyped;
    Measure width;
    Measure height;
    WallEnd leftEnd = WallEnd::OutsideCorner;
    WallEnd rightEnd = WallEnd::OutsideCorner;
    FirstCourse first = FirstCourse::Stretcher;
    Measure breakage;
    std::vector<Opening> openings;
};

} // namespace facade
