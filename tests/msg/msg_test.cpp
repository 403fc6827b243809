#include "msg/Msg.h"
#include "msg/error_report.h"
#include "support/stand_ins.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using platform::BoxIcon;

class MsgTest : public testing::Test {
protected:
    void TearDown() override { SetMsgOwnerHandle(nullptr); }
    MessageBoxRecorder recorder;
};

TEST_F(MsgTest, WarningAndErrorShowTheirOwnIconWithTheCallersTexts)
{
    EXPECT_TRUE(MsgWarning("62.5 is geen getal", "Foutive invoer"));
    EXPECT_TRUE(MsgError("Bestand kon niet geopend worden!", "Vantorbel"));
    EXPECT_TRUE(MsgWarningText(QStringLiteral("inifile niet gevonden\r/tmp/a.ini"),
                               QStringLiteral("Vantorbel")));

    ASSERT_EQ(recorder.boxes.size(), 3u);
    EXPECT_EQ(recorder.boxes[0].text, QStringLiteral("62.5 is geen getal"));
    EXPECT_EQ(recorder.boxes[0].caption, QStringLiteral("Foutive invoer"));
    EXPECT_EQ(recorder.boxes[0].icon, BoxIcon::Warning);
    EXPECT_EQ(recorder.boxes[1].icon, BoxIcon::Error);
    EXPECT_EQ(recorder.boxes[2].text, QStringLiteral("inifile niet gevonden\r/tmp/a.ini"));
    EXPECT_EQ(recorder.boxes[2].icon, BoxIcon::Warning);
}

TEST_F(MsgTest, TextsAreReadAsUtf8)
{
    MsgWarning("\xc3\xa9\xc3\xa9n is geen getal", "Foutive invoer");
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].text, QString::fromUtf8("één is geen getal"));
}

TEST_F(MsgTest, RecordedOwnerOwnsEveryBoxOnceSet)
{
    QWidget front;
    front.show();
    QWidget mainWindow;
    SetMsgOwnerHandle(&mainWindow);

    MsgError("x", "Vantorbel");
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].owner, &mainWindow);
}

TEST_F(MsgTest, WithoutRecordedOwnerAVisibleApplicationWindowOwnsTheBox)
{
    QWidget window;
    window.show();
    ASSERT_EQ(MsgOwnerHandle(), nullptr);

    MsgWarning("x", "Vantorbel");
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].owner, &window);
}

TEST_F(MsgTest, DestroyedOwnerIsNotUsed)
{
    auto* owner = new QWidget;
    SetMsgOwnerHandle(owner);
    delete owner;
    EXPECT_EQ(MsgOwnerHandle(), nullptr);
    MsgWarning("x", "Vantorbel");
    EXPECT_EQ(recorder.boxes.size(), 1u);
}

TEST_F(MsgTest, UncaughtErrorGetsStopIconApplicationCaptionAndOneFullStop)
{
    RunGuarded([] { throw std::runtime_error("'12a' is not a valid integer value"); });
    RunGuarded([] { throw std::runtime_error("Klaar."); });

    ASSERT_EQ(recorder.boxes.size(), 2u);
    EXPECT_EQ(recorder.boxes[0].text, QStringLiteral("'12a' is not a valid integer value."));
    EXPECT_EQ(recorder.boxes[0].caption, QStringLiteral("Vantorbel"));
    EXPECT_EQ(recorder.boxes[0].icon, BoxIcon::Error);
    EXPECT_EQ(recorder.boxes[1].text, QStringLiteral("Klaar."));
}

TEST_F(MsgTest, GuardedHandlerThatSucceedsShowsNothing)
{
    bool ran = false;
    RunGuarded([&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(recorder.boxes.empty());
}

} // namespace
