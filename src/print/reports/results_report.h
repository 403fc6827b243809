#pragma once

#include "platform/fonts/surface_font.h"

#include <QString>

#include <QStringList>

#include <chrono>
#include <optional>
#include <vector>

class TPrintDialog1;

// A plan of fixed points, printed on the first page before its courses; every text as the
// Verdelen window shows it.
struct PlanSummary {
    QStringList stretchHeaders;         // "Van", "Tot", "Soort", "Lagen", "Lagenmaat", …
    std::vector<QStringList> stretches; // seven cells each: from, to, kind, count, gauge, joint,
                                        // remark
    QStringList oneGauge; // "Met één lagenmaat: 45 lagen van 62,2223", then a line per point
                          // between; may be empty
};

// What the report prints: every text as the windows show it, made by the print service once the
// print dialog is confirmed.
struct ReportTable {
    struct Row {
        QString number;
        QString value;
        QString point = {}; // the fixed point the course lands on, printed after its value
    };
    QString numberHeader; // row 0 of the table
    QString valueHeader;
    std::vector<Row> rows; // rows 1 to N
    // The decimal separator the heights were written with; empty: the regional one.
    QString decimalSeparator;
    QString projectName;
    QString gaugeLabel;
    QString gaugeText;
    platform::SurfaceFont font;
    // A plan instead of one gauge: the header names no gauge, the first page opens with it.
    std::optional<PlanSummary> plan;
};

// Shows the print dialog; true when the user confirmed it (OK writes orientation and copies to
// the printer).
bool ConfirmPrintDialog(TPrintDialog1& dialog);

// Prints the table where the confirmed dialog says: a header with the project and the gauge, a
// title line, and the rows in four column groups per page, on the printer or in the preview.
// A print to the printer that runs longer than `progressAfter` shows how far it is, and can be
// stopped before the job goes out. Failures leave as exceptions after the engine is gone and
// the cursor is back.
void PrintResultsReport(const ReportTable& table, const TPrintDialog1& dialog,
                        std::chrono::milliseconds progressAfter = std::chrono::milliseconds(500));
