#pragma once

#include "platform/files/file_dialog.h"
#include "platform/fonts/font_chooser.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/modal_runner.h"
#include "platform/toolkit/url_opener.h"

#include <QGuiApplication>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

// Records every box instead of showing it, so that no test blocks on a modal window.
class MessageBoxRecorder final : public platform::MessageBoxPresenter {
public:
    struct Box {
        QPointer<QWidget> owner;
        QString text;
        QString caption;
        platform::BoxIcon icon;
        bool underBusyCursor = false;
    };

    MessageBoxRecorder()
        : m_seam(*this)
    {
    }
    int present(QWidget* owner, const QString& text, const QString& caption,
                platform::BoxIcon icon) override;
    bool ask(QWidget* owner, const QString& text, const QString& caption) override;

    std::vector<Box> boxes;
    // What the user answers to questions, which are recorded among the boxes.
    bool answerYes = false;

private:
    platform::ScopedStandIn<platform::MessageBoxPresenter> m_seam;
};

class UrlOpenerRecorder final : public platform::UrlOpener {
public:
    UrlOpenerRecorder()
        : m_seam(*this)
    {
    }
    void open(const QString& address) override { addresses.push_back(address); }

    std::vector<QString> addresses;

private:
    platform::ScopedStandIn<platform::UrlOpener> m_seam;
};

// Answers the font dialog as the test tells it: a font, or nothing for Cancel; the colour stays
// unless the test chooses one.
class FontChooserStub final : public platform::FontChooser {
public:
    explicit FontChooserStub(std::optional<QFont> answer, std::optional<QColor> colour = {})
        : answer(std::move(answer))
        , colour(colour)
        , m_seam(*this)
    {
    }
    std::optional<platform::FontChoice> choose(QWidget*,
                                               const platform::FontChoice& initial) override
    {
        offered = initial.font;
        if (!answer)
            return std::nullopt;
        return platform::FontChoice{*answer, colour.value_or(initial.color)};
    }

    std::optional<QFont> answer;
    std::optional<QColor> colour;
    std::optional<QFont> offered;

private:
    platform::ScopedStandIn<platform::FontChooser> m_seam;
};

// Answers file dialogs from a queue of chosen paths (an empty path, or nothing queued: Cancel)
// and records what was asked.
class FileChooserStub final : public platform::FileChooser {
public:
    FileChooserStub()
        : m_seam(*this)
    {
    }
    std::optional<platform::ChosenFile> choose(QWidget*,
                                               const platform::FileDialogRequest& request) override
    {
        requests.push_back(request);
        underBusyCursor.push_back(QGuiApplication::overrideCursor() != nullptr);
        if (answers.empty())
            return std::nullopt;
        const QString answer = answers.front();
        answers.pop_front();
        const int type = types.empty() ? 0 : types.front();
        if (!types.empty())
            types.pop_front();
        if (answer.isEmpty())
            return std::nullopt;
        return platform::ChosenFile{answer, type};
    }

    std::deque<QString> answers;
    // The file type chosen with each answer; none queued: the first type.
    std::deque<int> types;
    std::vector<platform::FileDialogRequest> requests;
    std::vector<bool> underBusyCursor; // for each request

private:
    platform::ScopedStandIn<platform::FileChooser> m_seam;
};

// Plays the user of modal windows: the answer function sees the window and returns its result.
// Unset, every window is cancelled.
class ModalRunnerStub final : public platform::ModalRunner {
public:
    ModalRunnerStub()
        : m_seam(*this)
    {
    }
    int run(QDialog& dialog) override;

    std::function<int(QDialog&)> answer;
    int shown = 0;

private:
    platform::ScopedStandIn<platform::ModalRunner> m_seam;
};
