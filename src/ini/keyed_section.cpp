#include "keyed_section.h"

#include "project_keys.h"
#include "project_lines.h"
#include "project_section.h"
#include "value_encoding.h"

void WriteKeyedSection(ProjectLineWriter& out, const std::vector<KeyedLine>& lines)
{
    for (const KeyedLine& line : lines)
        out.writeLine(
            CutAtCharacter(line.key + '=' + EncodeProjectValue(line.value), kProjectLineLimit));
    out.endLine();
}

std::vector<KeyedLine> ReadKeyedSection(ProjectLineReader& lines)
{
    std::vector<KeyedLine> keyed;
    QByteArray line;
    while (NextLineInSection(lines)) {
        lines.readLine(line);
        const QByteArray evaluated = EvaluatedPart(line, kProjectLineLimit);
        const QByteArray key = ProjectKeyOf(evaluated);
        if (!key.isEmpty())
            keyed.push_back({key, DecodeProjectValue(ProjectValueOf(evaluated))});
    }
    return keyed;
}
