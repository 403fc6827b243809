#include "document/project_document.h"

#include <gtest/gtest.h>

namespace {

const calc::RegionalFormat kDutch{",", "."};

// What the windows hear, in order: each change once, and nothing when nothing changed.
TEST(ProjectDocument, TellsEachRealChangeOnceAndKeepsTheTableWithItsTexts)
{
    ProjectDocument document(QStringLiteral(","));
    std::vector<QString> heard;
    QObject::connect(&document, &ProjectDocument::textChanged, &document, [&](ProjectField field) {
        heard.push_back(QStringLiteral("tekst %1").arg(int(field)));
    });
    QObject::connect(&document, &ProjectDocument::modeChanged, &document,
                     [&] { heard.push_back(QStringLiteral("modus")); });
    QObject::connect(&document, &ProjectDocument::tableChanged, &document,
                     [&] { heard.push_back(QStringLiteral("tabel")); });

    ASSERT_FALSE(document.calculate(kDutch));
    EXPECT_EQ(document.project().table->rows.size(), 17u);
    // The project name keeps the table; the same text again is no change; a number drops it.
    document.setText(ProjectField::ProjectName, QStringLiteral("Schuur"));
    document.setText(ProjectField::Top, QStringLiteral("1000"));
    EXPECT_TRUE(document.project().table);
    document.setText(ProjectField::Top, QStringLiteral("2800"));
    EXPECT_FALSE(document.project().table);
    // An unreadable field leaves the table as it was.
    document.setText(ProjectField::Gauge, QStringLiteral("62.5"));
    const auto error = document.calculate(kDutch);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message, "62.5 is geen getal");
    // Head mode: the words first, then its gauge; pressing it again only puts the gauge back.
    document.setCourseMode(false);
    document.setText(ProjectField::Gauge, QStringLiteral("100"));
    document.setCourseMode(false);
    EXPECT_EQ(document.project().text(ProjectField::Gauge), QStringLiteral("110"));
    EXPECT_EQ(document.project().currentBricks().stone, QStringLiteral("100"));

    EXPECT_EQ(heard, (std::vector<QString>{"tabel", "tekst 0", "tekst 3", "tabel", "tekst 1",
                                           "modus", "tekst 1", "tekst 1", "tekst 1"}));
}

} // namespace
