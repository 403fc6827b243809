#include "project_reader.h"

#include "fixed_points_section.h"
#include "keyed_section.h"
#include "project_key_table.h"
#include "project_keys.h"
#include "project_lines.h"
#include "project_section.h"
#include "stretch_rules_section.h"
#include "value_encoding.h"

#include "calc/number_reader.h"

#include <QFile>
#include <QFileInfo>

#include <stdexcept>
#include <string>

namespace {

void throwIfFailed(const ProjectLineReader& lines)
{
    if (lines.failed())
        throw std::runtime_error("Het bestand kon niet tot het einde gelezen worden");
}

void applyFontStyle(ProjectFont& font, const QByteArray& value)
{
    const QByteArray word = value.toUpper();
    for (const ProjectStyleWord& style : kProjectStyleWords) {
        if (word == style.word) {
            for (const ProjectStyleWord& other : kProjectStyleWords)
                font.*other.style = false;
            font.*style.style = true;
            return;
        }
    }
}

void applyValue(ProjectSettings& settings, const ProjectKey& key, const QByteArray& value)
{
    switch (key.item) {
    case ProjectItem::Text:
        settings.*key.text = DecodeProjectValue(value);
        break;
    case ProjectItem::FontName:
        settings.Font.name = DecodeProjectValue(value);
        break;
    case ProjectItem::FontSize:
        if (const auto size =
                calc::ReadWholeNumber(std::string_view(value.constData(), value.size())))
            settings.Font.size = *size;
        else
            throw std::runtime_error("'" + DecodeProjectValue(value).toStdString() +
                                     "' is not a valid integer value");
        break;
    case ProjectItem::FontStyle:
        applyFontStyle(settings.Font, value);
        break;
    }
}

void applyKeyLine(ProjectSettings& settings, const QByteArray& line)
{
    const QByteArray key = ProjectKeyOf(line);
    if (key.isEmpty())
        return;
    for (const ProjectKey& known : kProjectKeys) {
        if (key == known.key) {
            applyValue(settings, known, ProjectValueOf(line));
            return;
        }
    }
}

void readOwnSection(ProjectLineReader& lines, ProjectSettings& settings)
{
    QByteArray line;
    while (NextLineInSection(lines)) {
        lines.readLine(line);
        if (!line.isEmpty())
            applyKeyLine(settings, EvaluatedPart(line, kProjectLineLimit));
    }
    throwIfFailed(lines);
}

} // namespace

bool ReadProjectSettings(QIODevice& device, ProjectSettings& settings)
{
    ProjectLineReader lines(device);
    settings.FixedPointsDamaged = false;
    settings.StretchRules.clear();
    settings.Facade.reset();
    bool ownFound = false;
    bool facadeFound = false;
    bool pointsFound = false;
    bool rulesFound = false;
    // Set once the program's section and the points are read whole: the reading goes on only
    // for the rules then, and a failure further on costs nothing but them.
    bool pointsSettled = false;
    QByteArray line;
    while (!(pointsSettled && rulesFound && facadeFound) && !lines.atEnd()) {
        lines.readLine(line);
        if (!ownFound && IsProjectSectionHeader(line)) {
            ownFound = true;
            throwIfFailed(lines);
            if (lines.atEnd())
                return false;
            readOwnSection(lines, settings);
        } else if (!pointsFound && IsFixedPointsHeader(line)) {
            pointsFound = true;
            settings.FixedPoints = ReadFixedPointsSection(lines);
            settings.FixedPointsDamaged = !settings.FixedPoints;
        } else if (!rulesFound && IsStretchRulesHeader(line)) {
            rulesFound = true;
            settings.StretchRules = ReadStretchRulesSection(lines);
        } else if (!facadeFound && IsFacadeHeader(line)) {
            facadeFound = true;
            settings.Facade = ReadKeyedSection(lines);
        }
        pointsSettled = pointsSettled || (ownFound && pointsFound && !lines.failed());
    }
    if (!ownFound)
        throwIfFailed(lines);
    // The program's section was read whole: a file that fails after it still opens, only the
    // points it may hold further on are unknown. The rules read may be cut short, and mean
    // nothing without the points anyway.
    if (lines.failed()) {
        settings.StretchRules.clear();
        settings.Facade.reset();
        if (!pointsSettled) {
            settings.FixedPoints.reset();
            settings.FixedPointsDamaged = true;
        }
    }
    return ownFound;
}

ProjectReadResult ReadProjectFile(const QString& fileName, ProjectSettings& settings)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return ProjectReadResult::FileMissing;
    // Only a regular file: a directory cannot be read, and opening a FIFO would wait forever.
    if (!info.isFile())
        return ProjectReadResult::NotRead;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return ProjectReadResult::NotRead;
    return ReadProjectSettings(file, settings) ? ProjectReadResult::Read
                                               : ProjectReadResult::NotRead;
}
