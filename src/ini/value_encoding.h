#pragma once

#include <QByteArray>
#include <QString>

// Values are written in UTF-8. A value that is not valid UTF-8 comes from an older project file
// written on a Western Windows machine and is read as Windows-1252, accents intact.
QString DecodeProjectValue(const QByteArray& bytes);

// The bytes of a value as written: UTF-8 without line breaks or Ctrl-Z, which would end the line
// or the file early and break the file's structure.
QByteArray EncodeProjectValue(const QString& value);

// Cuts a line to at most `limit` bytes without splitting a UTF-8 character.
QByteArray CutAtCharacter(const QByteArray& line, qsizetype limit);

// The part of a line that is evaluated: its first `limit` bytes. When a UTF-8 character straddles
// the limit and the bytes before it are UTF-8, the part ends before that character instead, so
// that the value still reads as UTF-8 rather than as Windows-1252 throughout.
QByteArray EvaluatedPart(const QByteArray& line, qsizetype limit);
