// The Verdelen arithmetic on any texts: dividing the levels, the sizes that fit and the gauge
// text search must neither crash nor hang, and what they offer must hold together.
// Input: a byte for the separators, a byte for the rule, a byte that picks the count, then the
// texts bottom, top, stone, joint, lower limit, upper limit, decimals and the main window's
// gauge, each ended by a line feed.

#include "calc/divide_levels.h"
#include "calc/number_reader.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace {

void CheckChoice(const calc::Division& division, const std::string& context)
{
    const calc::CountChoice& choice = division.choice;
    const calc::BrickSetting& brick = division.inputs.Brick;
    fuzz::Check(!choice.counts.empty() && choice.selected < choice.counts.size(),
                "an empty choice or a selection outside it, " + context);
    for (std::size_t i = 0; i < choice.counts.size(); ++i) {
        const calc::FitCount& count = choice.counts[i];
        fuzz::Check(count.Gauge > 0 && count.Joint > 0 && count.Joint == count.Gauge - brick.Stone,
                    "a count without a positive gauge and joint, " + context);
        fuzz::Check(i == 0 || choice.counts[i - 1].Count < count.Count,
                    "counts not ascending, " + context);
        if (choice.withinLimits)
            fuzz::Check(calc::JointWithinLimits(division.inputs, count.Count),
                        "a joint outside the limits, " + context);
    }
    fuzz::Check(!choice.withinLimits || choice.counts.size() <= calc::kMaxListedCounts,
                "too many counts, " + context);
    fuzz::Check(choice.withinLimits || choice.counts.size() <= 2,
                "more than the two counts around the limits, " + context);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputReader input(data, size);
    const std::uint8_t separators = input.Byte();
    const auto rule = static_cast<calc::FitRule>(input.Byte() % 3);
    const std::uint8_t pick = input.Byte();
    const calc::RegionalFormat format =
        separators % 2 == 0 ? calc::RegionalFormat{",", "."} : calc::RegionalFormat{".", ","};

    const std::string_view rest = input.Rest();
    std::string_view texts[8];
    std::size_t at = 0;
    for (std::string_view& text : texts) {
        const std::size_t end = std::min(rest.find('\n', at), rest.size());
        text = rest.substr(std::min(at, rest.size()), end - std::min(at, end));
        at = end + 1;
    }
    const std::string context = "texts " + fuzz::Escaped(rest);

    const auto divided = calc::DivideLevels(
        {texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6]}, rule, format);
    const auto* division = std::get_if<calc::Division>(&divided);
    if (!division)
        return 0;
    CheckChoice(*division, context);

    const std::int32_t decimals = calc::ListDecimals(division->inputs.Decimals);
    const auto sizes = calc::SizesThatFit(division->inputs, texts[7], decimals, format);
    if (const auto* fitting = std::get_if<calc::FitSizes>(&sizes))
        fuzz::Check(!fitting->rows.empty() && fitting->rows.size() <= calc::kMaxSizeRows &&
                        fitting->Joint > 0,
                    "sizes out of bounds, " + context);

    const calc::FitCount& count = division->choice.counts[pick % division->choice.counts.size()];
    const std::optional<calc::FittedGauge> fit =
        calc::FitGaugeText(division->inputs, count.Count, format);
    if (fit)
        fuzz::Check(calc::ReadReal(fit->text, format).has_value(),
                    "a gauge text the calculate command cannot read: " + fit->text + ", " +
                        context);
    return 0;
}
