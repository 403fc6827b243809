#pragma once

#include <QString>

// The table font as a project file keeps it: face, whole points and the four styles. Colour and
// character set are not stored.
struct ProjectFont {
    QString name;
    int size = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const ProjectFont&) const = default;
};

// What the [VANTORBEL] section of a project file holds: the field texts exactly as typed, the
// mode code ("1" course mode, "2" head mode) and the table font.
struct ProjectSettings {
    QString ProjectName;
    QString Gauge;
    QString Bottom;
    QString Top;
    QString Decimals;
    QString Mode;
    ProjectFont Font;

    bool operator==(const ProjectSettings&) const = default;
};
