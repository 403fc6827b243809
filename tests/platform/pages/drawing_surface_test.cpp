#include "platform/pages/bitmap.h"
#include "platform/pages/page_image.h"
#include "platform/pages/recording_surface.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

using platform::PageImage;
using platform::SurfaceFont;

QImage referenceAt(int pixelsPerInch)
{
    QImage reference(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(pixelsPerInch / 0.0254);
    reference.setDotsPerMeterX(dotsPerMeter);
    reference.setDotsPerMeterY(dotsPerMeter);
    return reference;
}

SurfaceFont arial(double points, bool bold = false)
{
    SurfaceFont font;
    font.name = QStringLiteral("Arial");
    font.pointSize = points;
    font.bold = bold;
    return font;
}

// The bounding box of everything that is not white.
QRect inkOf(const QImage& image)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != Qt::white)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

TEST(SurfaceFont, CopyingKeepsTheOwnPixelsPerInchAndSoThePhysicalSize)
{
    SurfaceFont printerFont = arial(10);
    printerFont.pixelsPerInch = 600;
    SurfaceFont screenFont = arial(8, true);
    screenFont.color = Qt::red;
    printerFont.assign(screenFont);
    EXPECT_EQ(printerFont.pixelsPerInch, 600);
    EXPECT_EQ(printerFont.pointSize, 8);
    EXPECT_TRUE(printerFont.bold);
    EXPECT_EQ(printerFont.color, QColor(Qt::red));
    EXPECT_DOUBLE_EQ(printerFont.emPixels(), 8 * 600 / 72.0);
}

TEST(RecordingSurface, RecordsStateOnlyWhenItChangesAndTextAtItsBaseline)
{
    QImage reference = referenceAt(600);
    PageImage page(QSize(4795, 6803), QSizeF(203, 288), 600, 600);
    platform::RecordingSurface surface(page, reference);
    EXPECT_EQ(surface.font().pixelsPerInch, 600);

    surface.setFont(arial(10));
    surface.textOut(100, 200, QStringLiteral("62,50"));
    surface.textOut(100, 300, QStringLiteral("125,00"));
    surface.line(0, 10, 500, 10);
    surface.line(0, 20, 500, 20);
    surface.setPen({7, Qt::black});
    surface.line(0, 30, 500, 30);

    const auto& operations = page.operations();
    ASSERT_EQ(operations.size(), 8u);
    const auto* font = std::get_if<PageImage::SelectFont>(&operations[0]);
    ASSERT_NE(font, nullptr);
    EXPECT_DOUBLE_EQ(font->emPixels, 10 * 600 / 72.0);
    const auto* text = std::get_if<PageImage::Text>(&operations[1]);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->topLeft, QPoint(100, 200));
    EXPECT_GT(text->baseline, 200);
    EXPECT_LT(text->baseline, 200 + surface.textHeight(QStringLiteral("yX")));
    EXPECT_TRUE(std::holds_alternative<PageImage::Text>(operations[2]));
    EXPECT_TRUE(std::holds_alternative<PageImage::SelectPen>(operations[3]));
    EXPECT_TRUE(std::holds_alternative<PageImage::Line>(operations[4]));
    EXPECT_TRUE(std::holds_alternative<PageImage::Line>(operations[5]));
    EXPECT_EQ(std::get<PageImage::SelectPen>(operations[6]).pen.width, 7);
    EXPECT_EQ(std::get<PageImage::Line>(operations[7]).from, QPoint(0, 30));
}

TEST(RecordingSurface, TextOnASolidBrushGetsItsBackgroundAsAFilledBox)
{
    QImage reference = referenceAt(600);
    PageImage page(QSize(1000, 1000), QSizeF(42, 42), 600, 600);
    platform::RecordingSurface surface(page, reference);
    surface.setBrush({QColor(230, 230, 230), true});
    surface.textOut(10, 20, QStringLiteral("Laag"));

    QRect box;
    for (const auto& operation : page.operations())
        if (const auto* rectangle = std::get_if<PageImage::Rectangle>(&operation))
            box = rectangle->area;
    EXPECT_EQ(box, QRect(10, 20, surface.textWidth(QStringLiteral("Laag")),
                         surface.textHeight(QStringLiteral("Laag"))));
}

TEST(RecordingSurface, MeasuresLikeThePrinterItRecordsFor)
{
    QImage reference = referenceAt(600);
    PageImage page(QSize(1000, 1000), QSizeF(42, 42), 600, 600);
    platform::RecordingSurface recording(page, reference);
    platform::PainterSurface printer(reference, 600);
    for (double points : {8.0, 9.0, 10.0, 20.0}) {
        recording.setFont(arial(points));
        printer.setFont(arial(points));
        EXPECT_EQ(recording.textWidth(QStringLiteral("1.062,50")),
                  printer.textWidth(QStringLiteral("1.062,50")));
        EXPECT_EQ(recording.textHeight(QStringLiteral("yX")),
                  printer.textHeight(QStringLiteral("yX")));
    }
    // At 600 pixels per inch a 10-point em is 83 pixels: the text height lies just above it.
    recording.setFont(arial(10));
    EXPECT_GT(recording.textHeight(QStringLiteral("yX")), 83);
    EXPECT_LT(recording.textHeight(QStringLiteral("yX")), 110);
}

TEST(PageImage, PlaysBackStretchedWhereItWasDrawn)
{
    QImage reference = referenceAt(600);
    PageImage page(QSize(6000, 3000), QSizeF(254, 127), 600, 600);
    platform::RecordingSurface surface(page, reference);
    surface.setBrush({Qt::black, true});
    surface.setPen({1, Qt::black});
    surface.rectangle(3000, 1500, 4200, 2100);

    platform::Bitmap bitmap(600, 300);
    bitmap.canvas().stretchPicture(QRect(0, 0, 600, 300), page);
    const QRect ink = inkOf(bitmap.image());
    EXPECT_NEAR(ink.left(), 300, 1);
    EXPECT_NEAR(ink.top(), 150, 1);
    EXPECT_NEAR(ink.right(), 420, 1);
    EXPECT_NEAR(ink.bottom(), 210, 1);
}

TEST(PageImage, TextPlaysBackAtTheSizeItWasMeasured)
{
    QImage reference = referenceAt(600);
    PageImage page(QSize(4000, 1000), QSizeF(169, 42), 600, 600);
    platform::RecordingSurface surface(page, reference);
    surface.setFont(arial(20));
    const QString text = QStringLiteral("HHHHHHHH");
    surface.textOut(500, 200, text);
    const int width = surface.textWidth(text);

    // Played back at a tenth, into a bitmap of the printer's resolution.
    platform::Bitmap bitmap(400, 100, 600);
    bitmap.canvas().stretchPicture(QRect(0, 0, 400, 100), page);
    const QRect ink = inkOf(bitmap.image());
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.left(), 50, 3);
    EXPECT_NEAR(ink.width(), width / 10.0, width / 10.0 * 0.1);
    EXPECT_GT(ink.top(), 20);
}

struct OneColourBoxCase {
    QSize page;
    QSize target;
    QRect area;
    QRect expectedPixels;
};

// Scaled down, a box outlined in its own filling's colour covers the device pixels from the one
// holding the outline's top-left corner to the one holding its bottom-right, all of them and
// nothing else: no blank corner or edge pixels, however the outline falls between pixels.
TEST(PageImage, AOneColourBoxScaledDownCoversWholeDevicePixels)
{
    const QColor silver(192, 192, 192);
    const OneColourBoxCase cases[] = {
        // Outline (101,203)-(800,239) at 0.417: (42.1,84.7)-(333.6,99.7).
        {{1000, 1000},
         {417, 417},
         QRect(101, 203, 700, 37),
         QRect(QPoint(42, 84), QPoint(333, 99))},
        // Thinner than a device pixel, (56.8,76.6)-(239.2,76.8): one row.
        {{2000, 1000}, {400, 200}, QRect(284, 383, 913, 2), QRect(QPoint(56, 76), QPoint(239, 76))},
        // Corners exactly on pixel edges: (50,50)-(150,70).
        {{1000, 1000},
         {500, 500},
         QRect(100, 100, 201, 41),
         QRect(QPoint(50, 50), QPoint(150, 70))},
        // One printer pixel: still one device pixel.
        {{1000, 1000}, {300, 300}, QRect(555, 556, 1, 1), QRect(166, 166, 1, 1)},
    };
    for (const OneColourBoxCase& example : cases) {
        SCOPED_TRACE(testing::Message()
                     << "area " << example.area.x() << "," << example.area.y() << " "
                     << example.area.width() << "x" << example.area.height());
        PageImage page(example.page, QSizeF(100, 100), 600, 600);
        page.append(PageImage::SelectPen{{1, silver}});
        page.append(PageImage::SelectBrush{{silver, true}});
        page.append(PageImage::Rectangle{example.area});

        QImage image(example.target, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            page.play(painter, QRectF(QPointF(0, 0), example.target));
        }
        int inked = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor colour = image.pixelColor(x, y);
                if (example.expectedPixels.contains(x, y)) {
                    EXPECT_EQ(colour, silver) << "pixel " << x << "," << y;
                }
                inked += colour != QColor(Qt::white);
            }
        }
        EXPECT_EQ(inked, example.expectedPixels.width() * example.expectedPixels.height());
    }
}

TEST(PageImage, AnOutlineInAnotherColourStaysVisibleWhenScaledDown)
{
    PageImage page(QSize(1000, 1000), QSizeF(100, 100), 600, 600);
    page.append(PageImage::SelectPen{{1, Qt::black}});
    page.append(PageImage::SelectBrush{{QColor(192, 192, 192), true}});
    page.append(PageImage::Rectangle{QRect(100, 100, 601, 201)});

    QImage image(500, 500, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        page.play(painter, QRectF(0, 0, 500, 500));
    }
    // Outline (100,100)-(700,300) at a half: the box from (50,50) to (350,150).
    EXPECT_EQ(image.pixelColor(200, 50), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(50, 100), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(200, 100), QColor(192, 192, 192));
    EXPECT_EQ(inkOf(image), QRect(QPoint(50, 50), QPoint(350, 150)));
}

TEST(Bitmap, StartsWhiteAtTheGivenSize)
{
    platform::Bitmap bitmap(37, 21);
    EXPECT_EQ(bitmap.image().size(), QSize(37, 21));
    EXPECT_TRUE(inkOf(bitmap.image()).isEmpty());
    bitmap.canvas().setBrush({Qt::black, true});
    bitmap.canvas().rectangle(5, 5, 10, 10);
    EXPECT_EQ(inkOf(bitmap.image()), QRect(5, 5, 5, 5));
}

} // namespace
