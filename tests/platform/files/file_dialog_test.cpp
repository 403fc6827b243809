#include "platform/files/file_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The desktop's own save dialog, played by a timer: its file types as the user reads them, a
// name in a folder that does not exist, then one in a folder that does with the second type.
TEST(DesktopFileDialog, ShowsTheTypesAsGivenAndRefusesAFolderThatDoesNotExist)
{
    platform::FileDialogRequest request;
    request.purpose = platform::FileDialogRequest::Purpose::Save;
    request.title = QStringLiteral("Opslaan");
    request.filter = QStringLiteral("Inibestanden (*.ini)|*.ini|Alle bestanden (*.*)|*.*");
    request.defaultSuffix = QStringLiteral("ini");

    QStringList shown;
    QString warning;
    bool retried = false;
    QTimer user;
    user.setInterval(10);
    QObject::connect(&user, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            warning = box->text();
            box->accept();
            return;
        }
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog)
            return;
        if (shown.isEmpty()) {
            const auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            for (int type = 0; type < types->count(); ++type)
                shown << types->itemText(type);
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(QStringLiteral("/nonexistent/map/schuur.ini"));
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        } else if (!warning.isEmpty() && !retried) {
            // Still open after the warning: a folder that exists, and the second type.
            retried = true;
            dialog->selectNameFilter(dialog->nameFilters().at(1));
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(QDir::temp().filePath(QStringLiteral("schuur.ini")));
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        }
    });
    user.start();
    const auto chosen = platform::Seam<platform::FileChooser>::get().choose(nullptr, request);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->path, QDir::temp().filePath(QStringLiteral("schuur.ini")));
    EXPECT_EQ(chosen->type, 1);
    EXPECT_EQ(shown, QStringList({QStringLiteral("Inibestanden (*.ini)"),
                                  QStringLiteral("Alle bestanden (*.*)")}));
    EXPECT_EQ(warning,
              QStringLiteral("De map /nonexistent/map bestaat niet. Kies een map die bestaat."));
}

} // namespace
