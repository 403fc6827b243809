#include "platform/fonts/font_stand_ins.h"

#include <QFont>

namespace platform {

QFont WindowFont()
{
    return QFont(QStringLiteral("MS Sans Serif"), 8);
}

void InstallFontStandIns()
{
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

} // namespace platform
