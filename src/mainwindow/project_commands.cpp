// The open and save commands of the main window: between its fields and a project file.

#include "VantorForm.h"

#include "project_font.h"

#include "ini/project_key_table.h"
#include "ini/project_reader.h"
#include "ini/project_writer.h"
#include "msg/Msg.h"
#include "program_identity.h"

#include <QLineEdit>
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
    ProjectSettings settings;
    settings.ProjectName = m_inputs.ProjectNaamEdit->text();
    settings.Gauge = m_inputs.VantorbelEdit->text();
    settings.Bottom = m_inputs.OnderhoogteEdit->text();
    settings.Top = m_inputs.BovenhoogteEdit->text();
    settings.Decimals = m_inputs.DecimalenEdit->text();
    settings.Mode = QLatin1String(courseMode() ? kProjectModeCourse : kProjectModeHead);
    settings.Font = ToProjectFont(m_tableFont.font);
    if (!WriteProjectFile(m_dialogs.SaveDialog1.fileName(), settings))
        MsgError("Bestand kon niet geschreven worden!", kProgramName);
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

    m_inputs.ProjectNaamEdit->setText(settings.ProjectName);
    m_inputs.VantorbelEdit->setText(settings.Gauge);
    m_inputs.OnderhoogteEdit->setText(settings.Bottom);
    m_inputs.BovenhoogteEdit->setText(settings.Top);
    m_inputs.DecimalenEdit->setText(settings.Decimals);
    setTableFont({FromProjectFont(settings.Font), DefaultTableFont().color});
    calculate();
}
