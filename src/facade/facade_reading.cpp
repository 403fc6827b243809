#include "facade_reading.h"

#include <algorithm>
#include <numeric>
#include <string_view>

namespace facade {
namespace {

const char kDecimalsText[] = "2";

FacadeField BrickField(calc::FitField field, bool heads)
{
    switch (field) {
    case calc::FitField::Stone:
        return heads ? FacadeField::HeadStone : FacadeField::CourseStone;
    case calc::FitField::Joint:
        return heads ? FacadeField::HeadJoint : FacadeField::CourseJoint;
    case calc::FitField::JointFrom:
        return heads ? FacadeField::HeadJointFrom : FacadeField::CourseJointFrom;
    default:
        break;
    }
    return heads ? FacadeField::HeadJointTo : FacadeField::CourseJointTo;
}

std::optional<FacadeError> ReadBricks(const BrickTexts& texts, bool heads,
                                      const calc::RegionalFormat& format, calc::BrickSetting& brick,
                                      calc::TypedValues& typed)
{
    calc::FitInputs read;
    const calc::FitTexts fit{
        {}, {}, texts.stone, texts.joint, texts.jointFrom, texts.jointTo, kDecimalsText};
    if (const auto error = calc::ReadBrickTexts(fit, format, read))
        return FacadeError{FacadeProblem::NotANumber, BrickField(error->field, heads)};
    if (const auto error = calc::CheckBricks(read.Brick)) {
        FacadeError bricks{FacadeProblem::Bricks, BrickField(error->field, heads)};
        bricks.brick = error;
        bricks.heads = heads;
        return bricks;
    }
    brick = read.Brick;
    typed = read.Typed;
    return std::nullopt;
}

std::optional<Measure> ReadMeasure(std::string_view text, const calc::RegionalFormat& format)
{
    const std::optional<double> value = calc::ReadReal(text, format);
    if (!value)
        return std::nullopt;
    return Measure{*value, calc::ReadDecimal(text, format)};
}

// The opening's fields read in the order they are shown.
std::optional<FacadeError> ReadOpening(const OpeningTexts& texts, std::size_t index,
                                       const calc::RegionalFormat& format, Opening& opening)
{
    if (texts.name.size() > kMaxOpeningName)
        return FacadeError{FacadeProblem::NameTooLong, FacadeField::Name, index};
    opening.name = texts.name;
    const std::pair<const std::string*, Measure*> fields[] = {
        {&texts.left, &opening.left},
        {&texts.right, &opening.right},
        {&texts.bottom, &opening.bottom},
        {&texts.top, &opening.top},
    };
    const FacadeField names[] = {FacadeField::Left, FacadeField::Right, FacadeField::Bottom,
                                 FacadeField::Top};
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        const std::optional<Measure> read = ReadMeasure(*fields[i].first, format);
        if (!read)
            return FacadeError{FacadeProblem::NotANumber, names[i], index};
        *fields[i].second = *read;
    }
    return std::nullopt;
}

std::optional<FacadeError> CheckOpenings(const FacadeInputs& facade)
{
    const std::vector<Opening>& openings = facade.openings;
    for (std::size_t i = 0; i < openings.size(); ++i) {
        const Opening& o = openings[i];
        if (!(0 < o.left.value && o.left.value < o.right.value &&
              o.right.value < facade.width.value))
            return FacadeError{FacadeProblem::OutsideWidth, FacadeField::Left, i};
        if (!(0 <= o.bottom.value && o.bottom.value < o.top.value &&
              o.top.value <= facade.height.value))
            return FacadeError{FacadeProblem::OutsideHeight, FacadeField::Bottom, i};
    }
    for (std::size_t i = 0; i < openings.size(); ++i)
        for (std::size_t j = 0; j < i; ++j) {
            const Opening& a = openings[i];
            const Opening& b = openings[j];
            const bool stacked = a.left.value == b.left.value && a.right.value == b.right.value;
            if (stacked) {
                if (a.bottom.value < b.top.value && b.bottom.value < a.top.value)
                    return FacadeError{FacadeProblem::StackedOverlap, FacadeField::Bottom, i, j};
            } else if (!(a.right.value < b.left.value || b.right.value < a.left.value)) {
                return FacadeError{FacadeProblem::PartialOverlap, FacadeField::Left, i, j};
            }
        }
    return std::nullopt;
}

} // namespace

std::variant<FacadeInputs, FacadeError> ReadFacade(const FacadeTexts& texts,
                                                   const calc::RegionalFormat& format)
{
    FacadeInputs facade;
    if (auto error = ReadBricks(texts.heads, true, format, facade.heads, facade.headsTyped))
        return *error;
    if (auto error = ReadBricks(texts.courses, false, format, facade.courses, facade.coursesTyped))
        return *error;
    const std::pair<const std::string*, Measure*> measures[] = {
        {&texts.stoneLength, &facade.stoneLength},
        {&texts.width, &facade.width},
        {&texts.height, &facade.height},
        {&texts.breakage, &facade.breakage},
    };
    const FacadeField fields[] = {FacadeField::StoneLength, FacadeField::Width, FacadeField::Height,
                                  FacadeField::Breakage};
    for (std::size_t i = 0; i < std::size(measures); ++i) {
        const std::optional<Measure> read = ReadMeasure(*measures[i].first, format);
        if (!read)
            return FacadeError{FacadeProblem::NotANumber, fields[i]};
        *measures[i].second = *read;
        if (fields[i] != FacadeField::Breakage && !(read->value > 0))
            return FacadeError{FacadeProblem::NotPositive, fields[i]};
    }
    // A half is the stone less a head joint, halved.
    if (!(facade.stoneLength.value > facade.heads.Joint))
        return FacadeError{FacadeProblem::StoneLengthShort, FacadeField::StoneLength};
    if (!(facade.breakage.value >= 0 && facade.breakage.value <= 100))
        return FacadeError{FacadeProblem::BreakageOutOfRange, FacadeField::Breakage};
    facade.leftEnd = texts.leftEnd;
    facade.rightEnd = texts.rightEnd;
    facade.first = texts.first;
    if (texts.openings.size() > kMaxOpenings)
        return FacadeError{FacadeProblem::TooManyOpenings, FacadeField::Name, kMaxOpenings};
    facade.openings.resize(texts.openings.size());
    for (std::size_t i = 0; i < texts.openings.size(); ++i)
        if (auto error = ReadOpening(texts.openings[i], i, format, facade.openings[i]))
            return *error;
    if (auto error = CheckOpenings(facade))
        return *error;
    return facade;
}

} // namespace facade
