#pragma once

#include <optional>
#include <utility>

// How the preview window places itself when it is shown, as the window keeps it.
enum class PreviewOpenState { Normal = 0, Minimized = 1, WorkArea = 2 };

// The same choice as the engine's callers give it; WorkAreaToo is a second code for WorkArea.
enum class PreviewWindowCode { Normal = 1, Minimized = 2, WorkArea = 3, WorkAreaToo = -1 };

// The one translation between the two numberings; nothing for a code that is none of them.
constexpr std::optional<PreviewOpenState> OpenStateOf(PreviewWindowCode code)
{
    constexpr std::pair<PreviewWindowCode, PreviewOpenState> kStates[] = {
        {PreviewWindowCode::Normal, PreviewOpenState::Normal},
        {PreviewWindowCode::Minimized, PreviewOpenState::Minimized},
        {PreviewWindowCode::WorkArea, PreviewOpenState::WorkArea},
        {PreviewWindowCode::WorkAreaToo, PreviewOpenState::WorkArea},
    };
    for (const auto& [known, state] : kStates)
        if (known == code)
            return state;
    return std::nullopt;
}
