#include "problem_words.h"

#include "shown_height.h"

#include "calc/number_reader.h"

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
                       const QString& fieldText, const calc::RegionalFormat& format)
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
            .arg(ShownHeight(calc::kMaxFitCount, 0, format), words.courses);
    case calc::FitProblem::NothingFits:
        return QStringLiteral("Er past geen hele %1 tussen %2 en %3")
            .arg(words.numberHeader.toLower(), WithoutColon(words.bottomLabel).toLower(),
                 WithoutColon(words.topLabel).toLower());
    }
    return {};
}

QString PlanProblemText(const calc::PlanError& error, const ModeWords& words,
                        const std::vector<PointTexts>& typed,
                        const std::function<QString(calc::FitField)>& fieldText,
                        const calc::RegionalFormat& format)
{
    // A point by its name, or by its height where it has none.
    const auto named = [&typed](std::size_t row) {
        const PointTexts& point = typed[row];
        return point.name.isEmpty() ? point.height.trimmed() : point.name;
    };
    switch (error.problem) {
    case calc::PlanProblem::NotANumber: {
        const QString why =
            QString::fromStdString(calc::NotANumberMessage(typed[error.row].height.toStdString()));
        // Without a name the text itself names the point.
        return typed[error.row].name.isEmpty()
                   ? why
                   : QStringLiteral("Punt %1: %2").arg(typed[error.row].name, why);
    }
    case calc::PlanProblem::SamePoint:
        return QStringLiteral("Punt %1 heeft dezelfde %2 als punt %3")
            .arg(named(error.row), words.valueHeader.toLower(), named(error.otherRow));
    case calc::PlanProblem::TooFewPoints:
        return QStringLiteral("Er zijn minstens twee punten met een %1 nodig")
            .arg(words.valueHeader.toLower());
    case calc::PlanProblem::TooManyPoints:
        return QStringLiteral("Meer dan %1 punten").arg(calc::kMaxPlanPoints);
    case calc::PlanProblem::Brick:
        return error.brick
                   ? FitProblemText(*error.brick, words, fieldText(error.brick->field), format)
                   : QString();
    case calc::PlanProblem::TooManyCourses:
        return QStringLiteral("Meer dan %1 %2 in totaal: zoveel regels kan de lijst niet tonen")
            .arg(ShownHeight(calc::kMaxCourseRows, 0, format), words.courses);
    }
    return {};
}

QString StretchFaultText(calc::StretchFault fault, std::int32_t count, const QString& stones,
                         const ModeWords& words, const calc::RegionalFormat& format)
{
    switch (fault) {
    case calc::StretchFault::NothingFits:
        return QStringLiteral("geen hele %1 past").arg(words.numberHeader.toLower());
    case calc::StretchFault::TooManyCourses:
        return QStringLiteral("meer dan %1 %2")
            .arg(ShownHeight(calc::kMaxFitCount, 0, format), words.courses);
    case calc::StretchFault::PierTooShort:
        return QStringLiteral("%1 vraagt minstens 2 %2")
            .arg(words.ruleKinds[static_cast<std::size_t>(calc::FitRule::LessJoint)],
                 words.courses);
    case calc::StretchFault::StonesFill:
        return QStringLiteral("%1 %2 passen niet, de stenen alleen zijn al %3")
            .arg(QString::number(count), words.courses, stones);
    case calc::StretchFault::NoGaugeText:
        return QStringLiteral("geen %1 te vinden").arg(words.gauge);
    }
    return {};
}
