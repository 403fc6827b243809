#include "stretch_rules_section.h"

#include "project_keys.h"
#include "project_lines.h"
#include "project_section.h"
#include "stretch_rule_value.h"
#include "value_encoding.h"

#include <algorithm>

namespace {

constexpr std::size_t kMaxStretchRules = kMaxFixedPoints - 1;

QByteArray keyOf(std::size_t index)
{
    return "VAK" + QByteArray::number(index + 1);
}

bool isWritten(const StretchRuleTexts& rule)
{
    return IsWrittenStretchRule(rule.rule);
}

} // namespace

void WriteStretchRulesSection(ProjectLineWriter& out, const std::vector<StretchRuleTexts>& rules)
{
    std::size_t written = 0;
    for (const StretchRuleTexts& rule : rules) {
        if (written == kMaxStretchRules)
            break;
        if (isWritten(rule))
            out.writeLine(CutAtCharacter(keyOf(written++) + '=' + EncodeStretchRule(rule),
                                         kProjectLineLimit));
    }
    out.endLine();
}

bool HasWrittenStretchRules(const std::vector<StretchRuleTexts>& rules)
{
    return std::any_of(rules.begin(), rules.end(), isWritten);
}

std::vector<StretchRuleTexts> ReadStretchRulesSection(ProjectLineReader& lines)
{
    std::vector<StretchRuleTexts> rules;
    std::size_t numbered = 0;
    QByteArray line;
    while (NextLineInSection(lines)) {
        lines.readLine(line);
        if (numbered == kMaxStretchRules || ProjectKeyOf(line) != keyOf(numbered))
            continue;
        ++numbered;
        if (line.size() > kProjectLineLimit)
            continue;
        if (const std::optional<StretchRuleTexts> rule = DecodeStretchRule(ProjectValueOf(line)))
            rules.push_back(*rule);
    }
    return rules;
}
