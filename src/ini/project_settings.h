#pragma once

#include <QString>

#include <optional>
#include <vector>

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

// One fixed point of the plan: its name, its height as typed, and the count typed for the stretch
// that ends at it (0: none). `rule`: what that stretch is built of (0 n × maat, 1 less a joint,
// 2 plus a joint); not in this point's line of the file, which older builds read, but in a
// section of its own.
struct FixedPointTexts {
    QString name;
    QString height;
    int typedCount = 0;
    int rule = 0;

    bool operator==(const FixedPointTexts&) const = default;
};

// A plan has at most this many fixed points, and a name at most this many UTF-16 units (what a
// line edit's maximum length counts): within them a point always fits on one line of the file.
inline constexpr std::size_t kMaxFixedPoints = 50;
inline constexpr qsizetype kMaxFixedPointNameLength = 60;

// The rule a stretch of the plan is divided by, keyed by its two points' heights as typed
// (lower first): 1 "n × maat − voeg" (a pier), 2 "n × maat + voeg" (an opening). The default
// rule 0, "n × maat", is never written.
struct StretchRuleTexts {
    QString from;
    QString to;
    int rule = 0;
    bool operator==(const StretchRuleTexts&) const = default;
};

// A line of a section the program keeps as key and value, its meaning left to the document: the
// key upper-cased, the value as written.
struct KeyedLine {
    QByteArray key;
    QString value;

    bool operator==(const KeyedLine&) const = default;
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
    // The [VASTE PUNTEN] section: none until the user has changed the points, and then kept
    // with the project even when the list is empty.
    std::optional<std::vector<FixedPointTexts>> FixedPoints = std::nullopt;
    // Set by the reader when that section is there but could not be read: the points are then
    // none, and the rest of the project opens as usual.
    bool FixedPointsDamaged = false;
    // The [VASTE PUNTEN SOORT] section: the rules of the stretches between the points, in the
    // file's order; they mean something only along with FixedPoints.
    std::vector<StretchRuleTexts> StretchRules = {};
    // The [GEVEL] section: none until the user has changed the facade.
    std::optional<std::vector<KeyedLine>> Facade = std::nullopt;

    bool operator==(const ProjectSettings&) const = default;
};
