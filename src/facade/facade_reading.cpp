#include "facade_reading.h"

#include <initializer_list>
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

struct MeasureField {
    const std::string& text;
    Measure& into;
    FacadeField field;
};

// The fields read in the order they are shown; the first that cannot be read is named, with
// the opening it belongs to.
std::optional<FacadeError> ReadMeasures(std::initializer_list<MeasureField> fields,
                                        std::size_t opening, const calc::RegionalFormat& format)
{
    for (const MeasureField& field : fields) {
        const std::optional<Measure> read = ReadMeasure(field.text, format);
        if (!read)
            return FacadeError{FacadeProblem::NotANumber, field.field, opening};
        field.into = *read;
    }
    return std::nullopt;
}

std::optional<FacadeError> ReadOpening(const OpeningTexts& texts, std::size_t index,
                                       const calc::RegionalFormat& format, Opening& opening)
{
    if (texts.name.size() > kMaxOpeningName)
        return FacadeError{FacadeProblem::NameTooLong, FacadeField::Name, index};
    opening.name = texts.name;
    return ReadMeasures({{texts.left, opening.left, FacadeField::Left},
                         {texts.right, opening.right, FacadeField::Right},
                         {texts.bottom, opening.bottom, FacadeField::Bottom},
                         {texts.top, opening.top, FacadeField::Top}},
                        index, format);
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
    if (auto error =
            ReadMeasures({{texts.stoneLength, facade.stoneLength, FacadeField::StoneLength},
                          {texts.width, facade.width, FacadeField::Width},
                          {texts.height, facade.height, FacadeField::Height},
                          {texts.breakage, facade.breakage, FacadeField::Breakage}},
                         0, format))
        return *error;
    for (const auto& [measure, field] : {std::pair{&facade.stoneLength, FacadeField::StoneLength},
                                         {&facade.width, FacadeField::Width},
                                         {&facade.height, FacadeField::Height}})
        if (!(measure->value > 0))
            return FacadeError{FacadeProblem::NotPositive, field};
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
