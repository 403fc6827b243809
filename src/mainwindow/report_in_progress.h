#pragma once

#include <QWidget>

#include <vector>

// Where the running report's pages go. Closing the main window loses a printer's pages, so it
// asks first; a preview is only for looking, so it does not.
enum class RunningReport { None, ToScreen, ToPrinter };

// While a report runs, pending events are processed once per line: the window keeps painting,
// but takes no command and no typing until the report is done.
class ReportInProgress {
public:
    ReportInProgress(RunningReport& running, RunningReport now, std::vector<QWidget*> held)
        : m_running(running)
        , m_held(std::move(held))
    {
        m_running = now;
        for (QWidget* widget : m_held)
            widget->setEnabled(false);
    }
    ~ReportInProgress()
    {
        for (QWidget* widget : m_held)
            widget->setEnabled(true);
        m_running = RunningReport::None;
    }
    ReportInProgress(const ReportInProgress&) = delete;
    ReportInProgress& operator=(const ReportInProgress&) = delete;

private:
    RunningReport& m_running;
    std::vector<QWidget*> m_held;
};
