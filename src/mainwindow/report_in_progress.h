#pragma once

#include <QWidget>

#include <vector>

// While a report runs, pending events are processed once per line: the window keeps painting,
// but takes no command and no typing until the report is done.
class ReportInProgress {
public:
    ReportInProgress(bool& running, std::vector<QWidget*> held)
        : m_running(running)
        , m_held(std::move(held))
    {
        m_running = true;
        for (QWidget* widget : m_held)
            widget->setEnabled(false);
    }
    ~ReportInProgress()
    {
        for (QWidget* widget : m_held)
            widget->setEnabled(true);
        m_running = false;
    }
    ReportInProgress(const ReportInProgress&) = delete;
    ReportInProgress& operator=(const ReportInProgress&) = delete;

private:
    bool& m_running;
    std::vector<QWidget*> m_held;
};
