#pragma once

#include <QFile>
#include <QProcess>
#include <QString>

// Makes a folder refuse new entries, also for root (who ignores permission bits), and undoes it.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(QString path)
        : m_path(std::move(path))
    {
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (acceptsNewFiles())
            m_immutable =
                QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), m_path}) == 0;
    }
    ~ReadOnlyFolder()
    {
        if (m_immutable)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_path});
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    }
    bool acceptsNewFiles() const
    {
        QFile probe(m_path + QStringLiteral("/probe"));
        const bool created = probe.open(QIODevice::WriteOnly);
        if (created)
            probe.remove();
        return created;
    }

private:
    QString m_path;
    bool m_immutable = false;
};
