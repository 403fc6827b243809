#include "platform/file_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The desktop's own save dialog, played by a timer: its file types as the user reads them, and a
// name in a folder that does not exist.
TEST(DesktopFileDialog, ShowsTheTypesAsGivenAndRefusesAFolderThatDoesNotExist)
{
    platform::FileDialogRequest request;
    request.purpose = platform::FileDialogRequest::Purpose::Save;
    request.title = QStringLiteral("Opslaan");
    request.filter = QStringLiteral("Inibestanden (*.ini)|*.ini|Alle bestanden (*.*)|*.*");
    request.defaultSuffix = QStringLiteral("ini");

    QStringList shown;
    QString warning;
    bool stayedOpen = false;
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
        } else if (!warning.isEmpty()) {
            stayedOpen = dialog->isVisible();
            dialog->reject();
        }
    });
    user.start();
    EXPECT_FALSE(platform::Seam<platform::FileChooser>::get().choose(nullptr, request));
    EXPECT_EQ(shown, QStringList({QStringLiteral("Inibestanden (*.ini)"),
                                  QStringLiteral("Alle bestanden (*.*)")}));
    EXPECT_EQ(warning,
              QStringLiteral("De map /nonexistent/map bestaat niet. Kies een map die bestaat."));
    EXPECT_TRUE(stayedOpen);
}

} // namespace
