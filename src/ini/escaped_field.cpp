#include "escaped_field.h"

namespace {

constexpr char16_t kSeparator = u';';
constexpr char16_t kEscape = u'\\';

} // namespace

QString EscapeField(QString text)
{
    return text.replace(kEscape, QStringLiteral("\\\\")).replace(kSeparator, QStringLiteral("\\;"));
}

std::optional<LeadingField> TakeEscapedField(QStringView value)
{
    LeadingField field;
    qsizetype i = 0;
    for (; i < value.size() && value[i] != kSeparator; ++i) {
        if (value[i] == kEscape) {
            if (++i == value.size() || (value[i] != kEscape && value[i] != kSeparator))
                return std::nullopt;
        }
        field.text += value[i];
    }
    if (i == value.size())
        return std::nullopt;
    field.rest = value.mid(i + 1).toString();
    return field;
}
