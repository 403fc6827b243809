#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <chrono>
#include <memory>

class QProgressDialog;

// How far a long run over pages is (saving them, sending them to the printer). From
// `showAfter` on, a window captioned `title` says how far it is, `pageText` with %1 the pages
// done and %2 all of them, with "Annuleren"; between pages the windows are kept painted.
class PageProgress {
public:
    PageProgress(QWidget* parent, std::chrono::milliseconds showAfter, QString title,
                 QString pageText);
    ~PageProgress();
    PageProgress(const PageProgress&) = delete;
    PageProgress& operator=(const PageProgress&) = delete;

    // After each page done; false once the user cancelled.
    bool pageDone(int done, int total);
    bool cancelled() const { return m_cancelled; }

private:
    QPointer<QWidget> m_parent;
    std::chrono::milliseconds m_showAfter;
    QString m_title;
    QString m_pageText;
    // A run from a window on screen stops when that window is closed.
    bool m_parentShown = false;
    QElapsedTimer m_clock;
    std::unique_ptr<QProgressDialog> m_window;
    bool m_cancelled = false;
};
