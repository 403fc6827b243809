#include "print/windows/copies_spin_box.h"

#include "calc/number_reader.h"
#include "platform/toolkit/regional_settings.h"

#include <algorithm>
#include <optional>

namespace {

// The copies text as the program reads whole numbers everywhere; the toolkit's own reading
// would take a thousands separator in "2,5" for grouping and print 25 copies.
std::optional<int> wholeNumberOf(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    const auto number = calc::ReadWholeNumber(std::string_view(bytes.constData(), bytes.size()));
    return number ? std::optional<int>(*number) : std::nullopt;
}

} // namespace

CopiesSpinBox::CopiesSpinBox(QWidget* parent)
    : QSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

void CopiesSpinBox::commitTypedValue()
{
    setValue(valueFromText(text()));
}

QValidator::State CopiesSpinBox::validate(QString& input, int&) const
{
    if (const std::optional<int> number = wholeNumberOf(input))
        return *number >= minimum() && *number <= maximum() ? QValidator::Acceptable
                                                            : QValidator::Intermediate;
    const QString decimal =
        QString::fromStdString(platform::CurrentRegionalFormat().decimalSeparator);
    for (const QChar c : input)
        if (!c.isDigit() && c != QLatin1Char('+') && c != QLatin1Char('-') && QString(c) != decimal)
            return QValidator::Invalid;
    return QValidator::Intermediate;
}

void CopiesSpinBox::fixup(QString& input) const
{
    input = QString::number(valueFromText(input));
}

// A whole number is brought to the nearer limit; any other text, a fraction included, counts as
// one copy.
int CopiesSpinBox::valueFromText(const QString& text) const
{
    return std::clamp(wholeNumberOf(text).value_or(minimum()), minimum(), maximum());
}
