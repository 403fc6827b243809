#include "project_keys.h"

#include "project_lines.h"

namespace {

QByteArray asciiUpper(QByteArray text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool isHeader(const QByteArray& line, const char* header)
{
    return asciiUpper(line.left(kProjectLineLimit)) == header;
}

} // namespace

QByteArray ProjectKeyOf(const QByteArray& line)
{
    const QByteArray evaluated = line.left(kProjectLineLimit);
    const qsizetype equals = evaluated.indexOf('=');
    return equals < 0 ? QByteArray() : asciiUpper(evaluated.left(equals));
}

QByteArray ProjectValueOf(const QByteArray& line)
{
    const QByteArray evaluated = line.left(kProjectLineLimit);
    const qsizetype equals = evaluated.indexOf('=');
    return equals < 0 ? QByteArray() : evaluated.mid(equals + 1);
}

bool IsProjectSectionHeader(const QByteArray& line)
{
    return isHeader(line, kProjectSectionHeader);
}

bool IsFixedPointsHeader(const QByteArray& line)
{
    return isHeader(line, kFixedPointsHeader);
}

bool IsStretchRulesHeader(const QByteArray& line)
{
    return isHeader(line, kStretchRulesHeader);
}

bool IsFacadeHeader(const QByteArray& line)
{
    return isHeader(line, kFacadeHeader);
}
