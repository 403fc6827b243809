#include "rod_report.h"

#include "MyPrint.h"
#include "PrintDlg.h"
#include "rod_layout.h"
#include "rounding.h"

#include "calc/format_height.h"
#include "msg/Msg.h"
#include "platform/busy_cursor.h"
#include "platform/drawing_surface.h"
#include "platform/printer_service.h"
#include "platform/regional_settings.h"
#include "program_identity.h"

#include <algorithm>
#include <variant>

namespace {

const QString kTitle = QString::fromUtf8(kProgramName);
const QString kCaption = QStringLiteral("Lat afdrukken");
const QString kScaleCheck = QStringLiteral("100 mm: meet ter controle");
const QString kProbe = QStringLiteral("yX");

QString Courses(const RodTable& table)
{
    return table.courseMode ? QStringLiteral("lagen") : QStringLiteral("koppen");
}

// Asks the print system to print the rod's pages at their own size, and no later job.
class ActualSizeJob {
public:
    ActualSizeJob() { platform::CurrentPrinter().setActualSize(true); }
    ~ActualSizeJob() { platform::CurrentPrinter().setActualSize(false); }
    ActualSizeJob(const ActualSizeJob&) = delete;
    ActualSizeJob& operator=(const ActualSizeJob&) = delete;
};

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
        SetHeaderText(2, m_table.courseMode ? QStringLiteral("Lagenlat")
                                            : QStringLiteral("Koppenlat"));
        SetHeaderLine(true);
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
        return QStringLiteral("%1 %2 tot %3, maten in mm")
            .arg(m_table.valueHeader, m_table.courses[sheet.first].shown,
                 m_table.courses[sheet.last].shown);
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
        // Below the header and the line with the sheet's range of heights.
        m_rodTop = TopEdge() + headerHeight + m_textHeight + LineGap;
        m_vertical = BodyBottom - TopEdge() >= RightEdge - LeftEdge;
        if (m_vertical) {
            m_pixelsPerMm = PixelsPerMmY;
            // Labels stand centred on their lines, half a label above and below.
            m_start = BodyBottom - m_textHeight / 2 - mmY(1);
            m_length = m_start - (m_rodTop + m_textHeight / 2);
            m_pitch = m_textHeight + mmY(1);
            m_edge = LeftEdge + mmX(30);
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

    void rule(int x1, int y1, int x2, int y2, double widthMm)
    {
        platform::DrawingSurface& surface = drawing();
        const platform::SurfacePen previous = surface.pen();
        surface.setPen({std::max(1, mmX(widthMm)), previous.color});
        surface.line(x1, y1, x2, y2);
        surface.setPen(previous);
    }

    bool labelled(std::size_t course) const { return course % std::size_t(m_labelEvery) == 0; }

    // The top level, when it is no course and lies on this sheet: its distance from the sheet's
    // first course.
    std::optional<int> topOffset(const RodSheet& sheet) const
    {
        if (!m_table.top)
            return std::nullopt;
        const double first = m_table.courses[sheet.first].height;
        if (!(*m_table.top > first && *m_table.top < m_table.courses[sheet.last].height))
            return std::nullopt;
        return RoundHalfEven((*m_table.top - first) * m_pixelsPerMm);
    }

    QString topText() const
    {
        return m_table.courseMode ? QStringLiteral("bovenhoogte") : QStringLiteral("eindmaat");
    }

    // Portrait: the rod from the bottom of the sheet upwards, lines across to the right of the
    // edge, labels beside their lines, marks left of the edge.
    void drawVertical(const RodSheet& sheet)
    {
        const int half = m_textHeight / 2;
        rule(m_edge, m_rodTop, m_edge, BodyBottom, 0.5);
        const int lineEnd = m_edge + mmX(25);
        for (std::size_t i = 0; i < sheet.offsets.size(); ++i) {
            const std::size_t course = sheet.first + i;
            const int y = m_start - sheet.offsets[i];
            rule(m_edge, y, lineEnd, y, 0.2);
            if (labelled(course)) {
                drawing().textOut(m_numberAt, y - half, m_table.courses[course].number);
                drawing().textOut(m_heightAt, y - half, m_table.courses[course].shown);
            }
        }
        const auto markLeft = [&](int y, const QString& text) {
            drawing().textOut(m_edge - mmX(2) - measuring().textWidth(text), y - half, text);
        };
        if (sheet.first > 0)
            markLeft(m_start, QStringLiteral("aansluiten"));
        if (const std::optional<int> top = topOffset(sheet)) {
            const int y = m_start - *top;
            rule(m_edge - mmX(25), y, m_edge, y, 0.2);
            drawing().textOut(m_edge - mmX(25), y - m_textHeight - mmY(0.5), topText());
        }
        // The check of the printer's scale: along the rod, where the rod has no labels.
        const int barX = RightEdge - mmX(3);
        const int barTop = m_start - RoundHalfEven(100 * PixelsPerMmY);
        rule(barX, m_start, barX, barTop, 0.5);
        rule(barX - mmX(2), m_start, barX, m_start, 0.3);
        rule(barX - mmX(2), barTop, barX, barTop, 0.3);
        drawing().textOut(barX - mmX(3) - measuring().textWidth(kScaleCheck),
                          (m_start + barTop) / 2 - half, kScaleCheck);
    }

    // Landscape: the rod from left to right, lines down from the edge, labels right of their
    // lines, marks above the edge.
    void drawHorizontal(const RodSheet& sheet)
    {
        rule(LeftEdge, m_edge, RightEdge, m_edge, 0.5);
        const int lineEnd = m_edge + mmY(25);
        for (std::size_t i = 0; i < sheet.offsets.size(); ++i) {
            const std::size_t course = sheet.first + i;
            const int x = m_start + sheet.offsets[i];
            rule(x, m_edge, x, lineEnd, 0.2);
            if (labelled(course)) {
                drawing().textOut(x + mmX(1), m_edge + mmY(2), m_table.courses[course].number);
                drawing().textOut(x + mmX(1), m_edge + mmY(2) + m_textHeight,
                                  m_table.courses[course].shown);
            }
        }
        const int markY = m_edge - m_textHeight - mmY(1);
        if (sheet.first > 0)
            drawing().textOut(m_start + mmX(1), markY, QStringLiteral("aansluiten"));
        if (const std::optional<int> top = topOffset(sheet)) {
            const int x = m_start + *top;
            rule(x, m_edge - m_textHeight - mmY(2), x, m_edge, 0.2);
            drawing().textOut(x + mmX(1), markY, topText());
        }
        const int barY = lineEnd + mmY(10);
        const int barEnd = m_start + RoundHalfEven(100 * PixelsPerMmX);
        rule(m_start, barY, barEnd, barY, 0.5);
        rule(m_start, barY - mmY(2), m_start, barY, 0.3);
        rule(barEnd, barY - mmY(2), barEnd, barY, 0.3);
        drawing().textOut(barEnd + mmX(3), barY - m_textHeight / 2, kScaleCheck);
    }

    const RodTable& m_table;
    std::vector<RodSheet> m_sheets;
    int m_labelEvery = 1;
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
            .arg(QString::fromStdString(
                     calc::FormatHeight(kMaxRodCourses, 0, platform::CurrentRegionalFormat())),
                 Courses(table));
    case RodProblem::TooManySheets:
        return QStringLiteral("De lat zou meer dan %1 bladen worden: zo'n lange lat wordt niet "
                              "afgedrukt.")
            .arg(kMaxRodSheets);
    case RodProblem::GaugeTooLong:
        return QStringLiteral("Twee %1 liggen verder uit elkaar dan een blad lang is: de lat "
                              "past niet op het papier.")
            .arg(Courses(table));
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
    if (table.courses.size() > kMaxRodCourses + 1)
        return ProblemText(RodProblem::TooManyCourses, table);
    return {};
}

void PrintRod(const RodTable& table, const TPrintDialog1& dialog)
{
    const ActualSizeJob actualSize;
    TRodPrinter engine(table);
    platform::CurrentPrinter().setDocumentTitle(kTitle);
    if (dialog.toScreen()) {
        engine.SetPreview(true);
        engine.SetPreviewCaption(kTitle + QStringLiteral(" afdrukvoorbeeld"));
        engine.SetPreviewWindowState(PreviewWindowCode::WorkArea);
    }
    if (const std::optional<RodProblem> problem = engine.layOut()) {
        MsgWarningText(ProblemText(*problem, table), kCaption);
        return;
    }

    const platform::BusyCursor busy;
    try {
        engine.BeginDocument();
    } catch (const platform::PrintCancelled&) {
        return;
    }
    for (int sheet = 2; sheet <= engine.sheetCount(); ++sheet)
        engine.NewPage();
    engine.EndDocument();
}
