#include "platform/page_image.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPointF>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <vector>

namespace {

using platform::PageImage;
using platform::SurfaceBrush;
using platform::SurfacePen;

// An A4 page less the printer's unprintable border, at 600 dpi.
const QSize kPagePixels(4786, 6803);
const QSizeF kPageMillimetres(203, 288);
constexpr int kResolution = 600;

PageImage MakePage()
{
    return PageImage(kPagePixels, kPageMillimetres, kResolution, kResolution);
}

double EmPixels(double points)
{
    return points * kResolution / 72.0;
}

// A rectangle as a drawing surface records rectangle(left, top, right, bottom): right and
// bottom are exclusive, so they are the rectangle's width and height away from left and top.
QRect Area(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

enum Style { Plain = 0, Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

PageImage::SelectFont Font(const QString& name, double points, int styles = Plain,
                           const QColor& color = Qt::black)
{
    PageImage::SelectFont font;
    font.name = name;
    font.emPixels = EmPixels(points);
    font.bold = styles & Bold;
    font.italic = styles & Italic;
    font.underline = styles & Underline;
    font.strikeOut = styles & StrikeOut;
    font.color = color;
    return font;
}

// ---- The file itself, record by record -------------------------------------------------------

enum RecordType : quint32 {
    Header = 1,
    EndOfFile = 14,
    SetTextAlign = 22,
    MoveToEx = 27,
    SelectObject = 37,
    CreatePen = 38,
    CreateBrushIndirect = 39,
    DeleteObject = 40,
    RectangleRecord = 43,
    LineTo = 54,
    ExtCreateFontIndirectW = 82,
    ExtTextOutW = 84,
};

// Little-endian fields. Outside the bytes (a broken file) they read as zero, so that a broken
// file fails the assertions instead of crashing the test.
quint32 U32(const QByteArray& bytes, qsizetype offset)
{
    if (offset < 0 || offset + 4 > bytes.size())
        return 0;
    quint32 value = 0;
    for (qsizetype i = 3; i >= 0; --i)
        value = (value << 8) | quint8(bytes[offset + i]);
    return value;
}

qint32 I32(const QByteArray& bytes, qsizetype offset)
{
    return qint32(U32(bytes, offset));
}

QString Utf16(const QByteArray& bytes, qsizetype offset, qsizetype count)
{
    QString text;
    for (qsizetype i = 0; i < count && offset + 2 * i + 2 <= bytes.size(); ++i)
        text.append(QChar(
            char16_t(quint8(bytes[offset + 2 * i]) | (quint8(bytes[offset + 2 * i + 1]) << 8))));
    return text;
}

struct Record {
    quint32 type = 0;
    QByteArray bytes;
};

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Splits the file the way every reader walks it: by each record's own size, up to EOF.
void SplitRecords(const QByteArray& file, std::vector<Record>& records)
{
    qsizetype offset = 0;
    while (offset < file.size()) {
        ASSERT_LE(offset + 8, file.size()) << "record header cut off at " << offset;
        const quint32 size = U32(file, offset + 4);
        ASSERT_GE(size, 8u) << "at " << offset;
        ASSERT_EQ(size % 4, 0u) << "records are whole 32-bit words, at " << offset;
        ASSERT_LE(offset + qsizetype(size), file.size()) << "record cut off at " << offset;
        records.push_back({U32(file, offset), file.mid(offset, size)});
        offset += size;
        if (records.back().type == EndOfFile)
            break;
    }
    ASSERT_FALSE(records.empty());
    ASSERT_EQ(records.back().type, quint32(EndOfFile));
    ASSERT_EQ(offset, file.size()) << "bytes after the EOF record";
}

struct TextRecord {
    QPoint reference;
    QString text;
    std::vector<qint32> advances;
};

TextRecord DecodeText(const Record& record)
{
    const QByteArray& r = record.bytes;
    TextRecord text;
    text.reference = QPoint(I32(r, 36), I32(r, 40));
    const quint32 count = U32(r, 44);
    const quint32 stringOffset = U32(r, 48);
    const quint32 options = U32(r, 52);
    const qsizetype dxField = (options & 0x100) ? 56 : 72; // no clipping rectangle: no field
    const quint32 dxOffset = U32(r, dxField);
    if (stringOffset + 2 * count > quint32(r.size()) || dxOffset + 4 * count > quint32(r.size()))
        return text;
    text.text = Utf16(r, stringOffset, count);
    for (quint32 i = 0; i < count; ++i)
        text.advances.push_back(I32(r, dxOffset + 4 * i));
    return text;
}

// Replays object creation, selection and deletion as a reader's handle table sees them: every
// select and delete must name a live object, a selected object is never deleted, and the table
// stays small because replaced objects are deleted.
void CheckObjectTable(const std::vector<Record>& records, int& peakLive)
{
    enum Kind { Font, Pen, Brush };
    const quint32 tableSize = U32(records.front().bytes, 56) & 0xFFFF;
    std::map<quint32, Kind> live;
    std::map<Kind, quint32> selected;
    peakLive = 0;
    for (const Record& record : records) {
        const quint32 handle = record.bytes.size() >= 12 ? U32(record.bytes, 8) : 0;
        if (record.type == CreatePen || record.type == CreateBrushIndirect ||
            record.type == ExtCreateFontIndirectW) {
            ASSERT_GE(handle, 1u);
            ASSERT_LT(handle, tableSize) << "the header's handle count is too small";
            ASSERT_EQ(live.count(handle), 0u) << "handle " << handle << " created twice";
            live[handle] = record.type == CreatePen             ? Pen
                           : record.type == CreateBrushIndirect ? Brush
                                                                : Font;
            peakLive = std::max(peakLive, int(live.size()));
        } else if (record.type == SelectObject) {
            if (handle & 0x80000000u) {
                const quint32 stock = handle & 0x7FFFFFFFu;
                selected[stock <= 5 ? Brush : stock <= 8 ? Pen : Font] = handle;
            } else {
                ASSERT_EQ(live.count(handle), 1u) << "selects a dead handle " << handle;
                selected[live[handle]] = handle;
            }
        } else if (record.type == DeleteObject) {
            ASSERT_EQ(live.count(handle), 1u) << "deletes a dead handle " << handle;
            ASSERT_NE(selected[live[handle]], handle) << "deletes the selected " << handle;
            live.erase(handle);
        }
    }
}

// ---- What a reader makes of it: emf2svg-conv's SVG --------------------------------------------

struct SvgText {
    QString text;
    QPointF at; // the baseline start, in page pixels
    QString family;
    double size = 0; // page pixels
    QString weight;
    QString style;
    QString decoration;
    QString fill;
};

struct SvgLine {
    QPointF from;
    QPointF to;
    QString stroke;
    double width = 0; // page pixels
};

struct SvgRect {
    QRectF area; // page pixels
    QString fill;
    QString stroke;
    double strokeWidth = 0;
};

struct SvgPage {
    double scaleX = 0;
    double scaleY = 0;
    std::vector<SvgText> texts;
    std::vector<SvgLine> lines;
    std::vector<SvgRect> rects;
};

double Number(const QXmlStreamAttributes& attributes, const char* name)
{
    return attributes.value(QLatin1String(name)).toDouble();
}

QString Text(const QXmlStreamAttributes& attributes, const char* name)
{
    return attributes.value(QLatin1String(name)).toString();
}

// Converts the file with emf2svg-conv and reads back its texts, lines and rectangles in page
// pixels. The converter may scale the page; the scale is taken from the SVG's size.
void ReadBack(const QString& emfPath, SvgPage& page)
{
    const QString converter = QStandardPaths::findExecutable(QStringLiteral("emf2svg-conv"));
    ASSERT_FALSE(converter.isEmpty()) << "emf2svg-conv is missing (Debian package emf2svg)";
    const QString svgPath = emfPath + QStringLiteral(".svg");
    QProcess process;
    process.start(converter, {QStringLiteral("-i"), emfPath, QStringLiteral("-o"), svgPath});
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();

    QFile svg(svgPath);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    std::vector<QPointF> offsets{QPointF()};
    static const QRegularExpression translate(
        QStringLiteral(R"(^\s*translate\(\s*([-\d.]+)\s*,?\s*([-\d.]+)\s*\)\s*$)"));
    static const QRegularExpression pathPoint(
        QStringLiteral(R"(([A-Za-z])\s*([-\d.]+),([-\d.]+))"));
    const auto toPage = [&](QPointF svgPoint) {
        const QPointF p = svgPoint + offsets.back();
        return QPointF(p.x() / page.scaleX, p.y() / page.scaleY);
    };

    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::EndElement && xml.name() == u"g") {
            offsets.pop_back();
            continue;
        }
        if (!xml.isStartElement())
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == u"svg") {
            page.scaleX = Number(a, "width") / kPagePixels.width();
            page.scaleY = Number(a, "height") / kPagePixels.height();
        } else if (xml.name() == u"g") {
            QPointF offset = offsets.back();
            if (a.hasAttribute(QLatin1String("transform"))) {
                const auto match = translate.match(Text(a, "transform"));
                ASSERT_TRUE(match.hasMatch())
                    << "unexpected transform " << Text(a, "transform").toStdString();
                offset += QPointF(match.captured(1).toDouble(), match.captured(2).toDouble());
            }
            offsets.push_back(offset);
        } else if (xml.name() == u"text") {
            SvgText text;
            text.at = toPage(QPointF(Number(a, "x"), Number(a, "y")));
            text.family = Text(a, "font-family");
            text.size = Number(a, "font-size") / page.scaleY;
            text.weight = Text(a, "font-weight");
            text.style = Text(a, "font-style");
            text.decoration = Text(a, "text-decoration");
            text.fill = Text(a, "fill").toUpper();
            text.text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            page.texts.push_back(text);
        } else if (xml.name() == u"path") {
            std::vector<QPointF> points;
            auto it = pathPoint.globalMatch(Text(a, "d"));
            bool moveThenLine = true;
            while (it.hasNext()) {
                const auto match = it.next();
                moveThenLine =
                    moveThenLine && match.captured(1) == QLatin1String(points.empty() ? "M" : "L");
                points.push_back(
                    toPage(QPointF(match.captured(2).toDouble(), match.captured(3).toDouble())));
            }
            if (moveThenLine && points.size() == 2)
                page.lines.push_back({points[0], points[1], Text(a, "stroke").toUpper(),
                                      Number(a, "stroke-width") / page.scaleX});
        } else if (xml.name() == u"rect") {
            const QPointF topLeft = toPage(QPointF(Number(a, "x"), Number(a, "y")));
            const QPointF size(Number(a, "width") / page.scaleX, Number(a, "height") / page.scaleY);
            page.rects.push_back({QRectF(topLeft, QSizeF(size.x(), size.y())),
                                  Text(a, "fill").toUpper(), Text(a, "stroke").toUpper(),
                                  Number(a, "stroke-width") / page.scaleX});
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    ASSERT_GT(page.scaleX, 0);
    ASSERT_GT(page.scaleY, 0);
}

const SvgText* FindText(const SvgPage& page, const QString& text)
{
    for (const SvgText& candidate : page.texts) {
        if (candidate.text == text)
            return &candidate;
    }
    return nullptr;
}

// Readers scale and round; a pixel or two on a 600 dpi page is well below what anyone sees.
constexpr double kPixels = 2.0;

// ---- Fixtures --------------------------------------------------------------------------------

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
    QString pathOf(const QString& name) const { return directory.filePath(name); }

    // Saves the page, checks the file splits into whole records and reads it back.
    void SaveAndReadBack(const PageImage& page, const QString& name, SvgPage& svg,
                         std::vector<Record>* records = nullptr)
    {
        const QString path = pathOf(name);
        ASSERT_TRUE(page.saveToFile(path));
        std::vector<Record> split;
        ASSERT_NO_FATAL_FAILURE(SplitRecords(ReadFile(path), split));
        if (records != nullptr)
            *records = split;
        ASSERT_NO_FATAL_FAILURE(ReadBack(path, svg));
    }

    static inline QGuiApplication* application = nullptr;
    QTemporaryDir directory;
};

// ---- The header ------------------------------------------------------------------------------

TEST_F(EmfFileTest, StartsWithAHeaderThatDescribesThePageAndTheWholeFile)
{
    PageImage page = MakePage();
    page.append(Font(QStringLiteral("Arial"), 10));
    page.append(PageImage::Text{QPoint(300, 300), 370, QStringLiteral("Lagenmaat")});
    page.append(PageImage::Line{QPoint(300, 400), QPoint(2000, 400)});
    const QString path = pathOf(QStringLiteral("page.emf"));
    ASSERT_TRUE(page.saveToFile(path));

    const QByteArray file = ReadFile(path);
    ASSERT_GE(file.size(), 88);
    EXPECT_EQ(U32(file, 0), quint32(Header));
    EXPECT_EQ(file.mid(40, 4), QByteArray(" EMF"));
    EXPECT_EQ(U32(file, 48), quint32(file.size())) << "nBytes";

    // Bounds in device pixels, inclusive; frame in 0.01 mm.
    EXPECT_EQ(I32(file, 8), 0);
    EXPECT_EQ(I32(file, 12), 0);
    EXPECT_EQ(I32(file, 16), 4785);
    EXPECT_EQ(I32(file, 20), 6802);
    EXPECT_EQ(I32(file, 24), 0);
    EXPECT_EQ(I32(file, 28), 0);
    EXPECT_EQ(I32(file, 32), 20300);
    EXPECT_EQ(I32(file, 36), 28800);
    // The reference device: the page in pixels and in millimetres.
    EXPECT_EQ(I32(file, 72), 4786);
    EXPECT_EQ(I32(file, 76), 6803);
    EXPECT_EQ(I32(file, 80), 203);
    EXPECT_EQ(I32(file, 84), 288);

    const quint32 descriptionLength = U32(file, 60);
    const quint32 descriptionOffset = U32(file, 64);
    ASSERT_LE(descriptionOffset + 2 * descriptionLength, quint32(file.size()));
    const QString description = Utf16(file, descriptionOffset, descriptionLength);
    EXPECT_TRUE(description.startsWith(QStringLiteral("Vantorbel") + QChar(0))) << "description";

    std::vector<Record> records;
    ASSERT_NO_FATAL_FAILURE(SplitRecords(file, records));
    EXPECT_EQ(U32(file, 52), quint32(records.size())) << "nRecords";
    int peakLive = 0;
    ASSERT_NO_FATAL_FAILURE(CheckObjectTable(records, peakLive));
}

TEST_F(EmfFileTest, HeaderFollowsThePageSizeAndFrameItIsGiven)
{
    const PageImage page(QSize(1000, 500), QSizeF(84.6, 42.3), 300, 300);
    const QString path = pathOf(QStringLiteral("small.emf"));
    ASSERT_TRUE(page.saveToFile(path));
    const QByteArray file = ReadFile(path);
    ASSERT_GE(file.size(), 88);
    EXPECT_EQ(U32(file, 48), quint32(file.size()));
    EXPECT_EQ(I32(file, 16), 999);
    EXPECT_EQ(I32(file, 20), 499);
    EXPECT_EQ(I32(file, 32), 8460);
    EXPECT_EQ(I32(file, 36), 4230);
    EXPECT_EQ(I32(file, 72), 1000);
    EXPECT_EQ(I32(file, 76), 500);
    EXPECT_EQ(I32(file, 80), 85);
    EXPECT_EQ(I32(file, 84), 42);
    std::vector<Record> records;
    ASSERT_NO_FATAL_FAILURE(SplitRecords(file, records));
}

// ---- Text ------------------------------------------------------------------------------------

TEST_F(EmfFileTest, TextsComeBackAtTheirBaselineInTheirFont)
{
    PageImage page = MakePage();
    page.append(Font(QStringLiteral("Arial"), 10, Bold, QColor(0x10, 0x20, 0x30)));
    page.append(PageImage::Text{QPoint(354, 590), 667, QStringLiteral("1.062,50")});
    page.append(
        Font(QStringLiteral("Times New Roman"), 17, Italic | Underline, QColor(0xC0, 0x00, 0x40)));
    page.append(PageImage::Text{QPoint(1200, 3000), 3131, QStringLiteral("Hoogte é € ë")});
    page.append(Font(QStringLiteral("Courier New"), 8, StrikeOut));
    page.append(PageImage::Text{QPoint(4000, 6500), 6562, QStringLiteral("Laag 12")});

    SvgPage svg;
    ASSERT_NO_FATAL_FAILURE(SaveAndReadBack(page, QStringLiteral("texts.emf"), svg));
    ASSERT_EQ(svg.texts.size(), 3u);

    const SvgText* amount = FindText(svg, QStringLiteral("1.062,50"));
    ASSERT_NE(amount, nullptr);
    EXPECT_NEAR(amount->at.x(), 354, kPixels);
    EXPECT_NEAR(amount->at.y(), 667, kPixels);
    EXPECT_EQ(amount->family, QStringLiteral("Arial"));
    EXPECT_NEAR(amount->size, 83, kPixels); // 10 pt at 600 dpi
    EXPECT_EQ(amount->weight, QStringLiteral("700"));
    EXPECT_NE(amount->style, QStringLiteral("italic"));
    EXPECT_EQ(amount->decoration, QString());
    EXPECT_EQ(amount->fill, QStringLiteral("#102030"));

    const SvgText* accented = FindText(svg, QStringLiteral("Hoogte é € ë"));
    ASSERT_NE(accented, nullptr) << "non-ASCII text must come back unchanged";
    EXPECT_NEAR(accented->at.x(), 1200, kPixels);
    EXPECT_NEAR(accented->at.y(), 3131, kPixels);
    EXPECT_EQ(accented->family, QStringLiteral("Times New Roman"));
    EXPECT_NEAR(accented->size, 142, kPixels); // 17 pt at 600 dpi
    EXPECT_EQ(accented->weight, QStringLiteral("400"));
    EXPECT_EQ(accented->style, QStringLiteral("italic"));
    EXPECT_TRUE(accented->decoration.contains(QStringLiteral("underline")));
    EXPECT_FALSE(accented->decoration.contains(QStringLiteral("line-through")));
    EXPECT_EQ(accented->fill, QStringLiteral("#C00040"));

    const SvgText* low = FindText(svg, QStringLiteral("Laag 12"));
    ASSERT_NE(low, nullptr);
    EXPECT_NEAR(low->at.x(), 4000, kPixels);
    EXPECT_NEAR(low->at.y(), 6562, kPixels);
    EXPECT_EQ(low->family, QStringLiteral("Courier New"));
    EXPECT_NEAR(low->size, 67, kPixels);
    EXPECT_TRUE(low->decoration.contains(QStringLiteral("line-through")));
    EXPECT_FALSE(low->decoration.contains(QStringLiteral("underline")));
    EXPECT_EQ(low->fill, QStringLiteral("#000000"));
}

TEST_F(EmfFileTest, TextRecordsAreAnchoredOnTheBaselineWithTheMeasuredAdvances)
{
    PageImage page = MakePage();
    page.append(Font(QStringLiteral("Arial"), 12));
    page.append(PageImage::Text{QPoint(500, 700), 780, QStringLiteral("1.062,50")});
    page.append(Font(QStringLiteral("Arial"), 12, Bold));
    page.append(PageImage::Text{QPoint(500, 900), 980, QStringLiteral("Koppenmaat é")});

    const QString path = pathOf(QStringLiteral("advances.emf"));
    ASSERT_TRUE(page.saveToFile(path));
    std::vector<Record> records;
    ASSERT_NO_FATAL_FAILURE(SplitRecords(ReadFile(path), records));

    bool baselineAligned = false;
    std::vector<TextRecord> texts;
    for (const Record& record : records) {
        if (record.type == SetTextAlign)
            baselineAligned = (U32(record.bytes, 8) & 0x1F) == 0x18; // baseline, left
        if (record.type == ExtTextOutW) {
            EXPECT_TRUE(baselineAligned) << "text drawn before it is anchored on its baseline";
            texts.push_back(DecodeText(record));
        }
    }
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, QStringLiteral("1.062,50"));
    EXPECT_EQ(texts[0].reference, QPoint(500, 780));
    EXPECT_EQ(texts[1].text, QStringLiteral("Koppenmaat é"));
    EXPECT_EQ(texts[1].reference, QPoint(500, 980));

    // Readers that honour the advances place each character by them, so they must add up to
    // the text's width: measured here on a 96 dpi device at the same pixel size.
    const auto widthOf = [](const QString& text, bool bold) {
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(EmPixels(12) * 72.0 / 96.0);
        font.setBold(bold);
        QImage device(1, 1, QImage::Format_RGB32);
        return QFontMetricsF(font, &device).horizontalAdvance(text);
    };
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const TextRecord& text = texts[i];
        ASSERT_EQ(text.advances.size(), std::size_t(text.text.size()));
        double total = 0;
        for (qint32 advance : text.advances) {
            EXPECT_GT(advance, 0) << text.text.toStdString();
            total += advance;
        }
        const double expected = widthOf(text.text, i == 1);
        EXPECT_NEAR(total, expected, 2 + expected * 0.01) << text.text.toStdString();
    }
    // Figures share one width, as a table of heights needs.
    const std::vector<qint32>& figures = texts[0].advances;
    for (int i : {0, 2, 3, 4, 6, 7})
        EXPECT_NEAR(figures[i], figures[0], 1) << "figure " << i;
    EXPECT_LT(figures[1], figures[0]) << "a point is narrower than a figure";
}

TEST_F(EmfFileTest, RecordsCarryTheFontsAndTheGeometryExactly)
{
    PageImage page = MakePage();
    page.append(Font(QStringLiteral("Arial"), 10, Bold | Underline));
    page.append(Font(QStringLiteral("Courier New"), 17, Italic | StrikeOut));
    page.append(PageImage::SelectPen{SurfacePen{7, QColor(0x12, 0x34, 0x56)}});
    page.append(PageImage::Line{QPoint(101, 202), QPoint(3003, 4004)});
    page.append(PageImage::Rectangle{Area(500, 2000, 1500, 2600)});

    const QString path = pathOf(QStringLiteral("exact.emf"));
    ASSERT_TRUE(page.saveToFile(path));
    std::vector<Record> records;
    ASSERT_NO_FATAL_FAILURE(SplitRecords(ReadFile(path), records));

    std::vector<QByteArray> fonts;
    std::vector<QByteArray> pens;
    std::vector<QPoint> points;
    std::vector<std::array<qint32, 4>> boxes; // left, top, right, bottom
    for (const Record& record : records) {
        const QByteArray& r = record.bytes;
        if (record.type == ExtCreateFontIndirectW)
            fonts.push_back(r);
        else if (record.type == CreatePen)
            pens.push_back(r);
        else if (record.type == MoveToEx || record.type == LineTo)
            points.push_back(QPoint(I32(r, 8), I32(r, 12)));
        else if (record.type == RectangleRecord)
            boxes.push_back({I32(r, 8), I32(r, 12), I32(r, 16), I32(r, 20)});
    }

    // A negative height is the em (character height), not the cell, for every reader.
    ASSERT_EQ(fonts.size(), 2u);
    const auto face = [](const QByteArray& r) {
        const QString field = Utf16(r, 40, 32); // a fixed field, padded with zeros
        return field.left(field.indexOf(QChar(0)));
    };
    EXPECT_EQ(I32(fonts[0], 12), -83);
    EXPECT_EQ(I32(fonts[0], 28), 700);
    EXPECT_EQ(fonts[0].mid(32, 3), QByteArray("\0\1\0", 3)) << "italic, underline, strike-out";
    EXPECT_EQ(face(fonts[0]), QStringLiteral("Arial"));
    EXPECT_EQ(I32(fonts[1], 12), -142);
    EXPECT_EQ(I32(fonts[1], 28), 400);
    EXPECT_EQ(fonts[1].mid(32, 3), QByteArray("\1\0\1", 3)) << "italic, underline, strike-out";
    EXPECT_EQ(face(fonts[1]), QStringLiteral("Courier New"));

    ASSERT_EQ(pens.size(), 1u);
    EXPECT_EQ(I32(pens[0], 16), 7) << "pen width";
    EXPECT_EQ(pens[0].mid(24, 3), QByteArray("\x12\x34\x56", 3)) << "pen colour";

    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0], QPoint(101, 202));
    EXPECT_EQ(points[1], QPoint(3003, 4004));
    ASSERT_EQ(boxes.size(), 1u);
    // Right and bottom stay exclusive, as the record's readers take them.
    EXPECT_EQ(boxes[0], (std::array<qint32, 4>{500, 2000, 1500, 2600}));
}

// ---- Lines and rectangles --------------------------------------------------------------------

TEST_F(EmfFileTest, LinesComeBackWithTheirEndsWidthAndColour)
{
    PageImage page = MakePage();
    page.append(PageImage::SelectPen{SurfacePen{5, QColor(0xC8, 0x00, 0x00)}});
    page.append(PageImage::Line{QPoint(100, 1000), QPoint(4000, 1000)});
    page.append(PageImage::SelectPen{SurfacePen{1, QColor(0x00, 0x00, 0x00)}});
    page.append(PageImage::Line{QPoint(2000, 200), QPoint(2000, 6600)});
    page.append(PageImage::SelectPen{SurfacePen{12, QColor(0x00, 0x80, 0x40)}});
    page.append(PageImage::Line{QPoint(300, 5000), QPoint(4500, 6000)});

    SvgPage svg;
    ASSERT_NO_FATAL_FAILURE(SaveAndReadBack(page, QStringLiteral("lines.emf"), svg));
    ASSERT_EQ(svg.lines.size(), 3u);

    struct Expected {
        QPointF from;
        QPointF to;
        double width;
        QString stroke;
    };
    const std::vector<Expected> expected{
        {QPointF(100, 1000), QPointF(4000, 1000), 5, QStringLiteral("#C80000")},
        {QPointF(2000, 200), QPointF(2000, 6600), 1, QStringLiteral("#000000")},
        {QPointF(300, 5000), QPointF(4500, 6000), 12, QStringLiteral("#008040")},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const SvgLine& line = svg.lines[i];
        EXPECT_NEAR(line.from.x(), expected[i].from.x(), kPixels) << "line " << i;
        EXPECT_NEAR(line.from.y(), expected[i].from.y(), kPixels) << "line " << i;
        EXPECT_NEAR(line.to.x(), expected[i].to.x(), kPixels) << "line " << i;
        EXPECT_NEAR(line.to.y(), expected[i].to.y(), kPixels) << "line " << i;
        EXPECT_NEAR(line.width, expected[i].width, 0.5) << "line " << i;
        EXPECT_EQ(line.stroke, expected[i].stroke) << "line " << i;
    }
}

TEST_F(EmfFileTest, RectanglesComeBackFilledWithASolidBrushAndHollowWithAClearOne)
{
    PageImage page = MakePage();
    page.append(PageImage::SelectPen{SurfacePen{3, QColor(0x20, 0x20, 0x20)}});
    page.append(PageImage::SelectBrush{SurfaceBrush{QColor(0xE0, 0xE8, 0xF0), true}});
    page.append(PageImage::Rectangle{Area(500, 2000, 1500, 2600)});
    page.append(PageImage::SelectBrush{SurfaceBrush{QColor(0xFF, 0xFF, 0x00), true}});
    page.append(PageImage::Rectangle{Area(100, 100, 4700, 300)});
    page.append(PageImage::SelectBrush{SurfaceBrush{QColor(0xFF, 0xFF, 0x00), false}});
    page.append(PageImage::Rectangle{Area(1600, 2000, 2500, 2600)});

    SvgPage svg;
    ASSERT_NO_FATAL_FAILURE(SaveAndReadBack(page, QStringLiteral("rects.emf"), svg));
    ASSERT_EQ(svg.rects.size(), 3u);

    const std::vector<QRectF> areas{QRectF(500, 2000, 1000, 600), QRectF(100, 100, 4600, 200),
                                    QRectF(1600, 2000, 900, 600)};
    const std::vector<QString> fills{QStringLiteral("#E0E8F0"), QStringLiteral("#FFFF00"),
                                     QStringLiteral("NONE")};
    for (std::size_t i = 0; i < areas.size(); ++i) {
        const SvgRect& rect = svg.rects[i];
        EXPECT_NEAR(rect.area.left(), areas[i].left(), kPixels) << "rectangle " << i;
        EXPECT_NEAR(rect.area.top(), areas[i].top(), kPixels) << "rectangle " << i;
        EXPECT_NEAR(rect.area.width(), areas[i].width(), kPixels) << "rectangle " << i;
        EXPECT_NEAR(rect.area.height(), areas[i].height(), kPixels) << "rectangle " << i;
        EXPECT_EQ(rect.fill, fills[i]) << "rectangle " << i;
        EXPECT_EQ(rect.stroke, QStringLiteral("#202020")) << "rectangle " << i;
        EXPECT_NEAR(rect.strokeWidth, 3, 0.5) << "rectangle " << i;
    }
}

TEST_F(EmfFileTest, RectanglesDrawnBeforeAnyBrushIsChosenAreHollow)
{
    // A drawing surface starts with a clear brush; the metafile must not fill with its own
    // default (white) over what is already on the page.
    PageImage page = MakePage();
    page.append(PageImage::Rectangle{Area(500, 500, 900, 900)});

    SvgPage svg;
    ASSERT_NO_FATAL_FAILURE(SaveAndReadBack(page, QStringLiteral("default.emf"), svg));
    ASSERT_EQ(svg.rects.size(), 1u);
    EXPECT_EQ(svg.rects[0].fill, QStringLiteral("NONE"));
}

// ---- Objects switched back and forth ---------------------------------------------------------

TEST_F(EmfFileTest, FontsPensAndBrushesSwitchedBackAndForthStayRight)
{
    const PageImage::SelectFont heading =
        Font(QStringLiteral("Arial"), 14, Bold, QColor(0xAA, 0x00, 0x00));
    const PageImage::SelectFont cell =
        Font(QStringLiteral("Courier New"), 9, Italic, QColor(0x00, 0x00, 0xAA));
    const SurfacePen thin{2, QColor(0x00, 0xAA, 0x00)};
    const SurfacePen thick{9, QColor(0xAA, 0x00, 0xAA)};
    const SurfaceBrush band{QColor(0xDD, 0xDD, 0xDD), true};
    const SurfaceBrush clear{QColor(0xDD, 0xDD, 0xDD), false};
    constexpr int rows = 25;

    PageImage page = MakePage();
    for (int row = 0; row < rows; ++row) {
        const int y = 200 + row * 250;
        page.append(heading);
        page.append(PageImage::Text{QPoint(200, y), y + 100, QStringLiteral("K%1").arg(row)});
        page.append(PageImage::SelectPen{thin});
        page.append(PageImage::Line{QPoint(200, y + 150), QPoint(2000, y + 150)});
        page.append(PageImage::SelectBrush{row % 2 ? band : clear});
        page.append(PageImage::Rectangle{Area(2200, y, 2600, y + 100)});
        page.append(cell);
        page.append(PageImage::Text{QPoint(2800, y), y + 60, QStringLiteral("c%1").arg(row)});
        page.append(PageImage::SelectPen{thick});
        page.append(PageImage::Line{QPoint(2800, y + 150), QPoint(4500, y + 150)});
    }

    SvgPage svg;
    std::vector<Record> records;
    ASSERT_NO_FATAL_FAILURE(SaveAndReadBack(page, QStringLiteral("switch.emf"), svg, &records));

    int peakLive = 0;
    ASSERT_NO_FATAL_FAILURE(CheckObjectTable(records, peakLive));
    EXPECT_LE(peakLive, 4) << "replaced objects are deleted";
    EXPECT_LE(U32(records.front().bytes, 56) & 0xFFFF, 5u) << "the header's handle count";

    ASSERT_EQ(svg.texts.size(), std::size_t(2 * rows));
    ASSERT_EQ(svg.lines.size(), std::size_t(2 * rows));
    ASSERT_EQ(svg.rects.size(), std::size_t(rows));
    for (int row = 0; row < rows; ++row) {
        const int y = 200 + row * 250;
        const SvgText* headingText = FindText(svg, QStringLiteral("K%1").arg(row));
        ASSERT_NE(headingText, nullptr) << row;
        EXPECT_EQ(headingText->family, QStringLiteral("Arial")) << row;
        EXPECT_EQ(headingText->weight, QStringLiteral("700")) << row;
        EXPECT_NEAR(headingText->size, 117, kPixels) << row;
        EXPECT_EQ(headingText->fill, QStringLiteral("#AA0000")) << row;
        EXPECT_NEAR(headingText->at.y(), y + 100, kPixels) << row;

        const SvgText* cellText = FindText(svg, QStringLiteral("c%1").arg(row));
        ASSERT_NE(cellText, nullptr) << row;
        EXPECT_EQ(cellText->family, QStringLiteral("Courier New")) << row;
        EXPECT_EQ(cellText->weight, QStringLiteral("400")) << row;
        EXPECT_EQ(cellText->style, QStringLiteral("italic")) << row;
        EXPECT_NEAR(cellText->size, 75, kPixels) << row;
        EXPECT_EQ(cellText->fill, QStringLiteral("#0000AA")) << row;
        EXPECT_NEAR(cellText->at.x(), 2800, kPixels) << row;

        const SvgLine& thinLine = svg.lines[std::size_t(2 * row)];
        EXPECT_NEAR(thinLine.width, 2, 0.5) << row;
        EXPECT_EQ(thinLine.stroke, QStringLiteral("#00AA00")) << row;
        EXPECT_NEAR(thinLine.from.x(), 200, kPixels) << row;
        const SvgLine& thickLine = svg.lines[std::size_t(2 * row + 1)];
        EXPECT_NEAR(thickLine.width, 9, 0.5) << row;
        EXPECT_EQ(thickLine.stroke, QStringLiteral("#AA00AA")) << row;
        EXPECT_NEAR(thickLine.from.x(), 2800, kPixels) << row;

        const SvgRect& rect = svg.rects[std::size_t(row)];
        EXPECT_EQ(rect.fill, row % 2 ? QStringLiteral("#DDDDDD") : QStringLiteral("NONE")) << row;
        EXPECT_EQ(rect.stroke, QStringLiteral("#00AA00")) << row;
        EXPECT_NEAR(rect.area.top(), y, kPixels) << row;
    }
}

// ---- Failures --------------------------------------------------------------------------------

TEST_F(EmfFileTest, SavingIntoAFolderThatDoesNotExistFailsAndCreatesNothing)
{
    PageImage page = MakePage();
    page.append(PageImage::Line{QPoint(0, 0), QPoint(100, 100)});
    const QString missing = pathOf(QStringLiteral("missing"));
    EXPECT_FALSE(page.saveToFile(missing + QStringLiteral("/page.emf")));
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST_F(EmfFileTest, SavingOntoAFolderFailsAndLeavesTheFolder)
{
    const QString path = pathOf(QStringLiteral("folder.emf"));
    ASSERT_TRUE(QDir().mkpath(path));
    PageImage page = MakePage();
    page.append(PageImage::Line{QPoint(0, 0), QPoint(100, 100)});
    EXPECT_FALSE(page.saveToFile(path));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(EmfFileTest, SavingAgainReplacesTheWholeFile)
{
    const QString path = pathOf(QStringLiteral("again.emf"));
    PageImage large = MakePage();
    large.append(Font(QStringLiteral("Arial"), 10));
    for (int row = 0; row < 200; ++row)
        large.append(PageImage::Text{QPoint(100, 30 * row), 30 * row + 20, QStringLiteral("rij")});
    ASSERT_TRUE(large.saveToFile(path));
    const qint64 largeSize = QFileInfo(path).size();

    PageImage small = MakePage();
    small.append(PageImage::Line{QPoint(0, 0), QPoint(100, 100)});
    ASSERT_TRUE(small.saveToFile(path));
    const QByteArray file = ReadFile(path);
    EXPECT_LT(file.size(), largeSize);
    ASSERT_GE(file.size(), 88);
    EXPECT_EQ(U32(file, 48), quint32(file.size()));
    std::vector<Record> records;
    ASSERT_NO_FATAL_FAILURE(SplitRecords(file, records));
}

// ---- Without an application ------------------------------------------------------------------

class EmfFileWithoutApplicationTest : public testing::Test {
protected:
    QTemporaryDir directory;
};

TEST_F(EmfFileWithoutApplicationTest, StillWritesAPageThatReadsBack)
{
    // Text advances are measured with the font database, which only exists with an
    // application; a save from a program without one must not abort.
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    ASSERT_TRUE(directory.isValid());
    PageImage page = MakePage();
    page.append(Font(QStringLiteral("Arial"), 10));
    page.append(PageImage::Text{QPoint(354, 590), 667, QStringLiteral("1.062,50 é")});
    const QString path = directory.filePath(QStringLiteral("plain.emf"));
    ASSERT_TRUE(page.saveToFile(path));

    std::vector<Record> records;
    ASSERT_NO_FATAL_FAILURE(SplitRecords(ReadFile(path), records));
    SvgPage svg;
    ASSERT_NO_FATAL_FAILURE(ReadBack(path, svg));
    const SvgText* text = FindText(svg, QStringLiteral("1.062,50 é"));
    ASSERT_NE(text, nullptr);
    EXPECT_NEAR(text->at.x(), 354, kPixels);
    EXPECT_NEAR(text->at.y(), 667, kPixels);
}

} // namespace
