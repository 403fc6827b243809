#include "print/reports/rod_report.h"

#include "print/engine/MyPrint.h"
#include "print/engine/cut_text.h"
#include "print/engine/rounding.h"
#include "print/reports/actual_size_job.h"
#include "print/reports/report_start.h"
#include "print/reports/rod_layout.h"
#include "print/windows/PrintDlg.h"

#include "document/shown_height.h"
#include "msg/Msg.h"
#include "platform/pages/drawing_surface.h"
#include "platform/print_system/printer_service.h"
#include "platform/toolkit/busy_cursor.h"
#include "platform/toolkit/regional_settings.h"

#include <algorithm>
#include <functional>
#include <variant>

namespace {

const QString kCaption = QStringLiteral("Lat afdrukken");
const QString kScaleCheck = QStringLiteral("100 mm: meet ter controle");
const QString kProbe = QStringLiteral("yX");
// Beside the rod there is room for a point's name, not for a sentence.
constexpr std::size_t kNameCharacters = 40;

// "45 lagen": the number of the rod's last numbered course (a plan's last line may be a point).
QString CountText(const RodTable& table)
{
    const auto last =
        std::find_if(table.courses.rbegin(), table.courses.rend(),
                     [](const RodTable::Course& course) { return !course.number.isEmpty(); });
    const QString count = last == table.courses.rend() ? QStringLiteral("0") : last->number;
    if (count != QLatin1String("1"))
        return count + QLatin1Char(' ') + table.words.courses;
    return count + QLatin1Char(' ') + table.words.numberHeader.toLower();
}

// The top is marked where the table would show it on no course: a mark and a course label of the
// same text would only say the same thing twice, a hair apart.
bool TopMarked(const RodTable& table)
{
    return table.top && std::none_of(table.courses.begin(), table.courses.end(),
                                     [&](const RodTable::Course& course) {
                                         return course.shown == table.top->shown;
                                     });
}

// An engine whose pages are the sheets of the rod: after each header it draws its sheet.
class TRodPrinter final : public TMyPrinter {
public:
    explicit TRodPrinter(const RodTable& table)
        : m_table(table)
    {
    }

    // Sets the fonts and the header, and lays the rod out on this printer's sheets.
    std::optional<RodProblem> layOut()
    {
        SetHeaderFont(m_table.font);
        SetTextFont(m_table.font);
        SetLineSpacing(4);
        SetHeaderText(1, m_table.projectName);
        // Fitted to the paper, the rod would measure false: the sheet says so wherever it goes.
        SetHeaderText(2, m_table.words.rodTitle + QStringLiteral(", afdrukken op 100 %"));
        SetHeaderLine(true);
        m_topMarked = TopMarked(m_table);
        measureGeometry();

        std::vector<double> heights;
        heights.reserve(m_table.courses.size());
        for (const RodTable::Course& course : m_table.courses)
            heights.push_back(course.height);
        auto laid = LayOutRod(heights, m_pixelsPerMm, m_length);
        if (const auto* problem = std::get_if<RodProblem>(&laid))
            return *problem;
        m_sheets = std::get<std::vector<RodSheet>>(std::move(laid));
        m_labelEvery = LabelEvery(m_sheets, m_pitch);
        SetHeaderText(3, sheetText(1));
        return std::nullopt;
    }

    int sheetCount() const { return static_cast<int>(m_sheets.size()); }

    void DrawAfterHeader() override
    {
        const RodSheet& sheet = m_sheets[static_cast<std::size_t>(PageNumber - 1)];
        SelectFont(FontSelector::Text);
        drawing().textOut(LeftEdge, CursorY, rangeText(sheet));
        if (m_vertical)
            drawVertical(sheet);
        else
            drawHorizontal(sheet);
        // The header of the next sheet.
        SetHeaderText(3, sheetText(PageNumber + 1));
    }

private:
    int mmX(double mm) const { return RoundHalfEven(mm * PixelsPerMmX); }
    int mmY(double mm) const { return RoundHalfEven(mm * PixelsPerMmY); }

    QString sheetText(int sheet) const
    {
        return QStringLiteral("Blad %1 van %2").arg(sheet).arg(sheetCount());
    }

    QString rangeText(const RodSheet& sheet) const
    {
        return QStringLiteral("%1 %2 tot %3, %4, %5, maten in mm")
            .arg(m_table.words.valueHeader, m_table.courses[sheet.first].shown,
                 m_table.courses[sheet.last].shown, m_table.gauge, CountText(m_table));
    }

    // The sheets' geometry, the same on every sheet: where the rod starts, how long it may be,
    // and how far apart labels must be. The rod runs along the longer side of the printable area.
    void measureGeometry()
    {
        SelectFont(FontSelector::Header);
        const int headerHeight =
            measuring().textHeight(kProbe) + LineGap + (HeaderLine ? LineGap : 0);
        SelectFont(FontSelector::Text);
        m_textHeight = measuring().textHeight(kProbe);
        const int widestName = cutPointNames();
        // Below the header and the line with the sheet's range of heights.
        m_rodTop = TopEdge() + headerHeight + m_textHeight + LineGap;
        m_vertical = BodyBottom - TopEdge() >= RightEdge - LeftEdge;
        if (m_vertical) {
            m_pixelsPerMm = PixelsPerMmY;
            // Labels stand centred on their lines, half a label above and below.
            m_start = BodyBottom - m_textHeight / 2 - mmY(1);
            m_length = m_start - (m_rodTop + m_textHeight / 2);
            m_pitch = m_textHeight + mmY(1);
            // The marks stand left of the edge, ending 2 mm before it.
            int marks = measuring().textWidth(QStringLiteral("aansluiten"));
            if (m_topMarked)
                marks = std::max(marks, measuring().textWidth(topText()));
            marks = std::max(marks, widestName);
            m_edge = LeftEdge + std::max(mmX(30), marks + mmX(2));
            m_numberAt = m_edge + mmX(27);
            m_heightAt = m_numberAt + measuring().textWidth(QStringLiteral("0000")) + mmX(3);
        } else {
            int widest = 0;
            for (const RodTable::Course& course : m_table.courses)
                widest = std::max({widest, measuring().textWidth(course.number),
                                   measuring().textWidth(course.shown)});
            m_pixelsPerMm = PixelsPerMmX;
            m_start = LeftEdge + mmX(1);
            // The last label, right of its line, stays inside the text edge.
            m_length = RightEdge - m_start - mmX(1) - widest;
            m_pitch = widest + mmX(2);
            m_edge = m_rodTop + m_textHeight + mmY(4);
        }
    }

    // The points' names as they stand beside the rod, cut to 40 characters and to two fifths of
    // the text width, which leaves the rod and its labels their room in either orientation and
    // a landscape name room on one side of its line at least. Returns the widest.
    int cutPointNames()
    {
        const int room = (RightEdge - LeftEdge) * 2 / 5;
        const auto measure = [this](const QString& text) {
            return measuring().textWidth(text);
        };
        int widest = 0;
        m_names.clear();
        m_names.reserve(m_table.courses.size());
        for (const RodTable::Course& course : m_table.courses) {
            QString& name = m_names.emplace_back();
            if (course.point.isEmpty())
                continue;
            name = CutToWidth(CutToLength(course.point, kNameCharacters), room, measure);
            widest = std::max(widest, measure(name));
        }
        return widest;
    }

    void rule(int x1, int y1, int x2, int y2, double widthMm)
    {
        drawing().lineOfWidth(std::max(1, mmX(widthMm)), x1, y1, x2, y2);
    }

    bool labelled(std::size_t course) const { return course % std::size_t(m_labelEvery) == 0; }

    // The top level, when it is marked and lies on this sheet: its distance from the sheet's
    // first course.
    std::optional<int> topOffset(const RodSheet& sheet) const
    {
        if (!m_topMarked)
            return std::nullopt;
        const double first = m_table.courses[sheet.first].height;
        if (!(m_table.top->height > first &&
              m_table.top->height < m_table.courses[sheet.last].height))
            return std::nullopt;
        return RoundHalfEven((m_table.top->height - first) * m_pixelsPerMm);
    }

    QString topText() const
    {
        // "bovenhoogte", "eindmaat": the top's label, as the main window shows it.
        return WithoutColon(m_table.words.topLabel).toLower() + QLatin1Char(' ') +
               m_table.top->shown;
    }

    // A text of the sheet, drawn once PlaceLabels has found it a place.
    struct SheetText {
        RodLabel label;
        std::function<void(const RodBox& place)> draw;
    };

    // A text that must stand: at (x, y), or moved along the rod by (stepX, stepY).
    SheetText mark(int x, int y, const QString& text, int stepX, int stepY)
    {
        const RodBox box{x, y, x + measuring().textWidth(text), y + m_textHeight};
        return {{box, true, stepX, stepY}, [this, text](const RodBox& place) {
                    drawing().textOut(place.left, place.top, text);
                }};
    }

    // Course labels overprint neither each other nor the marks: the first and the last course of
    // the sheet always carry theirs, the last one moving on along the rod when it must; every
    // k-th of the others where it has room.
    void drawTexts(std::vector<SheetText>& texts)
    {
        std::vector<RodLabel> labels;
        labels.reserve(texts.size());
        for (const SheetText& text : texts)
            labels.push_back(text.label);
        const std::vector<std::optional<RodBox>> places = PlaceLabels(labels, mmY(1));
        for (std::size_t i = 0; i < texts.size(); ++i)
            if (places[i])
                texts[i].draw(*places[i]);
    }

    static bool sheetEnd(const RodSheet& sheet, std::size_t i)
    {
        return i == 0 || i + 1 == sheet.offsets.size();
    }

    // Portrait: the rod from the bottom of the sheet upwards, lines across to the right of the
    // edge, labels beside their lines, marks left of the edge.
    void drawVertical(const RodSheet& sheet)
    {
        const int half = m_textHeight / 2;
        rule(m_edge, m_rodTop, m_edge, BodyBottom, 0.5);
        // The check of the printer's scale: along the rod, where the rod has no labels.
        const int barX = RightEdge - mmX(3);
        const int barTop = m_start - RoundHalfEven(100 * PixelsPerMmY);
        rule(barX, m_start, barX, barTop, 0.5);
        rule(barX - mmX(2), m_start, barX, m_start, 0.3);
        rule(barX - mmX(2), barTop, barX, barTop, 0.3);
        std::vector<SheetText> texts{mark(barX - mmX(3) - measuring().textWidth(kScaleCheck),
                                          (m_start + barTop) / 2 - half, kScaleCheck, 0, 0)};
        if (sheet.first > 0) {
            const QString join = QStringLiteral("aansluiten");
            texts.push_back(
                mark(m_edge - mmX(2) - measuring().textWidth(join), m_start - half, join, 0, -1));
        }

        const int lineEnd = m_edge + mmX(25);
        for (std::size_t i = 0; i < sheet.offsets.size(); ++i) {
            const int y = m_start - sheet.offsets[i];
            rule(m_edge, y, lineEnd, y, 0.2);
            if (const QString& name = m_names[sheet.first + i]; !name.isEmpty())
                texts.push_back(markLeftOfEdge(y, name, true));
            const bool end = sheetEnd(sheet, i);
            if (!end && !labelled(sheet.first + i))
                continue;
            const RodTable::Course& course = m_table.courses[sheet.first + i];
            const RodBox box{m_numberAt, y - half, m_heightAt + measuring().textWidth(course.shown),
                             y - half + m_textHeight};
            texts.push_back({{box, end, 0, i == 0 ? 0 : -1}, [this, &course](const RodBox& place) {
                                 drawing().textOut(m_numberAt, place.top, course.number);
                                 drawing().textOut(m_heightAt, place.top, course.shown);
                             }});
        }
        if (const std::optional<int> top = topOffset(sheet))
            texts.push_back(markLeftOfEdge(m_start - *top, topText(), false));
        drawTexts(texts);
    }

    // Portrait: a level named left of the edge, on a line of its own that leads to the rod, its
    // text above the line giving way upwards; where the range line leaves no room above, one
    // that may go below the line stands there, giving way downwards.
    SheetText markLeftOfEdge(int y, const QString& text, bool mayGoBelow)
    {
        rule(m_edge - mmX(25), y, m_edge, y, 0.2);
        const int x = m_edge - mmX(2) - measuring().textWidth(text);
        const int above = y - m_textHeight - mmY(0.5);
        if (mayGoBelow && above < m_rodTop)
            return mark(x, y + mmY(0.5), text, 0, 1);
        return mark(x, above, text, 0, -1);
    }

    // Landscape: a level named above the edge, right of its line or left of it where the text
    // would run off the sheet.
    SheetText markAboveEdge(int x, const QString& text)
    {
        rule(x, m_edge - m_textHeight - mmY(2), x, m_edge, 0.2);
        const int markY = m_edge - m_textHeight - mmY(1);
        const int width = measuring().textWidth(text);
        return x + mmX(1) + width <= RightEdge ? mark(x + mmX(1), markY, text, 1, 0)
                                               : mark(x - mmX(1) - width, markY, text, -1, 0);
    }

    // Landscape: the rod from left to right, lines down from the edge, labels right of their
    // lines, marks above the edge.
    void drawHorizontal(const RodSheet& sheet)
    {
        rule(LeftEdge, m_edge, RightEdge, m_edge, 0.5);
        const int lineEnd = m_edge + mmY(25);
        const int barY = lineEnd + mmY(10);
        const int barEnd = m_start + RoundHalfEven(100 * PixelsPerMmX);
        rule(m_start, barY, barEnd, barY, 0.5);
        rule(m_start, barY - mmY(2), m_start, barY, 0.3);
        rule(barEnd, barY - mmY(2), barEnd, barY, 0.3);
        std::vector<SheetText> texts{
            mark(barEnd + mmX(3), barY - m_textHeight / 2, kScaleCheck, 0, 0)};
        const int markY = m_edge - m_textHeight - mmY(1);
        if (sheet.first > 0)
            texts.push_back(mark(m_start + mmX(1), markY, QStringLiteral("aansluiten"), 1, 0));

        for (std::size_t i = 0; i < sheet.offsets.size(); ++i) {
            const int x = m_start + sheet.offsets[i];
            rule(x, m_edge, x, lineEnd, 0.2);
            if (const QString& name = m_names[sheet.first + i]; !name.isEmpty())
                texts.push_back(markAboveEdge(x, name));
            const bool end = sheetEnd(sheet, i);
            if (!end && !labelled(sheet.first + i))
                continue;
            const RodTable::Course& course = m_table.courses[sheet.first + i];
            const int left = x + mmX(1);
            const int top = m_edge + mmY(2);
            const RodBox box{left, top,
                             left + std::max(measuring().textWidth(course.number),
                                             measuring().textWidth(course.shown)),
                             top + 2 * m_textHeight};
            texts.push_back({{box, end, i == 0 ? 0 : 1, 0}, [this, &course](const RodBox& place) {
                                 drawing().textOut(place.left, place.top, course.number);
                                 drawing().textOut(place.left, place.top + m_textHeight,
                                                   course.shown);
                             }});
        }
        if (const std::optional<int> top = topOffset(sheet))
            texts.push_back(markAboveEdge(m_start + *top, topText()));
        drawTexts(texts);
    }

    const RodTable& m_table;
    std::vector<RodSheet> m_sheets;
    std::vector<QString> m_names; // per course: its point's name as the rod carries it
    int m_labelEvery = 1;
    bool m_topMarked = false;
    bool m_vertical = true;
    double m_pixelsPerMm = 1;
    int m_textHeight = 0;
    int m_rodTop = 0;
    int m_start = 0;  // where the sheet's first course lies along the rod
    int m_length = 0; // how far from it a course may lie
    int m_pitch = 0;  // how far apart labels must be along the rod
    int m_edge = 0;   // the rod's edge across the sheet
    int m_numberAt = 0;
    int m_heightAt = 0;
};

QString ProblemText(RodProblem problem, const RodTable& table)
{
    switch (problem) {
    case RodProblem::TooManyCourses:
        return QStringLiteral("De tabel heeft meer dan %1 %2: zo'n lange lat wordt niet "
                              "afgedrukt.")
            .arg(ShownHeight(kMaxRodCourses, 0, platform::CurrentRegionalFormat()),
                 table.words.courses);
    case RodProblem::TooManySheets:
        return QStringLiteral("De lat zou meer dan %1 bladen worden: zo'n lange lat wordt niet "
                              "afgedrukt.")
            .arg(kMaxRodSheets);
    case RodProblem::GaugeTooLong:
        return QStringLiteral("Twee %1 liggen verder uit elkaar dan een blad lang is: de lat "
                              "past niet op het papier.")
            .arg(table.words.courses);
    case RodProblem::NoRoom:
        return QStringLiteral("Het lettertype van de tabel is te groot: er is geen ruimte voor de "
                              "lat op het blad.");
    }
    return {};
}

} // namespace

QString RodRefusal(const RodTable& table)
{
    if (table.courses.empty())
        return QStringLiteral("Er is nog geen tabel om als lat af te drukken: bereken eerst de "
                              "tabel.");
    if (TooManyRodCourses(table.courses.size()))
        return ProblemText(RodProblem::TooManyCourses, table);
    return {};
}

void PrintRod(const RodTable& table, const TPrintDialog1& dialog)
{
    const ActualSizeJob actualSize;
    TRodPrinter engine(table);
    DirectReport(engine, dialog);
    if (dialog.toScreen())
        engine.SetPreviewActualSize(true);
    if (const std::optional<RodProblem> problem = engine.layOut()) {
        MsgWarningText(ProblemText(*problem, table), kCaption);
        return;
    }

    const platform::BusyCursor busy;
    if (!BeginReport(engine))
        return;
    for (int sheet = 2; sheet <= engine.sheetCount(); ++sheet)
        engine.NewPage();
    engine.EndDocument();
}
