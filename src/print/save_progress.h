#pragma once

#include <QElapsedTimer>

#include <chrono>
#include <memory>

class QProgressDialog;
class QWidget;

// How far a long save of pages is. From `showAfter` on, a window says how many pages are saved,
// with "Annuleren"; between pages the windows are kept painted.
class SaveProgress {
public:
    SaveProgress(QWidget* parent, std::chrono::milliseconds showAfter);
    ~SaveProgress();
    SaveProgress(const SaveProgress&) = delete;
    SaveProgress& operator=(const SaveProgress&) = delete;

    // After each page on disk; false once the user cancelled.
    bool pageWritten(int written, int total);
    bool cancelled() const { return m_cancelled; }

private:
    QWidget* m_parent;
    std::chrono::milliseconds m_showAfter;
    QElapsedTimer m_clock;
    std::unique_ptr<QProgressDialog> m_window;
    bool m_cancelled = false;
};
