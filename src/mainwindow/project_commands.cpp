// The open and save commands of the main window: between its fields and a project file.

#include "VantorForm.h"

#include "document/facade_lines.h"
#include "document/plan_points.h"
#include "document/project_font.h"
#include "ini/project_key_table.h"
#include "ini/project_reader.h"
#include "ini/project_writer.h"
#include "msg/Msg.h"
#include "platform/files/save_target.h"
#include "platform/files/write_failure.h"
#include "platform/toolkit/regional_settings.h"
#include "program_identity.h"

#include <QToolButton>

platform::FileDialogRequest TVantorForm::projectDialogSetup(bool save)
{
    platform::FileDialogRequest setup;
    setup.purpose = save ? platform::FileDialogRequest::Purpose::Save
                         : platform::FileDialogRequest::Purpose::Open;
    setup.title = save ? QStringLiteral("Vantorbel of koppenmaat bestand opslaan")
                       : QStringLiteral("Vantorbel of koppenmaat bestand openen");
    setup.filter = QStringLiteral("Inibestanden (*.ini)|*.ini|Alle bestanden (*.*)|*.*");
    setup.defaultSuffix = QStringLiteral("ini");
    return setup;
}

void TVantorForm::ToolButton1Click()
{
    openProject();
}

void TVantorForm::ToolButton2Click()
{
    saveProject();
}

void TVantorForm::saveProject()
{
    if (!m_dialogs.SaveDialog1.execute(this))
        return;
    const CourseProject& project = m_document.project();
    ProjectSettings settings;
    settings.ProjectName = project.text(ProjectField::ProjectName);
    settings.Gauge = project.text(ProjectField::Gauge);
    settings.Bottom = project.text(ProjectField::Bottom);
    settings.Top = project.text(ProjectField::Top);
    settings.Decimals = project.text(ProjectField::Decimals);
    settings.Mode = QLatin1String(project.courseMode ? kProjectModeCourse : kProjectModeHead);
    // Only points the user changed: a project whose points follow its levels stays as it was.
    settings.FixedPoints = project.points;
    if (project.points)
        settings.StretchRules = StretchRulesOf(*project.points, platform::CurrentRegionalFormat());
    settings.Font = ToProjectFont(project.tableFont.font);
    // Only a facade the user changed: a project never shown in Gevel stays as it was.
    if (project.facade)
        settings.Facade = FacadeLinesOf(*project.facade, project.bricks);
    const QString fileName = m_dialogs.SaveDialog1.fileName();
    if (WriteProjectFile(fileName, settings))
        return;
    // The save refused a file the user keeps from being written: saying so tells them why.
    if (platform::IsReadOnlyFile(fileName))
        MsgBox(platform::ReadOnlyText(fileName), QString::fromUtf8(kProgramName), MsgStyle::Error);
    else
        MsgError("Bestand kon niet geschreven worden!", kProgramName);
}

// The facade the project was saved with, and the bricks it was planned with back into the
// shared bricks; a project without one leaves the bricks as they are.
void TVantorForm::openFacade(const std::optional<std::vector<KeyedLine>>& lines)
{
    if (!lines) {
        m_document.openFacade(std::nullopt, {});
        return;
    }
    const OpenedFacade opened = FacadeFromLines(*lines);
    for (const bool courseMode : {true, false})
        if (const auto& bricks = opened.bricks[courseMode ? 0 : 1])
            m_document.setBricks(courseMode, *bricks);
    m_document.openFacade(opened.facade, opened.unread);
}

void TVantorForm::openProject()
{
    if (!m_dialogs.OpenDialog1.execute(this))
        return;
    const QString fileName = m_dialogs.OpenDialog1.fileName();
    ProjectSettings settings;
    settings.Font = ToolkitDefaultProjectFont();

    const ProjectReadResult result = ReadProjectFile(fileName, settings);
    if (result == ProjectReadResult::FileMissing)
        MsgWarningText(QStringLiteral("inifile niet gevonden\r") + fileName,
                       QString::fromUtf8(kProgramName));
    if (result != ProjectReadResult::Read) {
        MsgError("Bestand kon niet geopend worden!", kProgramName);
        return;
    }

    if (settings.Mode == QLatin1String(kProjectModeCourse))
        m_commands.VanTorbelButton->setChecked(true);
    else if (settings.Mode == QLatin1String(kProjectModeHead))
        m_commands.KoppenMaatButton->setChecked(true);
    switchMode();

    for (const auto& [field, text] : {std::pair{ProjectField::ProjectName, &settings.ProjectName},
                                      {ProjectField::Gauge, &settings.Gauge},
                                      {ProjectField::Bottom, &settings.Bottom},
                                      {ProjectField::Top, &settings.Top},
                                      {ProjectField::Decimals, &settings.Decimals}})
        m_document.setText(field, *text);
    if (settings.FixedPoints)
        ApplyStretchRules(*settings.FixedPoints, settings.StretchRules,
                          platform::CurrentRegionalFormat());
    m_document.openPoints(settings.FixedPoints, settings.FixedPointsDamaged);
    openFacade(settings.Facade);
    m_document.setTableFont({FromProjectFont(settings.Font), DefaultTableFont().color});
    calculate();
}
