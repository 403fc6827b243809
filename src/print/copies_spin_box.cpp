#include "copies_spin_box.h"

#include <QLocale>

#include <cmath>

CopiesSpinBox::CopiesSpinBox(QWidget* parent)
    : QSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

void CopiesSpinBox::commitTypedValue()
{
    QString typed = text();
    int position = 0;
    if (validate(typed, position) != QValidator::Acceptable)
        fixup(typed);
    setValue(typed.toInt());
}

QValidator::State CopiesSpinBox::validate(QString& input, int& position) const
{
    const QValidator::State own = QSpinBox::validate(input, position);
    if (own != QValidator::Invalid)
        return own;
    const QString decimal = locale().decimalPoint();
    for (const QChar c : input)
        if (!c.isDigit() && c != QLatin1Char('+') && c != QLatin1Char('-') && QString(c) != decimal)
            return QValidator::Invalid;
    return QValidator::Intermediate;
}

void CopiesSpinBox::fixup(QString& input) const
{
    bool isNumber = false;
    const double typed = locale().toDouble(input, &isNumber);
    const int value =
        isNumber
            ? static_cast<int>(std::clamp(std::trunc(typed), double(minimum()), double(maximum())))
            : minimum();
    input = QString::number(value);
}
