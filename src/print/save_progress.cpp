#include "save_progress.h"

#include "platform/busy_cursor.h"

#include <QCoreApplication>
#include <QProgressDialog>

SaveProgress::SaveProgress(QWidget* parent, std::chrono::milliseconds showAfter)
    : m_parent(parent)
    , m_showAfter(showAfter)
{
    m_clock.start();
}

SaveProgress::~SaveProgress() = default;

bool SaveProgress::pageWritten(int written, int total)
{
    if (!m_window && m_clock.elapsed() >= m_showAfter.count()) {
        m_window = std::make_unique<QProgressDialog>(m_parent);
        m_window->setWindowTitle(QStringLiteral("Afbeelding opslaan"));
        m_window->setCancelButtonText(QStringLiteral("Annuleren"));
        m_window->setWindowModality(Qt::WindowModal);
        m_window->setAutoReset(false);
        m_window->setAutoClose(false);
        m_window->setMinimumDuration(0);
        m_window->setRange(0, total);
        // The user may stop the save now: no hourglass over the window that offers it.
        platform::SetDefaultCursor();
        m_window->show();
    }
    if (!m_window) {
        // Repaints only: the preview takes no command while its pages are being saved.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return true;
    }
    m_window->setLabelText(QStringLiteral("Pagina %1 van %2 opgeslagen").arg(written).arg(total));
    m_window->setValue(written);
    QCoreApplication::processEvents();
    m_cancelled = m_window->wasCanceled();
    return !m_cancelled;
}
