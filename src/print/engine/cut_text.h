#pragma once

// Texts shortened to the room they have, ending in "…" where they were cut. A cut falls between
// characters as the reader sees them: never inside a surrogate pair, never before a combining
// mark.

#include <QString>

#include <cstddef>
#include <functional>

// The text as it fits in `width` by `measure`: whole, or its longest start that fits with "…"
// after it; empty when not even "…" fits.
QString CutToWidth(const QString& text, int width,
                   const std::function<int(const QString&)>& measure);

// The text with at most `characters` characters, and "…" after them when it had more.
QString CutToLength(const QString& text, std::size_t characters);
