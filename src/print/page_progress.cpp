#include "page_progress.h"

#include "platform/busy_cursor.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <utility>

PageProgress::PageProgress(QWidget* parent, std::chrono::milliseconds showAfter, QString title,
                           QString pageText)
    : m_parent(parent)
    , m_showAfter(showAfter)
    , m_title(std::move(title))
    , m_pageText(std::move(pageText))
{
    m_clock.start();
}

PageProgress::~PageProgress() = default;

bool PageProgress::pageDone(int done, int total)
{
    if (!m_window && m_clock.elapsed() >= m_showAfter.count()) {
        m_window = std::make_unique<QProgressDialog>(m_parent);
        m_window->setWindowTitle(m_title);
        m_window->setCancelButtonText(QStringLiteral("Annuleren"));
        m_window->setWindowModality(Qt::WindowModal);
        m_window->setAutoReset(false);
        m_window->setAutoClose(false);
        m_window->setMinimumDuration(0);
        m_window->setRange(0, total);
        // The user may stop the run now: no hourglass over the window that offers it.
        platform::SetDefaultCursor();
        m_window->show();
    }
    if (!m_window) {
        // Repaints only: the window takes no command while its pages are being worked on.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return true;
    }
    m_window->setLabelText(m_pageText.arg(done).arg(total));
    m_window->setValue(done);
    QCoreApplication::processEvents();
    m_cancelled = m_window->wasCanceled();
    return !m_cancelled;
}
