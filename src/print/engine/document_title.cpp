#include "print/engine/document_title.h"

#include "program_identity.h"

QString DocumentTitle()
{
    return QString::fromUtf8(kProgramName);
}
