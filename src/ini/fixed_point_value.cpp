#include "fixed_point_value.h"

#include "escaped_field.h"
#include "value_encoding.h"

#include <algorithm>

namespace {

constexpr char16_t kSeparator = u';';

std::optional<int> countOf(QStringView digits)
{
    const bool allDigits =
        std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    bool ok = false;
    const int count = digits.toInt(&ok);
    return allDigits && ok ? std::optional<int>(count) : std::nullopt;
}

} // namespace

QByteArray EncodeFixedPoint(const FixedPointTexts& point)
{
    return EncodeProjectValue(QString::number(std::max(point.typedCount, 0)) + kSeparator +
                              EscapeField(point.name.left(kMaxFixedPointNameLength)) + kSeparator +
                              point.height);
}

std::optional<FixedPointTexts> DecodeFixedPoint(const QByteArray& value)
{
    const QString text = DecodeProjectValue(value);
    const qsizetype countEnd = text.indexOf(kSeparator);
    if (countEnd < 0)
        return std::nullopt;
    const std::optional<int> count = countOf(QStringView(text).left(countEnd));
    if (!count)
        return std::nullopt;

    const std::optional<LeadingField> name = TakeEscapedField(QStringView(text).mid(countEnd + 1));
    if (!name || name->text.size() > kMaxFixedPointNameLength)
        return std::nullopt;
    return FixedPointTexts{name->text, name->rest, *count};
}
