#include "fit_problem_text.h"

#include "calc/number_reader.h"
#include "document/shown_height.h"
#include "platform/toolkit/regional_settings.h"

QString FitFieldLabel(calc::FitField field, const ModeWords& words)
{
    switch (field) {
    case calc::FitField::Bottom:
        return words.bottomLabel;
    case calc::FitField::Top:
        return words.topLabel;
    case calc::FitField::Stone:
        return words.stoneLabel;
    case calc::FitField::Joint:
        return words.jointLabel;
    case calc::FitField::JointFrom:
        return QStringLiteral("Voeg van:");
    case calc::FitField::JointTo:
        return QStringLiteral("tot:");
    case calc::FitField::Decimals:
        return QStringLiteral("Decimalen:");
    case calc::FitField::Gauge:
        break;
    }
    return words.gaugeLabel;
}

QString FitProblemText(const calc::FitError& error, const ModeWords& words,
                       const QString& fieldText)
{
    // Every line has one colon at most: the field's label loses its own where the line has one.
    const QString label = WithoutColon(FitFieldLabel(error.field, words));
    const QString stone = WithoutColon(words.stoneLabel);
    const QString joint = WithoutColon(words.jointLabel);
    switch (error.problem) {
    case calc::FitProblem::NotANumber:
    case calc::FitProblem::NotAWholeNumber: {
        const std::string text = fieldText.toStdString();
        return FitFieldLabel(error.field, words) + QLatin1Char(' ') +
               QString::fromStdString(error.problem == calc::FitProblem::NotANumber
                                          ? calc::NotANumberMessage(text)
                                          : calc::NotAWholeNumberMessage(text));
    }
    case calc::FitProblem::LengthNotPositive:
        return QStringLiteral("%1 moet groter zijn dan %2")
            .arg(WithoutColon(words.topLabel), WithoutColon(words.bottomLabel).toLower());
    case calc::FitProblem::StoneNotPositive:
        return QStringLiteral("%1 moet groter dan 0 zijn").arg(stone);
    case calc::FitProblem::JointNotPositive:
        return QStringLiteral("%1 moet groter dan 0 zijn").arg(joint);
    case calc::FitProblem::LimitNegative:
        return QStringLiteral("Voeg %1 mag niet negatief zijn")
            .arg(error.field == calc::FitField::JointFrom ? QStringLiteral("van")
                                                          : QStringLiteral("tot"));
    case calc::FitProblem::LimitsReversed:
        return QStringLiteral("Voeg van is groter dan tot");
    case calc::FitProblem::GaugeNotAboveStone:
        return QStringLiteral("%1 %2 is niet groter dan de %3: er blijft geen voeg over")
            .arg(label, fieldText, stone.toLower());
    case calc::FitProblem::TooManyCourses:
        return QStringLiteral("Meer dan %1 %2: zoveel regels kan de tabel niet tonen")
            .arg(ShownHeight(calc::kMaxFitCount, 0, platform::CurrentRegionalFormat()),
                 words.courses);
    case calc::FitProblem::NothingFits:
        return QStringLiteral("Er past geen hele %1 tussen %2 en %3")
            .arg(words.numberHeader.toLower(), WithoutColon(words.bottomLabel).toLower(),
                 WithoutColon(words.topLabel).toLower());
    }
    return {};
}
