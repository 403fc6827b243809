#include "project_section.h"

#include "project_keys.h"
#include "project_lines.h"

bool FindProjectSection(ProjectLineReader& lines, ProjectLineWriter* copy)
{
    QByteArray line;
    while (!lines.atEnd()) {
        lines.readLine(line, copy);
        if (IsProjectSectionHeader(line))
            return true;
    }
    return false;
}

bool NextLineInSection(ProjectLineReader& lines)
{
    return !lines.atEnd() && lines.peekFirstByte() != '[';
}
