#include "maker_links.h"

#include "maker.h"

QString MakerName()
{
    return QString::fromUtf8(kMakerName);
}

QString MakerHost()
{
    return QString::fromUtf8(kMakerHost);
}

QString MakerWebAddress()
{
    return QStringLiteral("http://") + MakerHost();
}

QString MakerInformationHint()
{
    return QStringLiteral("Voor informatie en nieuwe versie zie ") + MakerHost() + QLatin1Char(' ');
}
