#include "platform/files/file_dialog.h"

#include "platform/toolkit/busy_cursor.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace platform {
namespace {

// A save dialog that takes only a name in a folder that exists: any other stays open and says
// why, instead of failing later when the file is written.
class SaveInExistingFolder final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList chosen = selectedFiles();
        if (acceptMode() == AcceptSave && !chosen.isEmpty()) {
            const QFileInfo file(chosen.constFirst());
            if (!file.isDir() && !file.absoluteDir().exists()) {
                const WaitingForTheUser waiting;
                QMessageBox::warning(this, windowTitle(),
                                     QStringLiteral("De map %1 bestaat niet. Kies een map die "
                                                    "bestaat.")
                                         .arg(QDir::toNativeSeparators(file.absolutePath())));
                return;
            }
        }
        QFileDialog::accept();
    }
};

class DesktopFileChooser final : public FileChooser {
public:
    std::optional<ChosenFile> choose(QWidget* parent, const FileDialogRequest& request) override
    {
        SaveInExistingFolder dialog(parent, request.title);
        const QStringList types = QtNameFilters(request.filter);
        // Each type shows its description as given, patterns included ("Alle bestanden (*.*)");
        // the patterns Qt filters with follow it, hidden. Qt names the chosen type by what it
        // shows or by the whole filter, depending on its version: either finds the type.
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        dialog.setNameFilters(types);
        QStringList shown;
        for (const QString& type : types)
            shown << type.left(type.lastIndexOf(QStringLiteral(" (")));
        const auto indexOf = [&types, &shown](const QString& type) {
            const qsizetype whole = types.indexOf(type);
            return whole >= 0 ? whole : shown.indexOf(type);
        };
        const auto suffixOf = [&request](qsizetype type) {
            return type >= 0 && type < request.typeSuffixes.size() &&
                           !request.typeSuffixes[type].isEmpty()
                       ? request.typeSuffixes[type]
                       : request.defaultSuffix;
        };
        dialog.setDefaultSuffix(suffixOf(0));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, &indexOf, &suffixOf](const QString& type) {
                             dialog.setDefaultSuffix(suffixOf(indexOf(type)));
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
        const auto type = static_cast<int>(indexOf(dialog.selectedNameFilter()));
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
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters;
}

} // namespace platform
