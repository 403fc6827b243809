#include "mainwindow/VantorForm.h"
#include "print/windows/PrintDlg.h"
#include "support/program_parts.h"
#include "support/stand_ins.h"
#include "support/test_printer.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using platform::PageOrientation;

class PrintDialogTest : public testing::Test {
protected:
    template <class Widget> static Widget* find(QWidget& dialog, const char* name)
    {
        auto* widget = dialog.findChild<Widget*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static bool checked(QWidget& dialog, const char* name)
    {
        return find<QAbstractButton>(dialog, name)->isChecked();
    }
    static bool shown(QWidget& dialog, const char* name)
    {
        return !find<QWidget>(dialog, name)->isHidden();
    }
    static int copies(QWidget& dialog) { return find<QSpinBox>(dialog, "aantalEdit1")->value(); }
    // Shown as the active window, so that fields take the focus and lose it.
    static bool showActive(QWidget& dialog)
    {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        return QTest::qWaitForWindowActive(&dialog);
    }
    static void click(QWidget& dialog, const char* name)
    {
        QTest::mouseClick(find<QAbstractButton>(dialog, name), Qt::LeftButton);
    }

    MessageBoxRecorder boxes;
    TestPrinter printer;
};

TEST_F(PrintDialogTest, ShowsThePrinterAndItsSettingsWhenCreated)
{
    printer.setOrientation(PageOrientation::Landscape);
    printer.setCopies(3);
    TPrintDialog1 dialog;

    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Afdrukken"));
    EXPECT_TRUE(checked(dialog, "Naarprinter"));
    EXPECT_FALSE(dialog.toScreen());
    EXPECT_EQ(find<QLabel>(dialog, "Printername")->text(), QStringLiteral("Testprinter"));
    EXPECT_EQ(find<QLabel>(dialog, "Location")->text(), QStringLiteral("test:"));
    EXPECT_TRUE(checked(dialog, "liggend1"));
    EXPECT_TRUE(shown(dialog, "AfdukLandschap"));
    EXPECT_FALSE(shown(dialog, "AfdrukPortret"));
    EXPECT_EQ(copies(dialog), 3);
    EXPECT_FALSE(find<QCheckBox>(dialog, "ComputerPaper")->isEnabled());
    EXPECT_FALSE(dialog.computerPaper());
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(PrintDialogTest, CopiesFromThePrinterAreBroughtIntoRange)
{
    for (const auto& [fromPrinter, shownCopies] : {std::pair{0, 1}, {150, 99}, {99, 99}}) {
        printer.setCopies(fromPrinter);
        TPrintDialog1 dialog;
        EXPECT_EQ(copies(dialog), shownCopies) << fromPrinter;
    }
}

TEST_F(PrintDialogTest, OrientationPictureFollowsTheChoice)
{
    TPrintDialog1 dialog;
    dialog.show();
    EXPECT_TRUE(shown(dialog, "AfdrukPortret"));
    EXPECT_FALSE(shown(dialog, "AfdukLandschap"));
    click(dialog, "liggend1");
    EXPECT_FALSE(shown(dialog, "AfdrukPortret"));
    EXPECT_TRUE(shown(dialog, "AfdukLandschap"));
    click(dialog, "Staand1");
    EXPECT_TRUE(shown(dialog, "AfdrukPortret"));
    EXPECT_FALSE(shown(dialog, "AfdukLandschap"));
}

TEST_F(PrintDialogTest, OkWritesOrientationAndCopiesCancelKeepsTheChoicesOnly)
{
    TPrintDialog1 dialog;
    dialog.show();
    click(dialog, "liggend1");
    click(dialog, "NaarScherm");
    find<QSpinBox>(dialog, "aantalEdit1")->setValue(4);
    click(dialog, "BitBtn2");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(printer.orientation(), PageOrientation::Portrait);
    EXPECT_EQ(printer.copies(), 1);
    // The next showing still has what was chosen.
    EXPECT_TRUE(checked(dialog, "liggend1"));
    EXPECT_TRUE(dialog.toScreen());
    EXPECT_EQ(copies(dialog), 4);

    dialog.show();
    click(dialog, "BitBtn1");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(printer.orientation(), PageOrientation::Landscape);
    EXPECT_EQ(printer.copies(), 4);
}

TEST_F(PrintDialogTest, CopiesFieldKeepsToOneToNinetyNine)
{
    TPrintDialog1 dialog;
    ASSERT_TRUE(showActive(dialog));
    auto* field = find<QSpinBox>(dialog, "aantalEdit1");
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("150"));
    EXPECT_EQ(field->text(), QStringLiteral("150"));
    find<QPushButton>(dialog, "BitBtn3")->setFocus();
    EXPECT_EQ(field->value(), 99);
    EXPECT_EQ(field->text(), QStringLiteral("99"));

    field->setValue(1);
    field->stepDown();
    EXPECT_EQ(field->value(), 1);

    // Typed and confirmed with Enter, without leaving the field, it is brought into range too.
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("0"));
    click(dialog, "BitBtn1");
    EXPECT_EQ(printer.copies(), 1);
}

TEST_F(PrintDialogTest, ACopiesTextThatIsNoWholeNumberCountsAsOne)
{
    TPrintDialog1 dialog;
    ASSERT_TRUE(showActive(dialog));
    auto* field = find<QSpinBox>(dialog, "aantalEdit1");
    for (const auto& [typed, written] :
         {std::pair{"2,5", 1}, {"3,0", 1}, {",", 1}, {"-", 1}, {"7", 7}, {"150", 99}}) {
        SCOPED_TRACE(typed);
        dialog.show();
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QLatin1String(typed));
        click(dialog, "BitBtn1");
        EXPECT_EQ(printer.copies(), written);
    }
}

TEST_F(PrintDialogTest, SetupRereadsThePrinterAndCancelChangesNothing)
{
    TPrintDialog1 dialog;
    dialog.show();
    printer.onSetupDialog = [](TestPrinter&) {
        return false;
    };
    click(dialog, "BitBtn3");
    EXPECT_EQ(find<QLabel>(dialog, "Printername")->text(), QStringLiteral("Testprinter"));

    printer.onSetupDialog = [](TestPrinter& chosen) {
        chosen.name = QStringLiteral("Kantoor");
        chosen.location = QStringLiteral("ipp://kantoor");
        chosen.setOrientation(PageOrientation::Landscape);
        chosen.setCopies(2);
        return true;
    };
    click(dialog, "BitBtn3");
    EXPECT_EQ(find<QLabel>(dialog, "Printername")->text(), QStringLiteral("Kantoor"));
    EXPECT_EQ(find<QLabel>(dialog, "Location")->text(), QStringLiteral("ipp://kantoor"));
    EXPECT_TRUE(checked(dialog, "liggend1"));
    EXPECT_TRUE(shown(dialog, "AfdukLandschap"));
    EXPECT_EQ(copies(dialog), 2);
}

TEST_F(PrintDialogTest, WithoutAPrinterTheErrorIsReportedAndTheDesignTextsStay)
{
    printer.noPrinter = true;
    TPrintDialog1 dialog;
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text,
              QStringLiteral("There is no default printer currently selected."));
    EXPECT_EQ(boxes.boxes[0].icon, platform::BoxIcon::Error);
    EXPECT_EQ(find<QLabel>(dialog, "Printername")->text(), QStringLiteral("Printername"));
    EXPECT_EQ(find<QLabel>(dialog, "Location")->text(), QStringLiteral("Location"));
    EXPECT_TRUE(checked(dialog, "Staand1"));
    EXPECT_EQ(copies(dialog), 1);
}

TEST_F(PrintDialogTest, MainWindowSwitchesComputerPaperOnAtItsFirstActivationOnly)
{
    ProgramParts parts;
    TVantorForm form(parts.document, parts.printing);
    TPrintDialog1 dialog;
    PrintDialog1 = &dialog;
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_TRUE(find<QCheckBox>(dialog, "ComputerPaper")->isEnabled());
    EXPECT_TRUE(dialog.computerPaper());

    find<QCheckBox>(dialog, "ComputerPaper")->setChecked(false);
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QApplication::setActiveWindow(&form);
    QApplication::processEvents();
    EXPECT_FALSE(dialog.computerPaper());
    PrintDialog1 = nullptr;
}

} // namespace
