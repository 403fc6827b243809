#include "print/engine/cut_text.h"

#include <QTextBoundaryFinder>

#include <vector>

namespace {

const QString kEllipsis = QStringLiteral("…");

// Where the text may be cut: 0, after each character as the reader sees it, and its end.
std::vector<qsizetype> CutPlaces(const QString& text)
{
    std::vector<qsizetype> places{0};
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary())
        places.push_back(at);
    return places;
}

} // namespace

QString CutToWidth(const QString& text, int width,
                   const std::function<int(const QString&)>& measure)
{
    if (measure(text) <= width)
        return text;
    if (measure(kEllipsis) > width)
        return {};
    // Halving: a name pasted in by mistake may be thousands of characters long, and many rows
    // of a long report may carry one.
    const std::vector<qsizetype> places = CutPlaces(text);
    std::size_t fits = 0;                    // "…" alone
    std::size_t tooLong = places.size() - 1; // the whole text
    while (tooLong - fits > 1) {
        const std::size_t middle = fits + (tooLong - fits) / 2;
        if (measure(text.left(places[middle]) + kEllipsis) <= width)
            fits = middle;
        else
            tooLong = middle;
    }
    return text.left(places[fits]) + kEllipsis;
}

QString CutToLength(const QString& text, std::size_t characters)
{
    const std::vector<qsizetype> places = CutPlaces(text);
    if (places.size() <= characters + 1)
        return text;
    return text.left(places[characters]) + kEllipsis;
}
