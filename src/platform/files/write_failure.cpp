#include "platform/files/write_failure.h"

#include <QFileInfo>
#include <QtGlobal>

#include <cerrno>

namespace platform {

QString WriteFailureCause(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("de schijf is vol");
    case EFBIG:
        return QStringLiteral("het bestand wordt te groot");
    case 0: // a failure the system gave no reason for
    case EIO:
        return QStringLiteral("er ging iets mis bij het schrijven");
    case EACCES:
    case EPERM:
        return QStringLiteral("u hebt geen toestemming om hier te schrijven");
    case EROFS:
        return QStringLiteral("de schijf kan alleen gelezen worden");
    case ENOENT:
        return QStringLiteral("de map bestaat niet");
    case ELOOP:
        return QStringLiteral("de koppelingen naar het bestand verwijzen in een kring");
    default:
        return qt_error_string(error);
    }
}

QString WriteFailureText(const QString& subject, const WriteFailure& failure)
{
    if (!failure.readOnlyFile.isEmpty())
        return ReadOnlyText(failure.readOnlyFile);
    return QStringLiteral("%1 kon niet %2worden geschreven: %3.")
        .arg(subject, failure.begun ? QStringLiteral("volledig ") : QString(),
             WriteFailureCause(failure.error));
}

QString ReadOnlyText(const QString& fileName)
{
    return QStringLiteral("Het bestand %1 is alleen-lezen; er is niets opgeslagen.")
        .arg(QFileInfo(fileName).fileName());
}

} // namespace platform
