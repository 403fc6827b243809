#include "fixed_point_value.h"

#include "value_encoding.h"

#include <algorithm>

namespace {

constexpr char16_t kSeparator = u';';
constexpr char16_t kEscape = u'\\';

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
    QString name = point.name.left(kMaxFixedPointNameLength);
    name.replace(kEscape, QStringLiteral("\\\\")).replace(kSeparator, QStringLiteral("\\;"));
    return EncodeProjectValue(QString::number(std::max(point.typedCount, 0)) + kSeparator + name +
                              kSeparator + point.height);
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

    FixedPointTexts point;
    point.typedCount = *count;
    qsizetype i = countEnd + 1;
    for (; i < text.size() && text[i] != kSeparator; ++i) {
        if (text[i] == kEscape) {
            if (++i == text.size() || (text[i] != kEscape && text[i] != kSeparator))
                return std::nullopt;
        }
        point.name += text[i];
    }
    if (i == text.size() || point.name.size() > kMaxFixedPointNameLength)
        return std::nullopt;
    point.height = text.mid(i + 1);
    return point;
}
