#include "calc/course_table.h"
#include "calc/format_height.h"
#include "print/engine/rounding.h"
#include "print/reports/results_report.h"
#include "print/reports/rod_layout.h"
#include "print/reports/rod_report.h"
#include "print/windows/MyPForm.h"
#include "print/windows/PrintDlg.h"
#include "support/pdf_settings.h"
#include "support/stand_ins.h"
#include "support/test_printer.h"

#include <QAbstractButton>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

namespace {

using platform::PageImage;

QString Shown(double height)
{
    return QString::fromStdString(calc::FormatHeight(height, 2, {",", "."}));
}

// A storey from 0 to `top` in courses of `gauge`, as the calculate command makes it.
RodTable Storey(double gauge = 62.5, double top = 2800)
{
    RodTable table;
    for (const calc::CourseRow& row : calc::BuildCourseTable({gauge, 0, top, 2}))
        table.courses.push_back({row.Height, QString::number(row.Number), Shown(row.Height)});
    table.top = RodTable::Top{top, Shown(top)};
    table.gauge = QStringLiteral("lagenmaat ") +
                  QString::number(gauge).replace(QLatin1Char('.'), QLatin1Char(','));
    table.projectName = QStringLiteral("Schuur");
    table.font = {QStringLiteral("Arial"), 9};
    return table;
}

std::vector<double> Heights(double gauge, double top)
{
    std::vector<double> heights;
    for (const RodTable::Course& course : Storey(gauge, top).courses)
        heights.push_back(course.height);
    return heights;
}

TEST(RodLayout, SheetsShareOneCourseAndEveryLineLiesWithinATenthOfAMillimetre)
{
    const std::vector<double> storey = Heights(62.5, 2800); // courses 0 to 45
    for (const int dpi : {600, 1200}) {
        const double pixelsPerMm = dpi / 25.4000508;
        // 250 mm of rod hold four gauges of 62,5 mm; 180 mm hold two.
        for (const auto& [sheetMm, perSheet, sheetCount] :
             {std::tuple{250.0, 4u, 12u}, std::tuple{180.0, 2u, 23u}}) {
            SCOPED_TRACE(testing::Message() << dpi << " dpi, " << sheetMm << " mm");
            const auto sheets = std::get<std::vector<RodSheet>>(
                LayOutRod(storey, pixelsPerMm, RoundHalfEven(sheetMm * pixelsPerMm)));
            ASSERT_EQ(sheets.size(), sheetCount);
            for (std::size_t s = 0; s < sheets.size(); ++s) {
                EXPECT_EQ(sheets[s].first, s * perSheet);
                EXPECT_EQ(sheets[s].last, std::min<std::size_t>((s + 1) * perSheet, 45));
                for (std::size_t i = 0; i < sheets[s].offsets.size(); ++i) {
                    const double exactMm = storey[sheets[s].first + i] - storey[sheets[s].first];
                    EXPECT_LE(std::abs(sheets[s].offsets[i] / pixelsPerMm - exactMm), 0.1);
                }
            }
            // A label pitch of two steps and a pixel labels every third course.
            EXPECT_EQ(LabelEvery(sheets, 2 * sheets[0].offsets[1] + 1), 3);
        }
    }
    // Rounded once from the exact height, not by adding rounded steps: 1 000 steps of
    // 0,3 mm at 600 dpi would drift by 3 mm.
    const double pixelsPerMm = 600 / 25.4000508;
    const auto fine = std::get<std::vector<RodSheet>>(
        LayOutRod(Heights(0.3, 300), pixelsPerMm, RoundHalfEven(301 * pixelsPerMm)));
    EXPECT_EQ(fine.at(0).offsets.back(), RoundHalfEven(300 * pixelsPerMm));

    const int sheet = RoundHalfEven(250 * pixelsPerMm);
    EXPECT_EQ(std::get<RodProblem>(LayOutRod(Heights(1, 1001), pixelsPerMm, sheet)),
              RodProblem::TooManyCourses);
    EXPECT_EQ(std::get<RodProblem>(LayOutRod(Heights(62.5, 62500), pixelsPerMm, sheet)),
              RodProblem::TooManySheets);
    EXPECT_EQ(std::get<RodProblem>(LayOutRod({0, 300}, pixelsPerMm, sheet)),
              RodProblem::GaugeTooLong);
}

TEST(RodLayout, RequiredLabelsMoveOnAlongTheRodAndOthersGiveWay)
{
    // Portrait, the rod upwards: a mark at the sheet's first course, the first and the last
    // course two pixels apart, a label between them, a top mark just above the first course.
    const RodBox mark{0, 100, 50, 110};
    const RodBox first{60, 100, 90, 110};
    const std::vector<RodLabel> labels{{mark, true, 0, -1},
                                       {first, true, 0, 0},
                                       {{60, 99, 90, 109}, false, 0, 0},
                                       {{60, 98, 90, 108}, true, 0, -1},
                                       {{0, 96, 50, 106}, true, 0, -1},
                                       {{60, 60, 90, 70}, false, 0, 0}};
    const auto places = PlaceLabels(labels, 2);
    ASSERT_EQ(places.size(), labels.size());
    EXPECT_EQ(places[0]->top, 100);
    EXPECT_EQ(places[1]->top, 100);
    EXPECT_FALSE(places[2]);          // between the first and the last: left off
    EXPECT_EQ(places[3]->bottom, 98); // moved up past the first course, 2 pixels clear
    EXPECT_EQ(places[3]->left, 60);
    EXPECT_EQ(places[4]->bottom, 98); // past the mark it crowded
    EXPECT_EQ(places[5]->top, 60);    // with room, kept where it is
}

using Word = std::pair<QRectF, QString>;

// A PDF read back by another program: each page's words with their boxes, in reading order.
std::vector<std::vector<Word>> SheetWords(const QString& pdf)
{
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                       "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"});
    EXPECT_TRUE(pdftotext.waitForFinished(30000));
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    std::vector<std::vector<Word>> sheets;
    for (const QString& sheet : html.split(QStringLiteral("<page "), Qt::SkipEmptyParts).mid(1)) {
        std::vector<Word>& words = sheets.emplace_back();
        for (auto it = word.globalMatch(sheet); it.hasNext();) {
            const auto match = it.next();
            words.push_back(
                {QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                        QPointF(match.captured(3).toDouble(), match.captured(4).toDouble())),
                 match.captured(5)});
        }
    }
    return sheets;
}

void ExpectNoOverprint(const std::vector<Word>& words)
{
    for (std::size_t i = 0; i < words.size(); ++i)
        for (std::size_t j = i + 1; j < words.size(); ++j)
            EXPECT_FALSE(words[i].first.intersects(words[j].first))
                << words[i].second.toStdString() << " / " << words[j].second.toStdString();
}

class RodTest : public testing::Test {
protected:
    RodTest()
    {
        modal.answer = [this](QDialog& window) {
            if (auto* preview = qobject_cast<TPreviewPrintForm1*>(&window)) {
                preview->SaveMetaClick();
                return int(QDialog::Rejected);
            }
            dialog.findChild<QAbstractButton*>(QStringLiteral("BitBtn1"))->click();
            return int(QDialog::Accepted);
        };
    }

    void print(const RodTable& table, const char* orientation = "Staand1")
    {
        printer.jobs.clear();
        dialog.findChild<QRadioButton*>(QLatin1String(orientation))->setChecked(true);
        ASSERT_TRUE(ConfirmPrintDialog(dialog));
        PrintRod(table, dialog);
    }

    // The rod printed to the preview and saved from there as a PDF, read back: each sheet's words.
    std::vector<std::vector<Word>> pdfSheets(const RodTable& table, const char* orientation)
    {
        QTemporaryDir folder;
        FileChooserStub files;
        files.answers = {folder.filePath(QStringLiteral("lat"))};
        files.types = {5};
        dialog.findChild<QRadioButton*>(QStringLiteral("NaarScherm"))->setChecked(true);
        print(table, orientation);
        return SheetWords(folder.filePath(QStringLiteral("lat.pdf")));
    }

    // Each page's texts, and the lengths of its lines.
    struct Page {
        std::multiset<QString> texts;
        std::multiset<int> lines;
    };
    std::vector<Page> pages() const
    {
        std::vector<Page> result;
        for (const auto& image : printer.jobs.at(0).pages) {
            Page& page = result.emplace_back();
            for (const auto& operation : image->operations()) {
                if (const auto* text = std::get_if<PageImage::Text>(&operation))
                    page.texts.insert(text->text);
                if (const auto* line = std::get_if<PageImage::Line>(&operation))
                    page.lines.insert((line->to - line->from).manhattanLength());
            }
        }
        return result;
    }

    MessageBoxRecorder boxes;
    TestPrinter printer;
    ModalRunnerStub modal;
    TPrintDialog1 dialog;
};

TEST_F(RodTest, EverySheetCarriesItsHeaderOverlapAndScaleCheckInBothOrientations)
{
    for (const char* orientation : {"Staand1", "liggend1"}) {
        SCOPED_TRACE(orientation);
        print(Storey(), orientation);
        EXPECT_TRUE(printer.jobs[0].actualSize);
        const std::vector<Page> sheets = pages();
        ASSERT_EQ(sheets.size(), 12u);
        for (std::size_t s = 0; s < sheets.size(); ++s) {
            for (const QString& text :
                 {QStringLiteral("Schuur"), QStringLiteral("Lagenlat, afdrukken op 100 %"),
                  QStringLiteral("Blad %1 van 12").arg(s + 1),
                  QStringLiteral("100 mm: meet ter controle")})
                EXPECT_EQ(sheets[s].texts.count(text), 1u) << text.toStdString();
            EXPECT_EQ(sheets[s].texts.count(QStringLiteral("aansluiten")), s > 0 ? 1u : 0u);
            EXPECT_EQ(sheets[s].lines.count(RoundHalfEven(100 * 600 / 25.4000508)), 1u);
        }
        EXPECT_EQ(sheets.back().texts.count(QStringLiteral("bovenhoogte 2.800,00")), 1u);
        EXPECT_EQ(sheets[0].texts.count(QStringLiteral("Hoogte 0,00 tot 250,00, lagenmaat 62,5, "
                                                       "45 lagen, maten in mm")),
                  1u);
    }
    RodTable heads = Storey(110, 1000);
    heads.words = HeadModeWords();
    heads.gauge = QStringLiteral("koppenmaat 110");
    print(heads);
    EXPECT_EQ(pages().front().texts.count(QStringLiteral("Koppenlat, afdrukken op 100 %")), 1u);
    EXPECT_EQ(pages().back().texts.count(QStringLiteral("eindmaat 1.000,00")), 1u);
    EXPECT_EQ(pages().front().texts.count(
                  QStringLiteral("Maat 0,00 tot 220,00, koppenmaat 110, 10 koppen, maten in mm")),
              1u);
    // A top the table shows on a course is no mark of its own.
    RodTable onACourse = Storey(62.5, 2812.501);
    print(onACourse);
    for (const Page& sheet : pages())
        for (const QString& text : sheet.texts)
            EXPECT_FALSE(text.startsWith(QStringLiteral("bovenhoogte"))) << text.toStdString();
    // The next job, the report's, is fitted to the paper as the print system likes.
    printer.beginDocument();
    EXPECT_FALSE(printer.jobs.back().actualSize);
    printer.endDocument();
}

// The preview's PDF read back by another program: on every sheet, consecutive labels stand as
// far apart on paper as their heights in millimetres, and each sheet starts where the last ended.
TEST_F(RodTest, APdfOfTheRodMeasuresTrueOnPaper)
{
    QTemporaryDir folder;
    FileChooserStub files;
    files.answers = {folder.filePath(QStringLiteral("lat"))};
    files.types = {5};
    dialog.findChild<QRadioButton*>(QStringLiteral("NaarScherm"))->setChecked(true);
    print(Storey(62.2223));

    const PdfSettings settings = ReadPdfSettings(folder.filePath("lat.pdf"));
    EXPECT_TRUE(settings.sound);
    EXPECT_EQ(settings.version, QStringLiteral("1.6"));
    EXPECT_EQ(settings.printScaling, QStringLiteral("/None"));

    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {"-bbox", folder.filePath("lat.pdf"), "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>([\\d.]+,\\d\\d)</word>"));
    const QStringList sheets = html.split(QStringLiteral("<page "), Qt::SkipEmptyParts).mid(1);
    ASSERT_EQ(sheets.size(), 12);
    double lastBefore = -1;
    for (const QString& sheet : sheets) {
        // The labels are the heights in one column; the range line above has others.
        std::map<QString, std::vector<std::pair<double, double>>> columns; // xMin: height, yMin
        for (auto it = word.globalMatch(sheet); it.hasNext();) {
            const auto match = it.next();
            QString height = match.captured(3).remove(QLatin1Char('.'));
            columns[match.captured(1)].push_back(
                {height.replace(QLatin1Char(','), QLatin1Char('.')).toDouble(),
                 match.captured(2).toDouble()});
        }
        auto labels = std::max_element(columns.begin(), columns.end(), [](auto& a, auto& b) {
                          return a.second.size() < b.second.size();
                      })->second;
        std::sort(labels.begin(), labels.end());
        for (std::size_t i = 1; i < labels.size(); ++i)
            EXPECT_NEAR((labels[i - 1].second - labels[i].second) * 25.4 / 72,
                        labels[i].first - labels[i - 1].first, 0.1);
        EXPECT_TRUE(lastBefore < 0 || labels.front().first == lastBefore);
        lastBefore = labels.back().first;
    }
}

// Read back from the preview's PDF: no two words on a sheet overprint, whatever crowds them (a
// top just above a sheet's first course, courses closer than a label is high), and every sheet
// labels its first and its last course.
TEST_F(RodTest, LabelsNeverOverprintAndEachSheetLabelsItsEnds)
{
    const QRegularExpression range(QStringLiteral("^Hoogte (\\S+) tot (\\S+),"));
    for (const char* orientation : {"Staand1", "liggend1"})
        for (const RodTable& table : {Storey(62.5, 2751), Storey(2.5, 300)}) {
            SCOPED_TRACE(testing::Message() << orientation << ", " << table.courses.size());
            const std::vector<std::vector<Word>> sheets = pdfSheets(table, orientation);
            ASSERT_GE(sheets.size(), 2u);
            for (const std::vector<Word>& words : sheets) {
                ExpectNoOverprint(words);
                QString line;
                for (const auto& [box, text] : words)
                    line += text + QLatin1Char(' ');
                const auto ends = range.match(line.mid(line.indexOf(QStringLiteral("Hoogte "))));
                ASSERT_TRUE(ends.hasMatch());
                const auto count = [&words](const QString& text) {
                    return std::count_if(words.begin(), words.end(),
                                         [&](const auto& w) { return w.second == text; });
                };
                EXPECT_EQ(count(ends.captured(1)), 2) << ends.captured(1).toStdString();
                EXPECT_EQ(count(ends.captured(2)), 1) << ends.captured(2).toStdString();
            }
        }
}

// Points are named beside their course lines, cut to 40 characters, also where they crowd each
// other, and the range line says how the courses climb.
TEST_F(RodTest, PointsAreNamedBesideTheirCoursesWithoutOverprinting)
{
    RodTable table = Storey(1, 300);
    table.gauge = QStringLiteral("vaste punten");
    const QString longName = QStringLiteral("bovenkant kozijn van de achtergevel links");
    table.courses[0].point = QStringLiteral("peil");
    table.courses[40].point = QStringLiteral("dorpel");
    table.courses[41].point = longName; // 1 mm above: the two labels would collide
    // The course that ends the first portrait sheet lies as close under the range line as
    // courses 1 mm apart come.
    const std::vector<Word> first = pdfSheets(table, "Staand1").at(0);
    const auto tot = std::find_if(first.begin(), first.end(),
                                  [](const Word& word) { return word.second == "tot"; });
    ASSERT_NE(tot, first.end());
    table.courses.at(std::size_t(tot[1].second.chopped(4).toInt())).point = "latei";
    table.courses.back().point = QStringLiteral("vloer");
    for (const char* orientation : {"Staand1", "liggend1"}) {
        SCOPED_TRACE(orientation);
        QString text;
        for (const std::vector<Word>& words : pdfSheets(table, orientation)) {
            ExpectNoOverprint(words);
            for (const auto& [box, word] : words)
                text += word + QLatin1Char(' ');
        }
        EXPECT_TRUE(text.contains(QStringLiteral(", vaste punten, 300 lagen, maten in mm")));
        for (const QString& name :
             {QStringLiteral("peil"), QStringLiteral("dorpel"), QStringLiteral("latei"),
              QStringLiteral("vloer"), longName.left(40) + "…"})
            EXPECT_TRUE(text.contains(QLatin1Char(' ') + name + QLatin1Char(' ')))
                << name.toStdString() << "\n"
                << text.toStdString();
        EXPECT_FALSE(text.contains(longName));
    }
}

} // namespace
