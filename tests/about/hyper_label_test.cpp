#include "about/HyperLabel.h"
#include "support/stand_ins.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

QColor textColour(const QWidget& label)
{
    return label.palette().color(QPalette::WindowText);
}

class HyperLabelTest : public testing::Test {
protected:
    HyperLabelTest()
    {
        label.setText(QStringLiteral("Maatlat"));
        label.resize(80, 20);
        label.show();
    }
    void enter()
    {
        QEnterEvent event(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(&label, &event);
    }
    void leave()
    {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(&label, &event);
    }

    UrlOpenerRecorder browser;
    THyperLabel label;
};

TEST_F(HyperLabelTest, StartsAsAPlainLabelWithAHandAndAnEmptyAddress)
{
    EXPECT_EQ(label.hyperlink(), QStringLiteral("http://"));
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(label.text(), QStringLiteral("Maatlat"));
    label.setHyperlink(QStringLiteral("http://vantorbel.example"));
    EXPECT_EQ(label.text(), QStringLiteral("Maatlat"));
}

TEST_F(HyperLabelTest, LooksLikeALinkOnlyWhileTheMouseIsOverIt)
{
    enter();
    EXPECT_EQ(textColour(label), QColor(0, 0, 255));
    EXPECT_TRUE(label.font().underline());
    leave();
    EXPECT_EQ(textColour(label), QApplication::palette().color(QPalette::WindowText));
    EXPECT_FALSE(label.font().underline());
}

TEST_F(HyperLabelTest, ADesignedColourAndBoldAreGoneAfterTheFirstLeave)
{
    QPalette red = label.palette();
    red.setColor(QPalette::WindowText, Qt::red);
    label.setPalette(red);
    QFont bold = label.font();
    bold.setBold(true);
    bold.setItalic(true);
    label.setFont(bold);
    enter();
    leave();
    EXPECT_EQ(textColour(label), QApplication::palette().color(QPalette::WindowText));
    EXPECT_FALSE(label.font().bold());
    EXPECT_FALSE(label.font().italic());
}

TEST_F(HyperLabelTest, OpensItsAddressOnThePressNotOnTheRelease)
{
    QTest::mousePress(&label, Qt::LeftButton);
    ASSERT_EQ(browser.addresses.size(), 1u);
    EXPECT_EQ(browser.addresses[0], QStringLiteral("http://"));
    // Released outside the label: nothing more, and the address was opened all the same.
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(500, 500));
    EXPECT_EQ(browser.addresses.size(), 1u);

    QTest::mousePress(&label, Qt::RightButton);
    EXPECT_EQ(browser.addresses.size(), 1u);
}

} // namespace
