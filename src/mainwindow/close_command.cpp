// Closing the main window ends the program, and nothing is asked: nothing could be lost. Only a
// print could, while its pages are drawn or its job is still on its way to the printer, so then
// the user is asked first.

#include "VantorForm.h"

#include "msg/Msg.h"
#include "platform/print_system/background_handover.h"
#include "platform/toolkit/painted_wait.h"
#include "printing/print_requests.h"
#include "program_identity.h"

#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

namespace {

using namespace std::chrono_literals;

// How long a scheduler may take to cancel the job, and how long the user is then told that it
// did not.
constexpr auto kCancelWithin = 5s;
constexpr auto kToldFor = 3s;

// Says what the program does while it gives the job up; it paints, but takes no command.
class CancellingWindow final : public QDialog {
public:
    explicit CancellingWindow(QWidget* owner)
        : QDialog(owner)
        , m_text(new QLabel(QStringLiteral("De afdruk wordt geannuleerd…"), this))
    {
        setObjectName(QStringLiteral("AnnulerenVenster"));
        setWindowTitle(QString::fromUtf8(kProgramName));
        // The program ends when the main window closes, not when this one does.
        setAttribute(Qt::WA_QuitOnClose, false);
        m_text->setObjectName(QStringLiteral("AnnulerenLabel"));
        (new QVBoxLayout(this))->addWidget(m_text);
        setModal(true);
        show();
    }

    void tell(const QString& text) { m_text->setText(text); }

private:
    QLabel* m_text;
};

} // namespace

void TVantorForm::closeEvent(QCloseEvent* event)
{
    // A preview's pages are only for looking: they go with the window without a question.
    const bool printLost =
        m_printing.running() == RunningReport::ToPrinter || platform::HandOverPending();
    if (printLost &&
        !MsgQuestion(QStringLiteral("De afdruk is nog niet bij de printer. Toch afsluiten?"),
                     QString::fromUtf8(kProgramName))) {
        event->ignore();
        return;
    }
    // Pages being drawn need no more: the report stops, unsent, once it finds its window gone.
    // The job may have reached the printer while the question waited.
    if (platform::HandOverPending())
        giveUpPrintJobs();
    QWidget::closeEvent(event);
}

void TVantorForm::giveUpPrintJobs()
{
    CancellingWindow cancelling(this);
    if (!platform::GiveUpHandOvers(kCancelWithin)) {
        cancelling.tell(QStringLiteral("De printerservice antwoordt niet; de afdruk kan in de "
                                       "wachtrij blijven staan."));
        const QDeadlineTimer told(kToldFor);
        platform::WaitWithWindowsPainted([&told] { return told.hasExpired(); });
    }
}
