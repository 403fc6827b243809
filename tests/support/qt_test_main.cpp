#include "platform/fonts/font_stand_ins.h"
#include "platform/toolkit/regional_settings.h"
#include "print/windows/preview_viewer.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Vantorbel"));
    platform::InstallFontStandIns();
    // Every test reads and shows numbers the Dutch way, whatever this machine's locale is.
    platform::SetRegionalFormat({",", "."});
    RegisterPreviewWindow();

    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
