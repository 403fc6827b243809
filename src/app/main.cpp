#include "guarded_application.h"

#include "mainwindow/VantorForm.h"
#include "platform/font_stand_ins.h"
#include "platform/printer_reading.h"
#include "platform/regional_settings.h"
#include "platform/toolkit_texts.h"
#include "print/PrintDlg.h"

#include <QIcon>

int main(int argc, char* argv[])
{
    GuardedApplication application(argc, argv);
    application.setAttribute(Qt::AA_DontUseNativeDialogs);
    application.setApplicationName(QStringLiteral("Vantorbel"));
    application.setApplicationDisplayName(QStringLiteral("Vantorbel"));
    application.setWindowIcon(QIcon(QStringLiteral(":/icons/vantorbel.svg")));
    platform::InstallFontStandIns();
    platform::InstallDutchToolkitTexts();
    platform::ReloadRegionalFormat();

    TVantorForm mainForm;
    // Read while the main window shows: the print dialog fills in its fields once it is done.
    const platform::DesktopPrinterReading printerReading;
    TPrintDialog1 printDialog(&mainForm);
    PrintDialog1 = &printDialog;
    mainForm.show();
    const int result = application.exec();
    PrintDialog1 = nullptr;
    return result;
}
