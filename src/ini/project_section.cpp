#include "project_section.h"

#include "project_lines.h"

bool NextLineInSection(ProjectLineReader& lines)
{
    return !lines.atEnd() && lines.peekFirstByte() != '[';
}

void SkipSection(ProjectLineReader& lines)
{
    QByteArray line;
    while (NextLineInSection(lines))
        lines.readLine(line);
}
