#include "guarded_application.h"

#include "document/project_document.h"
#include "mainwindow/VantorForm.h"
#include "msg/Msg.h"
#include "platform/fonts/font_stand_ins.h"
#include "platform/print_system/job_watch.h"
#include "platform/print_system/printer_reading.h"
#include "platform/print_system/scheduler_workers.h"
#include "platform/toolkit/regional_settings.h"
#include "platform/toolkit/toolkit_texts.h"
#include "print/windows/PrintDlg.h"
#include "print/windows/preview_viewer.h"
#include "printing/print_service.h"
#include "program_identity.h"

#include <QIcon>

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    GuardedApplication application(argc, argv);
    application.setAttribute(Qt::AA_DontUseNativeDialogs);
    // The name only: a display name makes the window system plugins add " — Vantorbel" to every
    // window title. Error reports take their caption from the name all the same.
    application.setApplicationName(QString::fromUtf8(kProgramName));
    application.setWindowIcon(QIcon(QStringLiteral(":/icons/vantorbel.svg")));
    platform::InstallFontStandIns();
    platform::InstallDutchToolkitTexts();
    platform::ReloadRegionalFormat();

    // The one calculation both windows work on, and the one way they print it.
    ProjectDocument document(
        QString::fromStdString(platform::CurrentRegionalFormat().decimalSeparator));
    PrintService printing(document);
    TVantorForm mainForm(document, printing);
    // Read once the main window's first frame is on screen: the print dialog fills in its
    // fields when the reading is done.
    const platform::DesktopPrinterReading printerReading(mainForm);
    TPrintDialog1 printDialog(&mainForm);
    PrintDialog1 = &printDialog;
    RegisterPreviewWindow();
    platform::SetPrintJobNotice(
        [](const QString& message) { MsgWarningText(message, QStringLiteral("Afdrukken")); });
    mainForm.show();
    const int result = application.exec();
    PrintDialog1 = nullptr;
    platform::SetPrintJobNotice({});
    if (!printerReading.finished(std::chrono::seconds(1)) ||
        !platform::SchedulerWorkersEnded(std::chrono::seconds(1))) {
        // The print scheduler never answered. Waiting for it would keep the program running
        // unseen for minutes, and tearing the toolkit down under a worker that asks it crashes
        // it; all the user saved is on disk already, so leave at once.
        std::fflush(nullptr);
        std::_Exit(result);
    }
    return result;
}
