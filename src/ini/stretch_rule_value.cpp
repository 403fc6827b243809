#include "stretch_rule_value.h"

#include "escaped_field.h"
#include "value_encoding.h"

#include <algorithm>
#include <array>

namespace {

constexpr char16_t kSeparator = u';';

// The words of rules 1 and 2, in that order.
constexpr std::array<QLatin1StringView, 2> kRuleWords = {QLatin1StringView("MIN"),
                                                         QLatin1StringView("PLUS")};

} // namespace

bool IsWrittenStretchRule(int rule)
{
    return rule >= 1 && rule <= static_cast<int>(kRuleWords.size());
}

QByteArray EncodeStretchRule(const StretchRuleTexts& rule)
{
    return EncodeProjectValue(QString(kRuleWords[rule.rule - 1]) + kSeparator +
                              EscapeField(rule.from) + kSeparator + rule.to);
}

std::optional<StretchRuleTexts> DecodeStretchRule(const QByteArray& value)
{
    const QString text = DecodeProjectValue(value);
    const qsizetype wordEnd = text.indexOf(kSeparator);
    if (wordEnd < 0)
        return std::nullopt;
    const auto word =
        std::find(kRuleWords.begin(), kRuleWords.end(), QStringView(text).left(wordEnd));
    if (word == kRuleWords.end())
        return std::nullopt;
    const std::optional<LeadingField> from = TakeEscapedField(QStringView(text).mid(wordEnd + 1));
    if (!from)
        return std::nullopt;
    return StretchRuleTexts{from->text, from->rest,
                            static_cast<int>(word - kRuleWords.begin()) + 1};
}
