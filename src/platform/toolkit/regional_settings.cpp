#include "platform/toolkit/regional_settings.h"

#include <QLocale>

namespace platform {
namespace {

calc::RegionalFormat& current()
{
    static calc::RegionalFormat format = RegionalFormatOf(QLocale::system());
    return format;
}

} // namespace

const calc::RegionalFormat& CurrentRegionalFormat()
{
    return current();
}

void ReloadRegionalFormat()
{
    current() = RegionalFormatOf(QLocale::system());
}

void SetRegionalFormat(const calc::RegionalFormat& format)
{
    current() = format;
}

calc::RegionalFormat RegionalFormatOf(const QLocale& locale)
{
    calc::RegionalFormat format;
    if (const QString decimal = locale.decimalPoint(); !decimal.isEmpty())
        format.decimalSeparator = decimal.toStdString();
    if (const QString group = locale.groupSeparator(); !group.isEmpty())
        format.thousandsSeparator = group.toStdString();
    return format;
}

} // namespace platform
