#include "file_dialog.h"

#include "busy_cursor.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace platform {
namespace {

class DesktopFileChooser final : public FileChooser {
public:
    std::optional<ChosenFile> choose(QWidget* parent, const FileDialogRequest& request) override
    {
        QFileDialog dialog(parent, request.title);
        const QStringList types = QtNameFilters(request.filter);
        dialog.setNameFilters(types);
        const auto suffixOf = [&request](qsizetype type) {
            return type >= 0 && type < request.typeSuffixes.size() &&
                           !request.typeSuffixes[type].isEmpty()
                       ? request.typeSuffixes[type]
                       : request.defaultSuffix;
        };
        dialog.setDefaultSuffix(suffixOf(0));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, &types, &suffixOf](const QString& type) {
                             dialog.setDefaultSuffix(suffixOf(types.indexOf(type)));
                         });
        if (request.purpose == FileDialogRequest::Purpose::Open) {
            dialog.setAcceptMode(QFileDialog::AcceptOpen);
            dialog.setFileMode(QFileDialog::ExistingFile);
        } else {
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setFileMode(QFileDialog::AnyFile);
        }
        if (!request.fileName.isEmpty())
            dialog.selectFile(request.fileName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        const auto type = static_cast<int>(types.indexOf(dialog.selectedNameFilter()));
        return ChosenFile{dialog.selectedFiles().constFirst(), std::max(type, 0)};
    }
};

} // namespace

template <> FileChooser& Seam<FileChooser>::desktop()
{
    static DesktopFileChooser chooser;
    return chooser;
}

bool FileDialog::execute(QWidget* parent)
{
    const WaitingForTheUser waiting;
    const std::optional<ChosenFile> chosen = Seam<FileChooser>::get().choose(parent, m_setup);
    if (!chosen)
        return false;
    m_setup.fileName = chosen->path;
    return true;
}

QStringList QtNameFilters(const QString& filter)
{
    static const QRegularExpression shownPatterns(QStringLiteral("\\s*\\([^)]*\\)\\s*$"));
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        QString description = parts[i];
        description.remove(shownPatterns);
        filters << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters;
}

} // namespace platform
