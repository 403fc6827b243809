#include "platform/print_system/chosen_pages.h"

namespace platform {
namespace {

constexpr QLatin1StringView kPageRanges("page-ranges");
constexpr QLatin1StringView kPageSet("page-set");

QString optionValue(const QStringList& cupsOptions, QLatin1StringView name)
{
    for (qsizetype i = 0; i + 1 < cupsOptions.size(); i += 2)
        if (cupsOptions[i] == name)
            return cupsOptions[i + 1];
    return {};
}

QString pagesWord(int pages)
{
    return pages == 1 ? QStringLiteral("1 blad") : QStringLiteral("%1 bladen").arg(pages);
}

} // namespace

ChosenPages ChosenPages::Of(const QPageRanges& printerRange, const QStringList& cupsOptions)
{
    ChosenPages chosen;
    const bool range = !printerRange.isEmpty();
    // A list of pages ("1-3,5") Qt leaves to CUPS; a from–to range it keeps on the printer.
    chosen.m_ranges =
        range ? printerRange : QPageRanges::fromString(optionValue(cupsOptions, kPageRanges));
    const QString set = optionValue(cupsOptions, kPageSet);
    chosen.m_parity = set == u"odd" ? Parity::Odd : set == u"even" ? Parity::Even : Parity::Any;
    // Undo Qt's swap: the user's odd pages are the report's odd pages.
    if (range && !chosen.m_ranges.isEmpty() && chosen.m_ranges.firstPage() % 2 == 0 &&
        chosen.m_parity != Parity::Any)
        chosen.m_parity = chosen.m_parity == Parity::Odd ? Parity::Even : Parity::Odd;
    return chosen;
}

bool ChosenPages::contains(int page) const
{
    if (!m_ranges.isEmpty() && !m_ranges.contains(page))
        return false;
    switch (m_parity) {
    case Parity::Odd:
        return page % 2 == 1;
    case Parity::Even:
        return page % 2 == 0;
    case Parity::Any:
        break;
    }
    return true;
}

QString ChosenPages::nothingPrinted(int pages) const
{
    if (m_ranges.isEmpty())
        return QStringLiteral("Het verslag heeft geen %1 bladen; er is niets afgedrukt.")
            .arg(m_parity == Parity::Odd ? QStringLiteral("oneven") : QStringLiteral("even"));
    const int first = m_ranges.firstPage();
    const int last = m_ranges.lastPage();
    const QString chosen = first == last ? QStringLiteral("Blad %1").arg(first)
                                         : QStringLiteral("Blad %1 tot %2").arg(first).arg(last);
    if (first > pages)
        return QStringLiteral("%1 %2 niet; het verslag heeft %3.")
            .arg(chosen, first == last ? QStringLiteral("bestaat") : QStringLiteral("bestaan"),
                 pagesWord(pages));
    return QStringLiteral("%1 heeft geen %2 bladen; er is niets afgedrukt.")
        .arg(chosen, m_parity == Parity::Odd ? QStringLiteral("oneven") : QStringLiteral("even"));
}

QStringList WithoutPageChoice(const QStringList& cupsOptions)
{
    QStringList kept;
    for (qsizetype i = 0; i + 1 < cupsOptions.size(); i += 2)
        if (cupsOptions[i] != kPageRanges && cupsOptions[i] != kPageSet)
            kept << cupsOptions[i] << cupsOptions[i + 1];
    return kept;
}

} // namespace platform
