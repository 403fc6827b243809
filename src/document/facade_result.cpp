#include "facade_result.h"

#include "facade_texts.h"
#include "problem_words.h"

#include "facade/facade_reading.h"

std::variant<std::shared_ptr<const FacadeResult>, QString>
SetOutFacade(const CourseProject& project, const calc::RegionalFormat& format)
{
    const facade::FacadeTexts texts = FacadeTextsOf(project);
    auto read = facade::ReadFacade(texts, format);
    if (const auto* error = std::get_if<facade::FacadeError>(&read))
        return FacadeProblemText(*error, texts, format);
    auto result = std::make_shared<FacadeResult>();
    result->inputs = std::move(std::get<facade::FacadeInputs>(read));
    auto plans = facade::MakeFacadePlans(result->inputs, format);
    if (const auto* error = std::get_if<facade::FacadeError>(&plans))
        return FacadeProblemText(*error, texts, format);
    result->plans = std::move(std::get<facade::FacadePlans>(plans));
    result->laid = facade::LayFacade(result->inputs, result->plans);
    result->drawing = facade::DrawFacade(result->inputs, result->plans, result->laid, format);
    return std::shared_ptr<const FacadeResult>(std::move(result));
}
