#include "print/windows/page_progress.h"

#include "platform/toolkit/busy_cursor.h"
#include "platform/toolkit/input_held_back.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QWidget>

#include <utility>

PageProgress::PageProgress(QWidget* parent, std::chrono::milliseconds showAfter, QString title,
                           QString pageText)
    : m_parent(parent)
    , m_showAfter(showAfter)
    , m_title(std::move(title))
    , m_pageText(std::move(pageText))
    , m_parentShown(parent && parent->isVisible())
{
    m_clock.start();
}

PageProgress::~PageProgress() = default;

bool PageProgress::pageDone(int done, int total)
{
    if (!m_window) {
        // Repaints, and the window system's "close", but no command: the window takes none while
        // its pages are worked on. Closed meanwhile, it stops the run, and no progress window
        // comes up over a window that is gone.
        {
            const platform::InputHeldBack heldBack;
            QCoreApplication::processEvents();
        }
        if (m_parentShown && (!m_parent || !m_parent->isVisible())) {
            m_cancelled = true;
            return false;
        }
    }
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
    if (!m_window)
        return true;
    m_window->setLabelText(m_pageText.arg(done).arg(total));
    m_window->setValue(done);
    QCoreApplication::processEvents();
    m_cancelled = m_window->wasCanceled();
    return !m_cancelled;
}
