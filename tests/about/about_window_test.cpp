#include "about/Splashunit.h"
#include "about/maker_links.h"
#include "mainwindow/VantorForm.h"
#include "support/program_parts.h"
#include "support/stand_ins.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

QLabel* link(QWidget& window)
{
    return window.findChild<QLabel*>(QStringLiteral("Hyperlink"));
}

void moveOver(QWidget* widget)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), widget->mapToGlobal(QPointF(3, 3)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

bool linkLook(QWidget& window)
{
    return link(window)->font().underline() &&
           link(window)->palette().color(QPalette::WindowText) == QColor(0, 0, 255);
}

class AboutWindowTest : public testing::Test {
protected:
    UrlOpenerRecorder browser;
    MessageBoxRecorder boxes;
};

TEST_F(AboutWindowTest, ShowsNameVersionDateAndTheMakersHost)
{
    TSplashForm about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Vantorbel"));
    EXPECT_EQ(about.size(), QSize(311, 192));
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
              QStringLiteral("Vantorbel 1.2"));
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("Label2"))->text(),
              QStringLiteral("15-12-2001"));
    EXPECT_EQ(link(about)->text(), MakerHost());
    EXPECT_FALSE(MakerHost().startsWith(QStringLiteral("http")));
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("Image2"))->toolTip(),
              QStringLiteral("Voor informatie en nieuwe versie zie ") + MakerHost() +
                  QLatin1Char(' '));
    EXPECT_FALSE(linkLook(about));
}

TEST_F(AboutWindowTest, LinkTurnsBlueOverTheLinkAndBackOnlyOverTheIcon)
{
    TSplashForm about;
    about.show();
    moveOver(link(about));
    EXPECT_TRUE(linkLook(about));
    moveOver(about.findChild<QWidget*>(QStringLiteral("Panel1")));
    EXPECT_TRUE(linkLook(about));
    moveOver(about.findChild<QLabel*>(QStringLiteral("Image1")));
    EXPECT_FALSE(linkLook(about));
}

TEST_F(AboutWindowTest, ClickingTheLinkOpensTheMakersAddressAndStaysOpen)
{
    TSplashForm about;
    about.show();
    QTest::mouseClick(link(about), Qt::LeftButton);
    ASSERT_EQ(browser.addresses.size(), 1u);
    EXPECT_EQ(browser.addresses[0], QStringLiteral("http://") + MakerHost());
    EXPECT_TRUE(about.isVisible());
}

TEST_F(AboutWindowTest, EnterClosesAndEscapeDoesNot)
{
    TSplashForm about;
    about.show();
    QApplication::setActiveWindow(&about);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_TRUE(about.isVisible());
    QTest::keyClick(&about, Qt::Key_Return);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST_F(AboutWindowTest, EveryOpeningIsAFreshWindowWithTheLinkInItsNormalLook)
{
    ModalRunnerStub modal;
    std::vector<QPointer<QDialog>> shown;
    std::vector<bool> blueAtStart;
    modal.answer = [&](QDialog& window) {
        shown.emplace_back(&window);
        blueAtStart.push_back(linkLook(window));
        moveOver(link(window)); // left blue when it closes
        return int(QDialog::Accepted);
    };
    ProgramParts parts;
    TVantorForm form(parts.document, parts.printing);
    QTest::mouseClick(form.findChild<QToolButton*>(QStringLiteral("ToolButton3")), Qt::LeftButton);
    QTest::mouseClick(form.findChild<QToolButton*>(QStringLiteral("ToolButton3")), Qt::LeftButton);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(blueAtStart, (std::vector<bool>{false, false}));
    EXPECT_TRUE(shown[0].isNull());
    EXPECT_TRUE(shown[1].isNull());
}

} // namespace
