#pragma once

#include "project_settings.h"

// The keys of the program's section, in the order they are written.
enum class ProjectItem { Text, FontName, FontSize, FontStyle };

struct ProjectKey {
    const char* key;
    ProjectItem item;
    QString ProjectSettings::*text; // for ProjectItem::Text
};

inline constexpr ProjectKey kProjectKeys[] = {
    {"PROJECTNAAM", ProjectItem::Text, &ProjectSettings::ProjectName},
    {"VANTORBEL", ProjectItem::Text, &ProjectSettings::Gauge},
    {"ONDERHOOGTE", ProjectItem::Text, &ProjectSettings::Bottom},
    {"BOVENHOOGTE", ProjectItem::Text, &ProjectSettings::Top},
    {"DECIMALEN", ProjectItem::Text, &ProjectSettings::Decimals},
    {"MODE", ProjectItem::Text, &ProjectSettings::Mode},
    {"FONTNAME", ProjectItem::FontName, nullptr},
    {"FONTSIZE", ProjectItem::FontSize, nullptr},
    {"FONTSTYLE", ProjectItem::FontStyle, nullptr},
};

// The values of MODE: the main window's course mode and head mode.
inline constexpr char kProjectModeCourse[] = "1";
inline constexpr char kProjectModeHead[] = "2";

// The style words, in the order in which the first style a font has is chosen for writing.
struct ProjectStyleWord {
    const char* word;
    bool ProjectFont::*style;
};

inline constexpr ProjectStyleWord kProjectStyleWords[] = {
    {"FSBOLD", &ProjectFont::bold},
    {"FSITALIC", &ProjectFont::italic},
    {"FSUNDERLINE", &ProjectFont::underline},
    {"FSSTRIKEOUT", &ProjectFont::strikeOut},
};
