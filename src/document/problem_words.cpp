#include "problem_words.h"

#include "shown_height.h"

#include "facade_words.h"

#include "calc/number_reader.h"
#include "facade/facade_plans.h"

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

namespace {

// The field as the Gevel window labels it, and its text as typed.
std::pair<QString, std::string> FacadeFieldOf(facade::FacadeField field,
                                              const facade::FacadeTexts& texts, std::size_t opening)
{
    using facade::FacadeField;
    const facade::OpeningTexts none;
    const facade::OpeningTexts& row =
        opening < texts.openings.size() ? texts.openings[opening] : none;
    switch (field) {
    case FacadeField::HeadStone:
        return {QStringLiteral("Steenbreedte"), texts.heads.stone};
    case FacadeField::HeadJoint:
        return {QStringLiteral("Stootvoeg"), texts.heads.joint};
    case FacadeField::HeadJointFrom:
        return {QStringLiteral("Stootvoeg van"), texts.heads.jointFrom};
    case FacadeField::HeadJointTo:
        return {QStringLiteral("Stootvoeg tot"), texts.heads.jointTo};
    case FacadeField::StoneLength:
        return {QStringLiteral("Steenlengte"), texts.stoneLength};
    case FacadeField::CourseStone:
        return {QStringLiteral("Steendikte"), texts.courses.stone};
    case FacadeField::CourseJoint:
        return {QStringLiteral("Lintvoeg"), texts.courses.joint};
    case FacadeField::CourseJointFrom:
        return {QStringLiteral("Lintvoeg van"), texts.courses.jointFrom};
    case FacadeField::CourseJointTo:
        return {QStringLiteral("Lintvoeg tot"), texts.courses.jointTo};
    case FacadeField::Width:
        return {QStringLiteral("Breedte"), texts.width};
    case FacadeField::Height:
        return {QStringLiteral("Hoogte"), texts.height};
    case FacadeField::Breakage:
        return {QStringLiteral("Breuk"), texts.breakage};
    case FacadeField::Name:
        return {QStringLiteral("naam"), row.name};
    case FacadeField::Left:
        return {QStringLiteral("links"), row.left};
    case FacadeField::Right:
        return {QStringLiteral("rechts"), row.right};
    case FacadeField::Bottom:
        return {QStringLiteral("onder"), row.bottom};
    case FacadeField::Top:
        break;
    }
    return {QStringLiteral("boven"), row.top};
}

QString OpeningName(const facade::FacadeTexts& texts, std::size_t opening)
{
    const std::string& name = texts.openings[opening].name;
    return name.empty() ? QString::number(opening + 1) : QString::fromStdString(name);
}

} // namespace

QString FacadeProblemText(const facade::FacadeError& error, const facade::FacadeTexts& texts,
                          const calc::RegionalFormat& format)
{
    using facade::FacadeProblem;
    const bool ofOpening = error.field >= facade::FacadeField::Name;
    const auto [label, typed] = FacadeFieldOf(error.field, texts, error.opening);
    switch (error.problem) {
    case FacadeProblem::NotANumber: {
        const QString why = QString::fromStdString(calc::NotANumberMessage(typed));
        return ofOpening ? QStringLiteral("Sparing %1, %2: %3")
                               .arg(OpeningName(texts, error.opening), label, why)
                         : QStringLiteral("%1: %2").arg(label, why);
    }
    case FacadeProblem::Bricks:
        return error.brick
                   ? FitProblemText(*error.brick, error.heads ? HeadModeWords() : CourseModeWords(),
                                    QString::fromStdString(typed), format)
                   : QString();
    case FacadeProblem::NotPositive:
        return QStringLiteral("%1 moet groter dan 0 zijn").arg(label);
    case FacadeProblem::StoneLengthShort:
        return QStringLiteral("Steenlengte moet groter zijn dan de stootvoeg");
    case FacadeProblem::BreakageOutOfRange:
        return QStringLiteral("Breuk moet tussen 0 en 100 % liggen");
    case FacadeProblem::TooManyOpenings:
        return QStringLiteral("Meer dan %1 sparingen").arg(facade::kMaxOpenings);
    case FacadeProblem::NameTooLong:
        return QStringLiteral("De naam van sparing %1 is langer dan %2 tekens")
            .arg(QString::number(error.opening + 1), QString::number(facade::kMaxOpeningName));
    case FacadeProblem::OutsideWidth:
        return QStringLiteral("Sparing %1 ligt niet binnen de breedte, met metselwerk ernaast")
            .arg(OpeningName(texts, error.opening));
    case FacadeProblem::OutsideHeight:
        return QStringLiteral("Sparing %1 ligt niet tussen peil en bovenkant")
            .arg(OpeningName(texts, error.opening));
    case FacadeProblem::PartialOverlap:
        return QStringLiteral("Sparing %1 overlapt %2 gedeeltelijk in de breedte")
            .arg(OpeningName(texts, error.opening), OpeningName(texts, error.other));
    case FacadeProblem::StackedOverlap:
        return QStringLiteral("Sparing %1 overlapt %2 in de hoogte")
            .arg(OpeningName(texts, error.opening), OpeningName(texts, error.other));
    case FacadeProblem::StretchCannotFill: {
        FacadeNames names{{}, texts.leftEnd, texts.rightEnd};
        for (const facade::OpeningTexts& opening : texts.openings)
            names.openings.push_back(opening.name);
        const QString stretch = FacadePointName(error.fromPoint, error.heads, names) +
                                QStringLiteral(" – ") +
                                FacadePointName(error.toPoint, error.heads, names);
        const ModeWords& words = error.heads ? HeadModeWords() : CourseModeWords();
        const QString why =
            error.stretch == calc::FitProblem::TooManyCourses
                ? QStringLiteral("meer dan %1 %2")
                      .arg(ShownHeight(calc::kMaxFitCount, 0, format), words.courses)
                : QStringLiteral("geen hele %1 past").arg(words.numberHeader.toLower());
        const QString kind = error.rule == calc::FitRule::LessJoint   ? QStringLiteral("Penant")
                             : error.rule == calc::FitRule::PlusJoint ? QStringLiteral("Sparing")
                                                                      : QStringLiteral("Vak");
        return QStringLiteral("%1 %2: %3").arg(kind, stretch, why);
    }
    case FacadeProblem::TooManyStones:
        return QStringLiteral("Meer dan %1 koppen maal lagen: zo'n gevel wordt niet gelegd")
            .arg(ShownHeight(double(facade::kMaxLaidHeads), 0, format));
    }
    return {};
}
