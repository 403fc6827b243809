#include "print/reports/facade_report.h"

#include "print/engine/MyPrint.h"
#include "print/engine/cut_text.h"
#include "print/engine/rounding.h"
#include "print/reports/actual_size_job.h"
#include "print/reports/report_start.h"
#include "print/windows/PrintDlg.h"

#include "msg/Msg.h"
#include "platform/pages/drawing_surface.h"
#include "platform/toolkit/busy_cursor.h"

#include <algorithm>
#include <variant>

namespace {

const QString kCaption = QStringLiteral("Gevel afdrukken");
const QString kScaleCheck = QStringLiteral("1 m: meet ter controle");
const QString kOutsideLimits = QStringLiteral("voeg buiten grenzen");
const QString kProbe = QStringLiteral("yX");
constexpr double kMillimetresPerPoint = 25.4 / 72;

QString ScaleText(int scale)
{
    return QStringLiteral("1:%1").arg(scale);
}

// Why the facade cannot be printed as asked.
struct ScaleProblem {
    int asked = 0;                // 0: the largest that fits was asked for
    std::optional<int> fitting{}; // the largest that fits, if any
};

// Where each table column starts or ends on the page, in millimetres: text cut to its room,
// numbers right-aligned at their end. The last cell of a row, the remark, is as long as it is:
// it takes a line of its own below the row.
struct Column {
    int from;
    int end;
    bool number;
};
constexpr Column kHeadColumns[] = {{0, 38, false},  {39, 77, false},  {78, 93, false},
                                   {94, 106, true}, {107, 127, true}, {128, 145, true},
                                   {147, -1, false}};
constexpr Column kCourseColumns[] = {
    {0, 55, false}, {56, 111, false}, {112, 124, true}, {125, 145, true}, {146, 163, true}};
constexpr int kRemarkIndent = 5;

class TFacadePrinter final : public TMyPrinter {
public:
    explicit TFacadePrinter(const FacadeSheet& sheet)
        : m_sheet(sheet)
        , m_drawing(*sheet.drawing)
    {
    }

    // The fonts, the header and the scale: the one asked for when it fits the paper.
    std::variant<int, ScaleProblem> layOut()
    {
        SetHeaderFont(m_sheet.font);
        SetTextFont(m_sheet.font);
        SetHeaderText(1, m_sheet.projectName);
        SetHeaderLine(true);
        SelectFont(FontSelector::Header);
        const int header = measuring().textHeight(kProbe) + 2 * LineGap;
        SelectFont(FontSelector::Text);
        m_textHeight = measuring().textHeight(kProbe);
        m_top = TopEdge() + header;
        // Below the drawing: the bar with its text, and the legend.
        const int below = 3 * m_textHeight + mmY(8);
        const double roomWidth = (RightEdge - LeftEdge) / PixelsPerMmX;
        const double roomHeight = (BodyBottom - m_top - below) / PixelsPerMmY;
        const facade::Box& extent = m_drawing.extent;
        const std::optional<int> fitting = LargestFittingScale(
            extent.right - extent.left, extent.top - extent.bottom, roomWidth, roomHeight);
        const int asked = m_sheet.scale.value_or(0);
        const bool fits = fitting && (asked == 0 || asked >= *fitting);
        if (!fits)
            return ScaleProblem{asked, fitting};
        m_scale = asked == 0 ? *fitting : asked;
        SetHeaderText(2, QStringLiteral("Gevel %1, afdrukken op 100 %").arg(ScaleText(m_scale)));
        return m_scale;
    }

    void DrawAfterHeader() override
    {
        if (PageNumber == 1)
            drawFacade();
    }

    void printPlans()
    {
        NewPage();
        printTable(QStringLiteral("Koppen"), m_sheet.headHeaders, m_sheet.heads, kHeadColumns);
        printTable(QStringLiteral("Lagen"), m_sheet.courseHeaders, m_sheet.courses, kCourseColumns);
        for (const QString& line : m_sheet.lines) {
            PrintCutText(-1, -1, line);
            NewLine();
        }
    }

private:
    int mmX(double mm) const { return RoundHalfEven(mm * PixelsPerMmX); }
    int mmY(double mm) const { return RoundHalfEven(mm * PixelsPerMmY); }

    // A point of the facade on the sheet.
    int x(double facadeMm) const
    {
        return LeftEdge + mmX((facadeMm - m_drawing.extent.left) / m_scale);
    }
    int y(double facadeMm) const
    {
        return m_top + mmY((m_drawing.extent.top - facadeMm) / m_scale);
    }

    void rule(int x1, int y1, int x2, int y2, double widthMm)
    {
        drawing().lineOfWidth(std::max(1, mmX(widthMm)), x1, y1, x2, y2);
    }

    void box(const facade::Box& area, double widthMm)
    {
        const int left = x(area.left), right = x(area.right);
        const int top = y(area.top), bottom = y(area.bottom);
        rule(left, top, right, top, widthMm);
        rule(right, top, right, bottom, widthMm);
        rule(right, bottom, left, bottom, widthMm);
        rule(left, bottom, left, top, widthMm);
    }

    void drawFacade()
    {
        bool hatched = false;
        for (const facade::DrawnStone& stone : m_drawing.stones) {
            box(stone.box, 0.1);
            if (stone.outsideLimits) {
                // A stroke across the stone: the sign needs no colour.
                rule(x(stone.box.left), y(stone.box.bottom), x(stone.box.right), y(stone.box.top),
                     0.1);
                hatched = true;
            }
        }
        // The measures and the names in letters as high as the drawing has them.
        platform::SurfaceFont measures = m_sheet.font;
        measures.pointSize = std::max(4.0, m_drawing.textHeight / m_scale / kMillimetresPerPoint);
        drawing().setFont(measures);
        for (const facade::DrawnOpening& opening : m_drawing.openings) {
            box(opening.box, 0.5);
            const QString name = QString::fromStdString(opening.name);
            const int width = x(opening.box.right) - x(opening.box.left);
            const QString shown = CutToWidth(
                name, width, [this](const QString& text) { return drawing().textWidth(text); });
            drawing().textOut(
                (x(opening.box.left) + x(opening.box.right) - drawing().textWidth(shown)) / 2,
                (y(opening.box.top) + y(opening.box.bottom)) / 2, shown);
        }
        drawDimensions();
        SelectFont(FontSelector::Text);
        drawBar(hatched);
    }

    void drawDimensions()
    {
        const facade::Box& wall = m_drawing.wall;
        const double line = -m_drawing.dimensionOffset;
        const double tick = m_drawing.textHeight / 2;
        rule(x(wall.left), y(line), x(wall.right), y(line), 0.2);
        for (const facade::Measured& measure : m_drawing.across) {
            rule(x(measure.at), y(wall.bottom), x(measure.at), y(line - tick), 0.1);
            const QString text = QString::fromStdString(measure.text);
            drawing().textOut(x(measure.at) - drawing().textWidth(text) / 2, y(line - tick), text);
        }
        rule(x(line), y(wall.bottom), x(line), y(wall.top), 0.2);
        for (const facade::Measured& measure : m_drawing.up) {
            rule(x(wall.left), y(measure.at), x(line - tick), y(measure.at), 0.1);
            const QString text = QString::fromStdString(measure.text);
            drawing().textOut(x(line - tick) - drawing().textWidth(text) - mmX(0.5),
                              y(measure.at) - drawing().textHeight(text) / 2, text);
        }
    }

    // One metre at the sheet's scale, to measure with a rule: a printer that scaled the page
    // shows at once.
    void drawBar(bool hatched)
    {
        const int barY = y(m_drawing.extent.bottom) + mmY(4) + m_textHeight / 2;
        const int start = LeftEdge;
        const int end = start + RoundHalfEven(1000.0 / m_scale * PixelsPerMmX);
        rule(start, barY, end, barY, 0.5);
        rule(start, barY - mmY(2), start, barY, 0.3);
        rule(end, barY - mmY(2), end, barY, 0.3);
        drawing().textOut(end + mmX(3), barY - m_textHeight / 2, kScaleCheck);
        if (!hatched)
            return;
        const int legendY = barY + m_textHeight + mmY(2);
        rule(start, legendY + m_textHeight, start + mmX(6), legendY, 0.2);
        drawing().textOut(start + mmX(9), legendY, kOutsideLimits);
    }

    template <std::size_t N>
    void printTable(const QString& title, const QStringList& headers,
                    const std::vector<QStringList>& rows, const Column (&columns)[N])
    {
        SelectFont(FontSelector::Header);
        PrintCutText(-1, -1, title);
        NewLine();
        printRow(headers, columns);
        SelectFont(FontSelector::Text);
        for (const QStringList& row : rows)
            printRow(row, columns);
        NewLine();
    }

    template <std::size_t N> void printRow(const QStringList& cells, const Column (&columns)[N])
    {
        for (std::size_t i = 0; i < N; ++i) {
            const Column& column = columns[i];
            const QString cell = cells.value(int(i));
            if (column.number)
                PrintText(Alignment::Right, column.end, cell);
            else
                PrintCutText(column.from, column.end, cell);
        }
        NewLine();
        if (const QString remark = cells.value(int(N)); !remark.isEmpty()) {
            PrintCutText(kRemarkIndent, -1, remark);
            NewLine();
        }
    }

    const FacadeSheet& m_sheet;
    const facade::FacadeDrawing& m_drawing;
    int m_scale = 50;
    int m_top = 0;
    int m_textHeight = 0;
};

QString ProblemText(const ScaleProblem& problem)
{
    if (!problem.fitting)
        return QStringLiteral("Ook bij %1 past de gevel niet op het papier.")
            .arg(ScaleText(std::end(facade::kDrawingScales)[-1]));
    return QStringLiteral("Bij %1 past de gevel niet op het papier; bij %2 wel.")
        .arg(ScaleText(problem.asked), ScaleText(*problem.fitting));
}

} // namespace

std::optional<int> LargestFittingScale(double width, double height, double roomWidth,
                                       double roomHeight)
{
    for (const int scale : facade::kDrawingScales)
        if (width / scale <= roomWidth && height / scale <= roomHeight)
            return scale;
    return std::nullopt;
}

void PrintFacade(const FacadeSheet& sheet, const TPrintDialog1& dialog)
{
    const ActualSizeJob actualSize;
    TFacadePrinter engine(sheet);
    DirectReport(engine, dialog);
    if (dialog.toScreen())
        engine.SetPreviewActualSize(true);
    const auto scale = engine.layOut();
    if (const auto* problem = std::get_if<ScaleProblem>(&scale)) {
        MsgWarningText(ProblemText(*problem), kCaption);
        return;
    }
    const platform::BusyCursor busy;
    if (!BeginReport(engine))
        return;
    engine.printPlans();
    engine.EndDocument();
}
