#include "platform/pages/page_image.h"
#include "platform/files/replacing_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <numeric>
#include <ostream>
#include <string>
#include <vector>

// Found by argument-dependent lookup, so it lives beside QString: failures show the text.
static void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

using platform::PageImage;
using platform::SurfaceBrush;
using platform::SurfacePen;

// An A4 page less the printer's unprintable border, at 600 dpi.
const QSize kPagePixels(4786, 6803);
const QSizeF kPageMillimetres(203, 288);
constexpr int kResolution = 600;
// emf2svg-conv writes the file's own page pixels to four decimals: a position, size or width
// half a pixel off is a wrong number in the file.
constexpr double kPixels = 0.5;

double Points(double points)
{
    return points * kResolution / 72.0;
}

// A rectangle as a drawing surface records it: right and bottom are exclusive.
QRect Area(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

// One row of the test page: a text in its font, a line with its pen, and a rectangle outlined
// with that pen (which stays chosen) and filled with its brush.
struct Row {
    PageImage::SelectFont font;
    QPoint textTopLeft;
    int baseline;
    QString text;
    SurfacePen pen;
    QPoint from, to;
    SurfaceBrush brush;
    QRect area;
};

// clang-format off
const Row kRows[] = {
    // font (name, em, bold, italic, underline, strike-out, colour), text, pen, line, brush, area
    {{"Arial", Points(10), true, false, false, false, QColor(0x10, 0x20, 0x30)},
     {354, 590}, 667, "1.062,50",
     SurfacePen{5, QColor(0xC8, 0x00, 0x00)}, {100, 1000}, {4000, 1000},
     SurfaceBrush{QColor(0xE0, 0xE8, 0xF0), true}, Area(500, 1200, 1500, 1800)},
    {{"Times New Roman", Points(17), false, true, true, false, QColor(0xC0, 0x00, 0x40)},
     {1200, 2000}, 2131, QStringLiteral("Hoogte é € ë"),
     SurfacePen{1, Qt::black}, {2000, 200}, {2000, 3300},
     SurfaceBrush{QColor(0xFF, 0xFF, 0x00), true}, Area(100, 100, 4700, 300)},
    // A clear brush after a solid one outlines only.
    {{"Courier New", Points(8), false, false, false, true, Qt::black},
     {4000, 3200}, 3262, "Laag 12",
     SurfacePen{12, QColor(0x00, 0x80, 0x40)}, {300, 2500}, {4500, 3000},
     SurfaceBrush{QColor(0xFF, 0xFF, 0x00), false}, Area(1600, 1200, 2500, 1800)},
};
// clang-format on
constexpr std::size_t kRowCount = std::size(kRows);
// The rows are drawn twice, the second time lower down, so that every kind of object is
// switched back and forth.
constexpr std::size_t kDrawn = 2 * kRowCount;
constexpr int kSecondRoundShift = 3400;

PageImage TestPage()
{
    PageImage page(kPagePixels, kPageMillimetres, kResolution, kResolution);
    // Before any brush is chosen: a drawing surface starts with a clear brush, a metafile with a
    // white one that would cover what is already on the page.
    page.append(PageImage::Rectangle{Area(20, 20, 60, 60)});
    for (std::size_t k = 0; k < kDrawn; ++k) {
        const Row& row = kRows[k % kRowCount];
        const QPoint down(0, k < kRowCount ? 0 : kSecondRoundShift);
        page.append(row.font);
        page.append(PageImage::Text{row.textTopLeft + down, row.baseline + down.y(), row.text});
        page.append(PageImage::SelectPen{row.pen});
        page.append(PageImage::Line{row.from + down, row.to + down});
        page.append(PageImage::SelectBrush{row.brush});
        page.append(PageImage::Rectangle{row.area.translated(down)});
    }
    return page;
}

// ---- The file itself, record by record -------------------------------------------------------

enum RecordType : quint32 {
    Header = 1,
    EndOfFile = 14,
    SetTextAlign = 22,
    SelectObject = 37,
    CreatePen = 38,
    CreateBrushIndirect = 39,
    DeleteObject = 40,
    ExtCreateFontIndirectW = 82,
    ExtTextOutW = 84,
};

// A little-endian field. Outside the bytes (a broken file) it reads as zero, so that the
// assertions fail instead of the test crashing.
quint32 U32(const QByteArray& bytes, qsizetype offset)
{
    quint32 value = 0;
    for (qsizetype i = 3; i >= 0 && offset >= 0 && offset + 4 <= bytes.size(); --i)
        value = value << 8 | quint8(bytes[offset + i]);
    return value;
}

qint32 I32(const QByteArray& bytes, qsizetype offset)
{
    return qint32(U32(bytes, offset));
}

// The page as an EMF file, as the preview saves it; false when it could not be written.
bool SaveEmf(const PageImage& page, const QString& path)
{
    const QByteArray bytes = page.emfBytes();
    return !bytes.isEmpty() && !platform::ReplaceFile(path, bytes);
}

struct Record {
    quint32 type = 0;
    QByteArray bytes;
};

// Saves the page and splits the file the way every reader walks it: by each record's own size,
// up to the EOF record, which ends the file.
void SaveAndSplit(const PageImage& page, const QString& path, std::vector<Record>& records)
{
    ASSERT_TRUE(SaveEmf(page, path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    qsizetype offset = 0;
    while (offset < bytes.size() && (records.empty() || records.back().type != EndOfFile)) {
        const quint32 size = U32(bytes, offset + 4);
        ASSERT_GE(size, 8u) << "at " << offset;
        ASSERT_EQ(size % 4, 0u) << "records are whole 32-bit words, at " << offset;
        ASSERT_LE(offset + qsizetype(size), bytes.size()) << "record cut off at " << offset;
        records.push_back({U32(bytes, offset), bytes.mid(offset, size)});
        offset += size;
    }
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().type, quint32(EndOfFile));
    EXPECT_EQ(offset, bytes.size()) << "bytes after the EOF record";
    EXPECT_EQ(U32(bytes, 48), quint32(bytes.size())) << "the header's file size";
    EXPECT_EQ(U32(bytes, 52), quint32(records.size())) << "the header's record count";
}

// ---- What a reader makes of it: emf2svg-conv's SVG --------------------------------------------

struct SvgElement {
    QXmlStreamAttributes attributes;
    QString content; // a text's characters

    QString word(const char* name) const // in capitals, as colours and styles are compared
    {
        return attributes.value(QLatin1String(name)).toString().toUpper();
    }
    double number(const char* name) const { return word(name).toDouble(); }
    QPointF point(const char* x, const char* y) const { return QPointF(number(x), number(y)); }
};

const QRegularExpression kPathSeparators(QStringLiteral("[ML ,]+"));

// Converts the file with emf2svg-conv and returns its elements by name, in drawing order.
// The converter draws in the file's own page pixels.
void ReadBack(const QString& emfPath, std::map<QString, std::vector<SvgElement>>& drawn)
{
    const QString converter = QStandardPaths::findExecutable(QStringLiteral("emf2svg-conv"));
    ASSERT_FALSE(converter.isEmpty()) << "emf2svg-conv is missing (Debian package emf2svg)";
    const QString svgPath = emfPath + QStringLiteral(".svg");
    QProcess process;
    process.start(converter, {QStringLiteral("-i"), emfPath, QStringLiteral("-o"), svgPath});
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();

    QFile svg(svgPath);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    for (QXmlStreamReader xml(&svg); !xml.atEnd();) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        SvgElement& element = drawn[xml.name().toString()].emplace_back(xml.attributes());
        if (xml.name() == u"text")
            element.content = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    }
}

QString Colour(const QColor& color)
{
    return color.name().toUpper();
}

void ExpectNear(QPointF actual, QPointF expected, const char* what)
{
    EXPECT_NEAR(actual.x(), expected.x(), kPixels) << what;
    EXPECT_NEAR(actual.y(), expected.y(), kPixels) << what;
}

// ---- Tests -----------------------------------------------------------------------------------

// Measuring text needs a running application (the font database). The suite owns it, so that
// the suite without one really runs without one, also when every test shares one process.
class EmfFileTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "platform_emf_tests";
        static char* argv[] = {name, nullptr};
        application = new QGuiApplication(argc, argv);
    }
    static void TearDownTestSuite()
    {
        delete application;
        application = nullptr;
    }

    void SetUp() override { ASSERT_TRUE(directory.isValid()); }
    QString pathOf(const char* name) const { return directory.filePath(QLatin1String(name)); }

    static inline QGuiApplication* application = nullptr;
    QTemporaryDir directory;
};

TEST_F(EmfFileTest, HeaderDescribesThePageItIsGiven)
{
    using Fields = std::array<qint32, 4>;
    struct Case {
        PageImage page;
        Fields bounds; // device pixels, inclusive
        Fields frame;  // 0.01 mm
        Fields device; // the page in pixels, then in whole millimetres
    };
    const Case cases[] = {
        {TestPage(), {0, 0, 4785, 6802}, {0, 0, 20300, 28800}, {4786, 6803, 203, 288}},
        {PageImage(QSize(1000, 500), QSizeF(84.6, 42.3), 300, 300),
         {0, 0, 999, 499},
         {0, 0, 8460, 4230},
         {1000, 500, 85, 42}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page.width());
        std::vector<Record> records;
        ASSERT_NO_FATAL_FAILURE(SaveAndSplit(c.page, pathOf("header.emf"), records));
        const QByteArray& header = records.front().bytes;
        EXPECT_EQ(records.front().type, quint32(Header));
        EXPECT_EQ(header.mid(40, 4), QByteArray(" EMF"));
        const auto fields = [&header](qsizetype offset) {
            return Fields{I32(header, offset), I32(header, offset + 4), I32(header, offset + 8),
                          I32(header, offset + 12)};
        };
        EXPECT_EQ(fields(8), c.bounds);
        EXPECT_EQ(fields(24), c.frame);
        EXPECT_EQ(fields(72), c.device);
        const QByteArray description = header.mid(U32(header, 64), 2 * U32(header, 60));
        EXPECT_TRUE(description.startsWith(QByteArray("V\0a\0n\0t\0o\0r\0b\0e\0l\0\0\0", 20)))
            << "the application's name in UTF-16, terminated";
    }
}

// A reader's object table stays sound: each select and delete names a live object, the object
// in use is never deleted, and every object fits the table the header announces. Texts are
// anchored on their baseline and carry the advances the layout measured.
TEST_F(EmfFileTest, ObjectsAndTextRecordsHoldForEveryReader)
{
    std::vector<Record> records;
    ASSERT_NO_FATAL_FAILURE(SaveAndSplit(TestPage(), pathOf("records.emf"), records));

    const quint32 tableSize = U32(records.front().bytes, 56) & 0xFFFF;
    std::map<quint32, quint32> live;  // handle -> the type of record that created it
    std::map<quint32, quint32> inUse; // that type -> the handle selected last
    bool baselineAligned = false;
    std::vector<QByteArray> texts;
    for (const auto& [type, r] : records) {
        const quint32 handle = U32(r, 8);
        if (type == ExtCreateFontIndirectW || type == CreatePen || type == CreateBrushIndirect) {
            EXPECT_TRUE(handle >= 1 && handle < tableSize) << "handle " << handle;
            EXPECT_TRUE(live.emplace(handle, type).second)
                << "handle " << handle << " created twice";
        } else if (type == SelectObject && (handle & 0x80000000u)) { // a stock object
            const quint32 stock = handle & 0x7FFFFFFFu;
            inUse[stock <= 5   ? CreateBrushIndirect
                  : stock <= 8 ? CreatePen
                               : ExtCreateFontIndirectW] = handle;
        } else if (type == SelectObject) {
            ASSERT_EQ(live.count(handle), 1u) << "selects a dead handle " << handle;
            inUse[live[handle]] = handle;
        } else if (type == DeleteObject) {
            ASSERT_EQ(live.count(handle), 1u) << "deletes a dead handle " << handle;
            EXPECT_NE(inUse[live[handle]], handle) << "deletes the object in use";
            live.erase(handle);
        } else if (type == SetTextAlign) {
            baselineAligned = (handle & 0x1F) == 0x18; // baseline, left
        } else if (type == ExtTextOutW) {
            EXPECT_TRUE(baselineAligned) << "text drawn before it is anchored on its baseline";
            texts.push_back(r);
        }
    }

    // Readers that honour the advances place each character by them, so they must add up to
    // the text's width: measured here on a 96 dpi device at the same pixel size.
    ASSERT_EQ(texts.size(), kDrawn);
    for (std::size_t k = 0; k < kDrawn; ++k) {
        const Row& row = kRows[k % kRowCount];
        SCOPED_TRACE(row.text.toStdString());
        const QByteArray& text = texts[k];
        const quint32 length = U32(text, 44);
        ASSERT_EQ(length, quint32(row.text.size()));
        const quint32 advancesAt = U32(text, (U32(text, 52) & 0x100) ? 56 : 72);
        std::vector<qint32> advances;
        for (quint32 i = 0; i < length; ++i) {
            advances.push_back(I32(text, advancesAt + 4 * i));
            EXPECT_GT(advances.back(), 0);
        }
        QFont font(row.font.name);
        font.setPointSizeF(row.font.emPixels * 72.0 / 96.0);
        font.setBold(row.font.bold);
        font.setItalic(row.font.italic);
        QImage device(1, 1, QImage::Format_RGB32);
        const double width = QFontMetricsF(font, &device).horizontalAdvance(row.text);
        EXPECT_NEAR(std::accumulate(advances.begin(), advances.end(), 0.0), width, 2 + width / 100);
        if (k == 0) { // "1.062,50": figures share one width, as a table of heights needs
            for (std::size_t i : {2, 3, 4, 6, 7})
                EXPECT_NEAR(advances[i], advances[0], 1) << "figure " << i;
            EXPECT_LT(advances[1], advances[0]) << "a point is narrower than a figure";
        }
    }
}

TEST_F(EmfFileTest, AReaderShowsEveryRowAsDrawn)
{
    const QString path = pathOf("page.emf");
    ASSERT_TRUE(SaveEmf(TestPage(), path));
    std::map<QString, std::vector<SvgElement>> drawn;
    ASSERT_NO_FATAL_FAILURE(ReadBack(path, drawn));

    const auto& texts = drawn[QStringLiteral("text")];
    const auto& lines = drawn[QStringLiteral("path")];
    const auto& rects = drawn[QStringLiteral("rect")];
    ASSERT_EQ(texts.size(), kDrawn);
    ASSERT_EQ(lines.size(), kDrawn);
    ASSERT_EQ(rects.size(), kDrawn + 1);
    EXPECT_EQ(rects[0].word("fill"), QStringLiteral("NONE")) << "drawn before any brush";
    for (std::size_t k = 0; k < kDrawn; ++k) {
        const Row& row = kRows[k % kRowCount];
        const QPointF down(0, k < kRowCount ? 0 : kSecondRoundShift);
        SCOPED_TRACE(row.text.toStdString() + (k < kRowCount ? "" : ", drawn again"));

        const SvgElement& text = texts[k];
        EXPECT_EQ(text.content, row.text);
        ExpectNear(text.point("x", "y"), QPointF(row.textTopLeft.x(), row.baseline) + down,
                   "baseline start");
        EXPECT_EQ(text.word("font-family"), row.font.name.toUpper());
        EXPECT_NEAR(text.number("font-size"), row.font.emPixels, kPixels);
        EXPECT_EQ(text.word("font-weight"), row.font.bold ? u"700" : u"400");
        EXPECT_EQ(text.word("font-style") == u"ITALIC", row.font.italic);
        EXPECT_EQ(text.word("text-decoration").contains(u"UNDERLINE"), row.font.underline);
        EXPECT_EQ(text.word("text-decoration").contains(u"LINE-THROUGH"), row.font.strikeOut);
        EXPECT_EQ(text.word("fill"), Colour(row.font.color));

        // "M x,y L x,y": one straight line.
        const QStringList ends = lines[k].word("d").split(kPathSeparators, Qt::SkipEmptyParts);
        ASSERT_EQ(ends.size(), 4) << lines[k].word("d").toStdString();
        ExpectNear(QPointF(ends[0].toDouble(), ends[1].toDouble()), row.from + down, "line start");
        ExpectNear(QPointF(ends[2].toDouble(), ends[3].toDouble()), row.to + down, "line end");
        EXPECT_EQ(lines[k].word("stroke"), Colour(row.pen.color));
        EXPECT_NEAR(lines[k].number("stroke-width"), row.pen.width, kPixels);

        // Outlined with the line's pen, which stays chosen; right and bottom are exclusive.
        const SvgElement& rect = rects[k + 1];
        ExpectNear(rect.point("x", "y"), QPointF(row.area.topLeft()) + down, "top-left");
        ExpectNear(rect.point("width", "height"), QPointF(row.area.width(), row.area.height()),
                   "size");
        EXPECT_EQ(rect.word("fill"),
                  row.brush.solid ? Colour(row.brush.color) : QStringLiteral("NONE"));
        EXPECT_EQ(rect.word("stroke"), Colour(row.pen.color));
        EXPECT_NEAR(rect.number("stroke-width"), row.pen.width, kPixels);
    }
}

TEST_F(EmfFileTest, AFailedSaveCreatesNothingAndASecondSaveReplacesTheWholeFile)
{
    PageImage page(kPagePixels, kPageMillimetres, kResolution, kResolution);
    page.append(PageImage::Line{QPoint(0, 0), QPoint(100, 100)});
    const QString missing = pathOf("missing");
    EXPECT_FALSE(SaveEmf(page, missing + QStringLiteral("/page.emf")));
    EXPECT_FALSE(QFileInfo::exists(missing));
    const QString folder = pathOf("folder.emf");
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_FALSE(SaveEmf(page, folder));
    EXPECT_TRUE(QFileInfo(folder).isDir());

    const QString path = pathOf("again.emf");
    ASSERT_TRUE(SaveEmf(TestPage(), path));
    const qint64 largeSize = QFileInfo(path).size();
    std::vector<Record> records;
    ASSERT_NO_FATAL_FAILURE(SaveAndSplit(page, path, records)); // nothing left of the first
    EXPECT_LT(QFileInfo(path).size(), largeSize);
}

// Text advances are measured with the font database, which only exists with an application; a
// save from a program without one must not abort.
TEST(EmfFileWithoutApplicationTest, StillWritesAPageThatReadsBack)
{
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    PageImage page(kPagePixels, kPageMillimetres, kResolution, kResolution);
    page.append(PageImage::SelectFont{"Arial", Points(10), false, false, false, false, Qt::black});
    page.append(PageImage::Text{QPoint(354, 590), 667, QStringLiteral("1.062,50 é")});
    const QString path = directory.filePath(QStringLiteral("plain.emf"));
    std::vector<Record> records;
    ASSERT_NO_FATAL_FAILURE(SaveAndSplit(page, path, records));
    std::map<QString, std::vector<SvgElement>> drawn;
    ASSERT_NO_FATAL_FAILURE(ReadBack(path, drawn));
    const auto& texts = drawn[QStringLiteral("text")];
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].content, QStringLiteral("1.062,50 é"));
    ExpectNear(texts[0].point("x", "y"), QPointF(354, 667), "baseline start");
}

} // namespace
