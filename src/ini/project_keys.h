#pragma once

#include <QByteArray>

// The key of a key line: everything before the first "=", ASCII letters upper-cased, nothing
// trimmed; empty when the line has no "=". Only the first 255 bytes of the line count.
QByteArray ProjectKeyOf(const QByteArray& line);

// The value of a key line: everything after the first "=", unchanged; empty when the line has
// no "=". Only the first 255 bytes of the line count.
QByteArray ProjectValueOf(const QByteArray& line);

// Whether a line heads the program's own section: "[VANTORBEL]" in any letter case, alone.
bool IsProjectSectionHeader(const QByteArray& line);

// Whether a line heads the section of the plan's fixed points, in any letter case, alone.
bool IsFixedPointsHeader(const QByteArray& line);

// Whether a line heads the section of the rules of the plan's stretches, in any letter case,
// alone.
bool IsStretchRulesHeader(const QByteArray& line);

// Whether a line heads the section of the facade, in any letter case, alone.
bool IsFacadeHeader(const QByteArray& line);

inline constexpr char kProjectSectionHeader[] = "[VANTORBEL]";
inline constexpr char kFixedPointsHeader[] = "[VASTE PUNTEN]";
inline constexpr char kStretchRulesHeader[] = "[VASTE PUNTEN SOORT]";
inline constexpr char kFacadeHeader[] = "[GEVEL]";
