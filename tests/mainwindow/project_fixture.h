#pragma once

#include "form_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// The main window with a folder of its own, and the user opening and saving project files
// there through the toolbar: the file dialog answers with the file named.
class ProjectFixture : public FormFixture {
protected:
    QString path(const char* name) const { return folder.filePath(QLatin1String(name)); }
    void open(const QString& file)
    {
        files.answers.push_back(file);
        click("ToolButton1");
    }
    void save(const QString& file)
    {
        files.answers.push_back(file);
        click("ToolButton2");
    }

    static QByteArray contents(const QString& file)
    {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<unreadable>");
    }
    static void put(const QString& file, const QByteArray& bytes)
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(out.write(bytes), bytes.size());
    }
    // Everything in the folder, or in a folder within it: left-over files too.
    QStringList entries(const char* subfolder = ".") const
    {
        return QDir(path(subfolder))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    QStringList boxTexts() const
    {
        QStringList texts;
        for (const auto& box : boxes.boxes)
            texts << box.text;
        return texts;
    }

    QTemporaryDir folder;
    FileChooserStub files;
};
