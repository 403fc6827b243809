#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// A field of free text inside a value whose fields are separated by ";": a backslash and a
// semicolon in it are written "\\" and "\;", so that the first unescaped ";" after it ends it
// whatever the text holds.
QString EscapeField(QString text);

struct LeadingField {
    QString text;
    QString rest; // what follows the ";" that ends the field
};

// The escaped field a value starts with, unescaped; none when it holds an unknown escape or no
// ";" ends it.
std::optional<LeadingField> TakeEscapedField(QStringView value);
