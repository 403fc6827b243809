#include "project_writer.h"

#include "fixed_points_section.h"
#include "keyed_section.h"
#include "project_key_table.h"
#include "project_keys.h"
#include "project_lines.h"
#include "project_section.h"
#include "stretch_rules_section.h"
#include "value_encoding.h"

#include "platform/files/replacing_file.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray styleWord(const ProjectFont& font)
{
    for (const ProjectStyleWord& style : kProjectStyleWords)
        if (font.*style.style)
            return style.word;
    return {};
}

QByteArray valueOf(const ProjectSettings& settings, const ProjectKey& key)
{
    switch (key.item) {
    case ProjectItem::Text:
        return EncodeProjectValue(settings.*key.text);
    case ProjectItem::FontName:
        return EncodeProjectValue(settings.Font.name);
    case ProjectItem::FontSize:
        return QByteArray::number(settings.Font.size);
    case ProjectItem::FontStyle:
        return styleWord(settings.Font);
    }
    return {};
}

void writeSection(ProjectLineWriter& out, const ProjectSettings& settings)
{
    for (const ProjectKey& key : kProjectKeys) {
        const QByteArray line = QByteArray(key.key) + '=' + valueOf(settings, key);
        out.writeLine(CutAtCharacter(line, kProjectLineLimit));
    }
    out.endLine();
}

} // namespace

bool WriteProjectSettings(QIODevice& source, QIODevice& target, const ProjectSettings& settings)
{
    ProjectLineReader lines(source);
    ProjectLineWriter out(target);
    // Each section the settings rewrite takes the place of the first of its name, under the
    // header as it was; every other line is kept, and a section not found is appended. The rules
    // go with the points: a build without points keeps a section of them as it is, and one
    // without rules leaves no empty section behind.
    bool ownWritten = false;
    bool pointsWritten = !settings.FixedPoints;
    bool rulesWritten = !settings.FixedPoints;
    bool facadeWritten = !settings.Facade;
    const bool hasRules = settings.FixedPoints && HasWrittenStretchRules(settings.StretchRules);
    QByteArray line;
    while (!lines.atEnd()) {
        lines.readHead(line);
        const bool rulesHeader = !rulesWritten && IsStretchRulesHeader(line);
        lines.finishLine(line, rulesHeader && !hasRules ? nullptr : &out);
        if (!ownWritten && IsProjectSectionHeader(line)) {
            writeSection(out, settings);
            SkipSection(lines);
            ownWritten = true;
        } else if (!pointsWritten && IsFixedPointsHeader(line)) {
            WriteFixedPointsSection(out, *settings.FixedPoints);
            SkipSection(lines);
            pointsWritten = true;
        } else if (rulesHeader) {
            if (hasRules)
                WriteStretchRulesSection(out, settings.StretchRules);
            SkipSection(lines);
            rulesWritten = true;
        } else if (!facadeWritten && IsFacadeHeader(line)) {
            WriteKeyedSection(out, *settings.Facade);
            SkipSection(lines);
            facadeWritten = true;
        }
    }
    if (!ownWritten) {
        out.writeLine(kProjectSectionHeader);
        writeSection(out, settings);
    }
    if (!pointsWritten) {
        out.writeLine(kFixedPointsHeader);
        WriteFixedPointsSection(out, *settings.FixedPoints);
    }
    if (!rulesWritten && hasRules) {
        out.writeLine(kStretchRulesHeader);
        WriteStretchRulesSection(out, settings.StretchRules);
    }
    if (!facadeWritten) {
        out.writeLine(kFacadeHeader);
        WriteKeyedSection(out, *settings.Facade);
    }
    return !lines.failed() && !out.failed();
}

bool WriteProjectFile(const QString& fileName, const ProjectSettings& settings)
{
    // A file that does not exist yet starts as one empty line.
    QByteArray newFile = QByteArrayLiteral("\r\n");
    QBuffer emptyProject(&newFile);
    QFile existing(fileName);
    QIODevice* source = &emptyProject;

    const QFileInfo info(fileName);
    if (info.exists()) {
        if (!info.isFile() || !existing.open(QIODevice::ReadOnly))
            return false;
        source = &existing;
    } else {
        emptyProject.open(QIODevice::ReadOnly);
    }

    platform::ReplacingFile target(fileName, platform::ReplacingFile::Link::WriteThrough);
    if (!target.open())
        return false;
    if (!WriteProjectSettings(*source, target.device(), settings))
        return false;
    return target.commit();
}
