#include "print/reports/report_start.h"

#include "print/engine/MyPrint.h"
#include "print/engine/document_title.h"
#include "print/windows/PrintDlg.h"

#include "platform/print_system/printer_service.h"

void DirectReport(TMyPrinter& engine, const TPrintDialog1& dialog)
{
    platform::CurrentPrinter().setDocumentTitle(DocumentTitle());
    if (!dialog.toScreen())
        return;
    engine.SetPreview(true);
    engine.SetPreviewCaption(DocumentTitle() + QStringLiteral(" afdrukvoorbeeld"));
    engine.SetPreviewWindowState(PreviewWindowCode::WorkArea);
}

bool BeginReport(TMyPrinter& engine)
{
    try {
        engine.BeginDocument();
    } catch (const platform::PrintCancelled&) {
        return false;
    }
    return true;
}
