#pragma once

#include "document/project_document.h"
#include "platform/toolkit/regional_settings.h"
#include "printing/print_service.h"

// What the program makes once at start-up and hands to its windows: the document they share,
// with the regional decimal separator, and the print service.
struct ProgramParts {
    ProjectDocument document{
        QString::fromStdString(platform::CurrentRegionalFormat().decimalSeparator)};
    PrintService printing{document};
};
