#include "print/engine/MyPrint.h"
#include "print/engine/cut_text.h"
#include "print/engine/page_viewer.h"
#include "print/windows/MyPForm.h"
#include "print/windows/preview_viewer.h"
#include "support/stand_ins.h"
#include "support/test_printer.h"

#include <QScopeGuard>

#include <gtest/gtest.h>

namespace {

using platform::PageImage;
using Align = TMyPrinter::Alignment;

// What one recorded page shows: its texts with their top-left corners, its lines and its boxes.
struct PageContent {
    struct PlacedText {
        QPoint at;
        QString text;
    };
    std::vector<PlacedText> texts;
    std::vector<PageImage::Line> lines;
    std::vector<QRect> boxes;
    std::vector<int> lineWidths;

    const PlacedText* find(const QString& text) const
    {
        for (const PlacedText& placed : texts)
            if (placed.text == text)
                return &placed;
        return nullptr;
    }
};

PageContent contentOf(const PageImage& page)
{
    PageContent content;
    int penWidth = 1;
    for (const auto& operation : page.operations()) {
        if (const auto* text = std::get_if<PageImage::Text>(&operation))
            content.texts.push_back({text->topLeft, text->text});
        else if (const auto* line = std::get_if<PageImage::Line>(&operation)) {
            content.lines.push_back(*line);
            content.lineWidths.push_back(penWidth);
        } else if (const auto* box = std::get_if<PageImage::Rectangle>(&operation))
            content.boxes.push_back(box->area);
        else if (const auto* pen = std::get_if<PageImage::SelectPen>(&operation))
            penWidth = pen->pen.width;
    }
    return content;
}

class EngineTest : public testing::Test {
protected:
    // The pages the printer received, in order.
    std::vector<PageContent> printedPages() const
    {
        std::vector<PageContent> pages;
        for (const auto& page : printer.jobs.at(0).pages)
            pages.push_back(contentOf(*page));
        return pages;
    }
    int textWidth(const QString& text, const platform::SurfaceFont& font)
    {
        printer.canvas().setFont(font);
        return printer.canvas().textWidth(text);
    }

    MessageBoxRecorder boxes;
    TestPrinter printer;
};

TEST_F(EngineTest, PageGeometryOfTheWorkedExample)
{
    TMyPrinter engine;
    EXPECT_NEAR(engine.PixelsPerMmX, 23.622, 0.001);
    EXPECT_EQ(engine.ExtraLeft, 35);
    EXPECT_EQ(engine.ExtraRight, 35);
    EXPECT_EQ(engine.ExtraTop, 11);
    EXPECT_EQ(engine.ExtraBottom, 11);
    EXPECT_EQ(engine.LeftEdge, 82);
    EXPECT_EQ(engine.RightEdge, 4642);
    EXPECT_EQ(engine.TopEdge(), 58);
    EXPECT_EQ(engine.BottomEdge, 6721);
    EXPECT_EQ(engine.BodyBottom, 6721);
    EXPECT_EQ(engine.CursorY, 58);
    EXPECT_EQ(engine.LineGap, 19);
    engine.SetLineSpacing(4);
    EXPECT_EQ(engine.LineGap, 25);
}

TEST_F(EngineTest, WideUnprintableBordersGetNoExtraMarginAndGapsRoundHalvesToEven)
{
    // 10 mm and more unprintable on both axes, at 300 pixels per inch.
    printer.portrait = {2480, 3508, 199, 286, 300, 300, 2350, 3378};
    TMyPrinter engine;
    EXPECT_EQ(engine.ExtraLeft, 0);
    EXPECT_EQ(engine.ExtraTop, 0);
    engine.SetLineSpacing(4);
    EXPECT_EQ(engine.LineGap, 12); // 12.5
}

TEST_F(EngineTest, ABareDocumentIsOnePageWithItsHeader)
{
    TMyPrinter engine;
    engine.SetHeaderText(1, QStringLiteral("Links"));
    engine.SetHeaderText(3, QStringLiteral("Pagina:"));
    engine.SetPageNumbers(true);
    engine.SetHeaderLine(true);
    engine.BeginDocument();
    engine.EndDocument();

    const std::vector<PageContent> pages = printedPages();
    ASSERT_EQ(pages.size(), 1u);
    const platform::SurfaceFont header = engine.HeaderFont;
    ASSERT_NE(pages[0].find(QStringLiteral("Links")), nullptr);
    EXPECT_EQ(pages[0].find(QStringLiteral("Links"))->at, QPoint(82, 58));
    ASSERT_NE(pages[0].find(QStringLiteral("Pagina:1")), nullptr);
    EXPECT_EQ(pages[0].find(QStringLiteral("Pagina:1"))->at,
              QPoint(4642 - textWidth(QStringLiteral("Pagina:1"), header), 58));
    ASSERT_EQ(pages[0].lines.size(), 1u);
    const int ruleY = 58 + printer.canvas().textHeight(QStringLiteral("yX")) + 19;
    EXPECT_EQ(pages[0].lines[0].from, QPoint(82, ruleY));
    EXPECT_EQ(pages[0].lines[0].to, QPoint(4642, ruleY));
    EXPECT_EQ(pages[0].lineWidths[0], 7); // 0.3 mm
}

TEST_F(EngineTest, HeaderShowsWhileAnyOfItsTextsIsSet)
{
    TMyPrinter engine;
    EXPECT_FALSE(engine.HeaderVisible);
    engine.SetHeaderText(1, QStringLiteral("a"));
    engine.SetHeaderText(2, QStringLiteral("b"));
    engine.SetHeaderText(2, QString());
    EXPECT_TRUE(engine.HeaderVisible);
    engine.SetHeaderText(1, QString());
    EXPECT_FALSE(engine.HeaderVisible);
    engine.SetHeaderText(4, QStringLiteral("genegeerd"));
    EXPECT_FALSE(engine.HeaderVisible);
}

TEST_F(EngineTest, TextsArePlacedByAlignmentAndPosition)
{
    TMyPrinter engine;
    engine.BeginDocument();
    const platform::SurfaceFont font = engine.TextFont;
    const auto placedX = [&](TMyPrinter::Alignment align, int pos, const QString& text) {
        engine.PrintText(align, pos, text);
        engine.NewLine();
        return contentOf(*printer.jobs[0].pages.back()).texts.back().at.x();
    };
    const QString word = QStringLiteral("Hoogte");
    const int w = textWidth(word, font);
    // 600 pixels per inch: 50 mm is 1181,1 pixels, 100 mm 2362,2, 35 mm 826,77 and 10 mm 236,22.
    EXPECT_EQ(placedX(Align::Left, -1, word), 82);
    EXPECT_EQ(placedX(Align::Left, 0, word), 82);
    EXPECT_EQ(placedX(Align::Left, 50, word), 1181);
    EXPECT_NEAR(placedX(Align::Centre, 100, word) + w / 2.0, 2362.2, 1.0);
    EXPECT_NEAR(placedX(Align::Right, 100, word) + w, 2362.2, 0.5);
    EXPECT_EQ(placedX(Align::Right, -1, word), 4642 - w);
    EXPECT_NEAR(placedX(Align::Right, -10, word) + w, 4642 - 236.22, 0.5);

    // Decimal comma: "12" stands exactly where the 12 of "12,50" stands.
    const int withFraction = placedX(Align::DecimalComma, 35, QStringLiteral("12,50"));
    const int whole = placedX(Align::DecimalComma, 35, QStringLiteral("12"));
    EXPECT_EQ(withFraction, whole);
    EXPECT_NEAR(withFraction + textWidth(QStringLiteral("12,"), font), 826.77, 0.5);
    const int thousands = placedX(Align::DecimalComma, 35, QStringLiteral("1.000,00"));
    EXPECT_EQ(thousands + textWidth(QStringLiteral("1.000,"), font),
              withFraction + textWidth(QStringLiteral("12,"), font));

    const std::size_t drawn = contentOf(*printer.jobs[0].pages.back()).texts.size();
    engine.PrintText(Align::Left, 500, word); // beyond the right edge: left out, no failure
    EXPECT_EQ(contentOf(*printer.jobs[0].pages.back()).texts.size(), drawn);
    engine.EndDocument();
}

TEST(CutText, CutsEndWithAnEllipsisAndNeverSplitACharacter)
{
    const auto units = [](const QString& text) {
        return static_cast<int>(text.size());
    };
    const QString faces = QStringLiteral("😀😀😀"); // two UTF-16 units each
    EXPECT_EQ(CutToWidth(faces, 6, units), faces);
    EXPECT_EQ(CutToWidth(faces, 4, units), QStringLiteral("😀…"));
    EXPECT_EQ(CutToWidth(faces, 2, units), QStringLiteral("…"));
    EXPECT_EQ(CutToWidth(faces, 0, units), QString());
    EXPECT_EQ(CutToWidth(QStringLiteral("cafe\u0301s"), 5, units), QStringLiteral("caf…"));
    EXPECT_EQ(CutToLength(faces, 2), QStringLiteral("😀😀…"));
    EXPECT_EQ(CutToLength(faces, 3), faces);
}

TEST_F(EngineTest, LinesLeftCountsTheNewLinesBeforeTheEngineBreaksThePage)
{
    TMyPrinter engine;
    engine.SetHeaderText(1, QStringLiteral("kop"));
    engine.SetLineSpacing(4);
    engine.BeginDocument();
    const int left = engine.LinesLeft();
    ASSERT_GT(left, 10);
    for (int line = 0; line < left; ++line) {
        engine.NewLine();
        ASSERT_EQ(engine.PageNumber, 1) << line;
    }
    engine.NewLine();
    EXPECT_EQ(engine.PageNumber, 2);
    engine.EndDocument();
    EXPECT_EQ(printer.jobs[0].pages.size(), 2u);
}

TEST_F(EngineTest, ComputerPaperBandsFollowTheirPhaseAcrossPageBreaks)
{
    TMyPrinter engine;
    engine.SetComputerPaper(true);
    engine.BeginDocument();
    const int lineHeight = engine.LineHeight();
    // The first line after the start carries no band; then band, none, band.
    for (int line = 0; line < 4; ++line) {
        engine.PrintText(Align::Left, -1, QStringLiteral("x"));
        engine.NewLine();
    }
    std::vector<QRect> bands = contentOf(*printer.jobs[0].pages[0]).boxes;
    // Every band line's text also gets the band colour behind it.
    std::vector<QRect> fullBands;
    for (const QRect& box : bands)
        if (box.left() == 82 && box.width() == 4642 - 82)
            fullBands.push_back(box);
    ASSERT_EQ(fullBands.size(), 2u);
    EXPECT_EQ(fullBands[0].top(), 58 + lineHeight);
    EXPECT_EQ(fullBands[0].height(), lineHeight);
    EXPECT_EQ(fullBands[1].top(), 58 + 3 * lineHeight);

    // A break forced by NewPage: the first line of the new page has no band.
    engine.NewPage();
    EXPECT_TRUE(engine.BandPhase);
    engine.NewLine();
    EXPECT_TRUE(contentOf(*printer.jobs[0].pages[1]).boxes.empty() ||
                contentOf(*printer.jobs[0].pages[1]).boxes.front().top() != 58);
    engine.EndDocument();
}

TEST_F(EngineTest, ABreakFromNewLineStartsTheNewPageWithABand)
{
    TMyPrinter engine;
    engine.SetComputerPaper(true);
    engine.BeginDocument();
    while (engine.PageNumber == 1)
        engine.NewLine();
    const std::vector<QRect> boxes = contentOf(*printer.jobs[0].pages[1]).boxes;
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.front().top(), 58);
    engine.EndDocument();
}

TEST_F(EngineTest, PreviewRecordsOnePageImagePerPageWithItsNumber)
{
    ModalRunnerStub modal;
    std::vector<QString> numbers;
    modal.answer = [&](QDialog& window) {
        auto& preview = static_cast<TPreviewPrintForm1&>(window);
        EXPECT_EQ(preview.CurrentPage, 0);
        EXPECT_EQ(preview.ZoomStep, 0);
        EXPECT_EQ(preview.pageLabel(), QStringLiteral("pagina: 1 van: 3"));
        for (const auto& page : preview.PageList)
            numbers.push_back(contentOf(*page).texts.back().text);
        return int(QDialog::Rejected);
    };
    TMyPrinter engine;
    engine.SetPreview(true);
    engine.SetHeaderText(3, QStringLiteral("Pagina:"));
    engine.SetPageNumbers(true);
    engine.BeginDocument();
    engine.NewPage();
    engine.NewPage();
    engine.EndDocument();
    EXPECT_EQ(modal.shown, 1);
    EXPECT_EQ(numbers, (std::vector<QString>{"Pagina:1", "Pagina:2", "Pagina:3"}));
    EXPECT_TRUE(printer.jobs.empty());
}

TEST_F(EngineTest, PreviewWindowGoesAlsoWhenShowingFails)
{
    ModalRunnerStub modal;
    QPointer<QDialog> shownWindow;
    modal.answer = [&](QDialog& window) -> int {
        shownWindow = &window;
        throw std::runtime_error("kapot");
    };
    TMyPrinter engine;
    engine.SetPreview(true);
    engine.BeginDocument();
    EXPECT_THROW(engine.EndDocument(), std::runtime_error);
    EXPECT_TRUE(shownWindow.isNull());
}

// A program that set no window for the preview still prints, and refuses a preview in words.
TEST_F(EngineTest, WithoutAPreviewWindowThePrinterPrintsAndAPreviewIsRefused)
{
    ModalRunnerStub modal;
    SetPageViewerFactory({});
    const auto restore = qScopeGuard(RegisterPreviewWindow);
    {
        TMyPrinter engine;
        engine.BeginDocument();
        engine.NewPage();
        engine.EndDocument();
    }
    TMyPrinter engine;
    engine.SetPreview(true);
    engine.BeginDocument();
    engine.NewPage();
    try {
        engine.EndDocument();
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Dit programma kan geen afdrukvoorbeeld tonen");
    }
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].pages.size(), 2u);
    EXPECT_EQ(modal.shown, 0);
}

TEST_F(EngineTest, PrinterOutputNeverShowsThePreview)
{
    ModalRunnerStub modal;
    TMyPrinter engine;
    engine.BeginDocument();
    EXPECT_TRUE(printer.printing());
    engine.EndDocument();
    EXPECT_FALSE(printer.printing());
    EXPECT_EQ(modal.shown, 0);
}

} // namespace
