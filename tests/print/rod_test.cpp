#include "calc/course_table.h"
#include "calc/format_height.h"
#include "print/MyPForm.h"
#include "print/PrintDlg.h"
#include "print/results_report.h"
#include "print/rod_layout.h"
#include "print/rod_report.h"
#include "print/rounding.h"
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

namespace {

using platform::PageImage;

const calc::RegionalFormat kDutch{",", "."};

// A storey from 0 to `top` in courses of `gauge`, as the calculate command makes it.
RodTable Storey(double gauge = 62.5, double top = 2800)
{
    RodTable table;
    for (const calc::CourseRow& row : calc::BuildCourseTable({gauge, 0, top, 2}))
        table.courses.push_back(
            {row.Height, QString::number(row.Number),
             QString::fromStdString(calc::FormatHeight(row.Height, 2, kDutch))});
    if (table.courses.back().height != top)
        table.top = top;
    table.projectName = QStringLiteral("Schuur");
    table.valueHeader = QStringLiteral("Hoogte");
    table.font.name = QStringLiteral("Arial");
    table.font.pointSize = 9;
    return table;
}

std::vector<double> HeightsOf(const RodTable& table)
{
    std::vector<double> heights;
    for (const RodTable::Course& course : table.courses)
        heights.push_back(course.height);
    return heights;
}

TEST(RodLayout, SheetsShareOneCourseAndEveryLineLiesWithinATenthOfAMillimetre)
{
    const std::vector<double> storey = HeightsOf(Storey()); // courses 0 to 45
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
            const int step = sheets[0].offsets[1];
            EXPECT_EQ(LabelEvery(sheets, 2 * step + 1), 3);
            EXPECT_EQ(LabelEvery(sheets, step - 1), 1);
        }
    }
    // Rounded once from the exact height, not by adding rounded steps: 1 000 steps of
    // 0,3 mm at 600 dpi would drift by 3 mm.
    std::vector<double> fine;
    for (int course = 0; course <= 1000; ++course)
        fine.push_back(course * 0.3);
    const double pixelsPerMm = 600 / 25.4000508;
    const auto sheets = std::get<std::vector<RodSheet>>(
        LayOutRod(fine, pixelsPerMm, RoundHalfEven(301 * pixelsPerMm)));
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].offsets.back(), RoundHalfEven(300 * pixelsPerMm));

    EXPECT_EQ(std::get<RodProblem>(LayOutRod(std::vector<double>(1002, 0.0), 1, 10)),
              RodProblem::TooManyCourses);
    EXPECT_EQ(std::get<RodProblem>(LayOutRod(HeightsOf(Storey(62.5, 62500)), pixelsPerMm,
                                             RoundHalfEven(250 * pixelsPerMm))),
              RodProblem::TooManySheets);
    EXPECT_EQ(
        std::get<RodProblem>(LayOutRod({0, 300}, pixelsPerMm, RoundHalfEven(250 * pixelsPerMm))),
        RodProblem::GaugeTooLong);
}

class RodTest : public testing::Test {
protected:
    RodTest()
    {
        modal.answer = [this](QDialog& window) {
            if (auto* preview = qobject_cast<TPreviewPrintForm1*>(&window)) {
                if (inPreview)
                    inPreview(*preview);
                return int(QDialog::Rejected);
            }
            dialog.findChild<QAbstractButton*>(QStringLiteral("BitBtn1"))->click();
            return int(QDialog::Accepted);
        };
    }

    void print(const RodTable& table, bool landscape = false)
    {
        dialog.findChild<QRadioButton*>(landscape ? "liggend1" : "Staand1")->setChecked(true);
        ASSERT_TRUE(ConfirmPrintDialog(dialog));
        PrintRod(table, dialog);
    }

    // Each page's texts with their top-left corners, and its lines.
    struct Page {
        std::multimap<QString, QPoint> texts;
        std::vector<PageImage::Line> lines;
    };
    std::vector<Page> pages() const
    {
        std::vector<Page> result;
        for (const auto& image : printer.jobs.at(0).pages) {
            Page& page = result.emplace_back();
            for (const auto& operation : image->operations()) {
                if (const auto* text = std::get_if<PageImage::Text>(&operation))
                    page.texts.insert({text->text, text->topLeft});
                if (const auto* line = std::get_if<PageImage::Line>(&operation))
                    page.lines.push_back(*line);
            }
        }
        return result;
    }

    MessageBoxRecorder boxes;
    TestPrinter printer;
    ModalRunnerStub modal;
    TPrintDialog1 dialog;
    std::function<void(TPreviewPrintForm1&)> inPreview;
};

TEST_F(RodTest, EverySheetCarriesItsCoursesAtFullSizeInBothOrientations)
{
    const RodTable storey = Storey();
    const double pixelsPerMm = 600 / 25.4000508;
    for (const auto& [landscape, sheetCount] : {std::pair{false, 12u}, std::pair{true, 12u}}) {
        SCOPED_TRACE(landscape ? "landscape" : "portrait");
        printer.jobs.clear();
        print(storey, landscape);
        ASSERT_EQ(printer.jobs.size(), 1u);
        EXPECT_TRUE(printer.jobs[0].actualSize);
        const std::vector<Page> sheets = pages();
        ASSERT_EQ(sheets.size(), sheetCount);
        QString lastBefore;
        for (std::size_t s = 0; s < sheets.size(); ++s) {
            const Page& sheet = sheets[s];
            const QString blad = QStringLiteral("Blad %1 van %2").arg(s + 1).arg(sheetCount);
            for (const QString& text : {QStringLiteral("Schuur"), QStringLiteral("Lagenlat"), blad,
                                        QStringLiteral("100 mm: meet ter controle")})
                EXPECT_EQ(sheet.texts.count(text), 1u) << text.toStdString() << " on " << s + 1;
            EXPECT_EQ(sheet.texts.count(QStringLiteral("aansluiten")), s > 0 ? 1u : 0u);
            // The 100 mm bar along the rod.
            const int bar = RoundHalfEven(100 * pixelsPerMm);
            EXPECT_EQ(std::count_if(sheet.lines.begin(), sheet.lines.end(),
                                    [&](const PageImage::Line& line) {
                                        return std::abs(line.to.x() - line.from.x()) +
                                                   std::abs(line.to.y() - line.from.y()) ==
                                               bar;
                                    }),
                      1);
            // Labels along the rod at the exact distances of their heights.
            std::vector<std::pair<std::size_t, int>> labels; // course, place along the rod
            for (std::size_t course = 0; course < storey.courses.size(); ++course)
                if (const auto it = sheet.texts.find(storey.courses[course].shown);
                    it != sheet.texts.end())
                    labels.push_back({course, landscape ? it->second.x() : -it->second.y()});
            ASSERT_GE(labels.size(), 2u);
            const double firstHeight = storey.courses[labels[0].first].height;
            for (std::size_t i = 1; i < labels.size(); ++i)
                EXPECT_EQ(labels[i].second - labels[0].second,
                          RoundHalfEven((storey.courses[labels[i].first].height - firstHeight) *
                                        pixelsPerMm));
            // Each sheet starts with the last course of the sheet before.
            if (s > 0) {
                EXPECT_EQ(storey.courses[labels[0].first].shown, lastBefore);
            }
            lastBefore = storey.courses[labels.back().first].shown;
        }
        EXPECT_EQ(sheets.back().texts.count(QStringLiteral("bovenhoogte")), 1u);
    }
    // Head mode: a koppenlat, its end marked as such.
    RodTable heads = Storey(110, 1000);
    heads.courseMode = false;
    printer.jobs.clear();
    print(heads);
    const std::vector<Page> headSheets = pages();
    EXPECT_EQ(headSheets.front().texts.count(QStringLiteral("Koppenlat")), 1u);
    EXPECT_EQ(headSheets.back().texts.count(QStringLiteral("eindmaat")), 1u);

    // The next job is the report's again, fitted to the paper as the print system likes.
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
    inPreview = [](TPreviewPrintForm1& preview) {
        preview.SaveMetaClick();
    };
    dialog.findChild<QRadioButton*>(QStringLiteral("NaarScherm"))->setChecked(true);
    const RodTable storey = Storey(62.2223);
    print(storey);

    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {"-bbox", folder.filePath(QStringLiteral("lat.pdf")), "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>([\\d.]+,\\d\\d)</word>"));
    const QStringList sheets = html.split(QStringLiteral("<page "), Qt::SkipEmptyParts).mid(1);
    ASSERT_EQ(sheets.size(), 12);
    QString lastBefore;
    for (const QString& sheet : sheets) {
        // The labels are the heights in one column; the range line above has others.
        std::map<QString, std::vector<std::pair<double, double>>> columns; // xMin: height, yMin
        for (auto it = word.globalMatch(sheet); it.hasNext();) {
            const auto match = it.next();
            QString height = match.captured(3);
            columns[match.captured(1)].push_back({height.remove(QLatin1Char('.'))
                                                      .replace(QLatin1Char(','), QLatin1Char('.'))
                                                      .toDouble(),
                                                  match.captured(2).toDouble()});
        }
        auto labels = std::max_element(columns.begin(), columns.end(), [](auto& a, auto& b) {
                          return a.second.size() < b.second.size();
                      })->second;
        std::sort(labels.begin(), labels.end());
        ASSERT_GE(labels.size(), 2u);
        for (std::size_t i = 1; i < labels.size(); ++i) {
            const double paperMm = (labels[i - 1].second - labels[i].second) * 25.4 / 72;
            EXPECT_NEAR(paperMm, labels[i].first - labels[i - 1].first, 0.1);
        }
        const QString first = QString::number(labels.front().first, 'f', 2);
        if (!lastBefore.isEmpty()) {
            EXPECT_EQ(first, lastBefore);
        }
        lastBefore = QString::number(labels.back().first, 'f', 2);
    }
}

} // namespace
