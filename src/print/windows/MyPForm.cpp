#include "print/windows/MyPForm.h"

#include "print/engine/print_job.h"
#include "print/engine/rounding.h"
#include "print/windows/page_files.h"
#include "print/windows/page_formats.h"
#include "print/windows/page_picture.h"
#include "print/windows/page_progress.h"
#include "print/windows/zoom.h"

#include "msg/Msg.h"
#include "msg/error_report.h"
#include "platform/files/file_dialog.h"
#include "platform/fonts/font_stand_ins.h"
#include "platform/print_system/printer_service.h"
#include "platform/toolkit/busy_cursor.h"
#include "platform/toolkit/window_placement.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>

namespace {

// The outer 580 x 463 less a 4-pixel sizing frame and a 19-pixel caption.
constexpr QSize kClientSize(572, 436);
constexpr int kToolbarHeight = 29;
constexpr int kStatusBarHeight = 19;
constexpr int kShadowOffset = 8;
constexpr int kHintMilliseconds = 2000;

} // namespace

TPreviewPrintForm1::TPreviewPrintForm1(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PreviewPrintForm1"));
    setWindowTitle(QStringLiteral("PreviewPrintForm1"));
    setFont(platform::WindowFont());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    resize(kClientSize);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolbar();

    Widgets& w = m_widgets;
    w.StatusBar1 = new QStatusBar(this);
    w.StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    w.StatusBar1->setFixedHeight(kStatusBarHeight);
    w.StatusBar1->setSizeGripEnabled(false);
    layout->addWidget(w.StatusBar1);

    w.ScrollBox1 = new QScrollArea(this);
    w.ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    w.ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    w.content = new QWidget;
    w.Shadow1 = new QFrame(w.content);
    w.Shadow1->setObjectName(QStringLiteral("Shadow1"));
    w.Shadow1->setAutoFillBackground(true);
    QPalette grey = w.Shadow1->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    w.Shadow1->setPalette(grey);
    w.Image1 = new PagePicture(w.content);
    w.Image1->setObjectName(QStringLiteral("Image1"));
    w.ScrollBox1->setWidget(w.content);
    layout->addWidget(w.ScrollBox1, 1);

    w.Timer1 = new QTimer(this);
    w.Timer1->setInterval(kHintMilliseconds);
    connect(w.Timer1, &QTimer::timeout, this, &TPreviewPrintForm1::Timer1Timer);

    platform::CentreOnScreen(*this);
    FormCreate();
}

TPreviewPrintForm1::~TPreviewPrintForm1() = default;

void TPreviewPrintForm1::buildToolbar()
{
    Widgets& w = m_widgets;
    w.Panel1 = new QFrame(this);
    w.Panel1->setObjectName(QStringLiteral("Panel1"));
    // A raised outer and a lowered inner bevel, one pixel each: the two lines of a raised box.
    w.Panel1->setFrameStyle(QFrame::Box | QFrame::Raised);
    w.Panel1->setLineWidth(1);
    w.Panel1->setMidLineWidth(0);
    w.Panel1->setFixedHeight(kToolbarHeight);
    layout()->addWidget(w.Panel1);

    struct ButtonEntry {
        const char* name;
        int left;
        const char* hint;
        const char* picture;
        void (TPreviewPrintForm1::*click)();
    };
    static const ButtonEntry buttons[] = {
        {"Cancel1", 2, "sluiten", ":/icons/preview_close.svg", &TPreviewPrintForm1::Cancel1Click},
        {"Afdrukken1", 34, "afdrukken", ":/icons/print.svg", &TPreviewPrintForm1::Afdrukken1Click},
        {"SaveMeta", 59, "afbeelding opslaan", ":/icons/preview_save.svg",
         &TPreviewPrintForm1::SaveMetaClick},
        {"ZoomPlus1", 92, "zoom plus", ":/icons/zoom_in.svg", &TPreviewPrintForm1::ZoomPlus1Click},
        {"ZoomMin1", 117, "zoom min", ":/icons/zoom_out.svg", &TPreviewPrintForm1::ZoomMin1Click},
        {"First1", 148, "eerste pagina", ":/icons/page_first.svg",
         &TPreviewPrintForm1::First1Click},
        {"Previous1", 173, "vorige pagina", ":/icons/page_previous.svg",
         &TPreviewPrintForm1::Previous1Click},
        {"Next1", 198, "volgende pagina", ":/icons/page_next.svg", &TPreviewPrintForm1::Next1Click},
        {"Last1", 223, "laatste pagina", ":/icons/page_last.svg", &TPreviewPrintForm1::Last1Click},
    };
    for (const ButtonEntry& entry : buttons) {
        auto* button = new QToolButton(w.Panel1);
        button->setObjectName(QLatin1String(entry.name));
        button->setGeometry(entry.left, 2, 25, 25);
        button->setAutoRaise(true);
        button->setIconSize(QSize(16, 16));
        button->setIcon(QIcon(QLatin1String(entry.picture)));
        button->setFocusPolicy(Qt::NoFocus);
        button->setAccessibleName(QLatin1String(entry.hint));
        // The hint goes to the status bar, not into a tooltip.
        button->setProperty("hint", QLatin1String(entry.hint));
        button->setMouseTracking(true);
        button->installEventFilter(this);
        connect(button, &QToolButton::clicked, this,
                Guarded([this, click = entry.click] { (this->*click)(); }));
    }
    for (const auto& [name, left] : {std::pair{"Bevel1", 29}, {"Bevel2", 87}, {"Bevel3", 144}}) {
        auto* bevel = new QFrame(w.Panel1);
        bevel->setObjectName(QLatin1String(name));
        bevel->setFrameStyle(QFrame::VLine | QFrame::Sunken);
        bevel->setGeometry(left, 2, 2, 25);
    }
    w.Pagina1Label = new QLabel(w.Panel1);
    w.Pagina1Label->setObjectName(QStringLiteral("Pagina1Label"));
    w.Pagina1Label->move(254, 8);
}

void TPreviewPrintForm1::FormCreate()
{
    if (const QScreen* screen = this->screen())
        WorkArea = screen->availableGeometry();
    OpenState = PreviewOpenState::Normal;
}

void TPreviewPrintForm1::FormActivate()
{
    if (OpenState == PreviewOpenState::WorkArea) {
        if (const QScreen* screen = this->screen())
            WorkArea = screen->availableGeometry();
        platform::CoverWithFrame(*this, WorkArea);
    } else if (OpenState == PreviewOpenState::Minimized) {
        setWindowState(Qt::WindowMinimized);
    } else {
        setWindowState(Qt::WindowNoState);
    }
}

void TPreviewPrintForm1::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TPreviewPrintForm1::ShowPage()
{
    const platform::BusyCursor busy;
    Widgets& w = m_widgets;
    w.ScrollBox1->horizontalScrollBar()->setValue(0);
    w.ScrollBox1->verticalScrollBar()->setValue(0);
    updatePageLabel();
    renderPage();
}

void TPreviewPrintForm1::updatePageLabel()
{
    QLabel* label = m_widgets.Pagina1Label;
    label->setText(QStringLiteral("pagina: %1 van: %2").arg(CurrentPage + 1).arg(PageList.size()));
    label->adjustSize();
}

void TPreviewPrintForm1::renderPage()
{
    Widgets& w = m_widgets;
    ShownImage = PageList.at(static_cast<std::size_t>(CurrentPage)).get();
    const double ratio = ShownImage->resolutionX() / DisplayPixelsPerInch(ZoomStep);
    const QSize size(RoundHalfEven(ShownImage->width() / ratio),
                     RoundHalfEven(ShownImage->height() / ratio));

    // The old page's pixels go before the new one's are taken: at the largest zoom each is a
    // bitmap of tens of megabytes, and memory never holds two.
    w.Image1->setImage(nullptr);
    if (WorkBitmap)
        WorkBitmap->release();
    WorkBitmap =
        std::make_unique<platform::Bitmap>(size.width(), size.height(), ShownImage->resolutionX());
    platform::PainterSurface& canvas = WorkBitmap->canvas();
    canvas.setPen({1, Qt::black});
    canvas.setBrush({Qt::white, false});
    canvas.rectangle(0, 0, size.width(), size.height());
    w.Image1->resize(size);
    w.Shadow1->resize(size);
    FormResize();
    canvas.stretchPicture(QRect(QPoint(0, 0), size), *ShownImage);
    w.Image1->setImage(&WorkBitmap->image());
}

void TPreviewPrintForm1::FormResize()
{
    Widgets& w = m_widgets;
    const int x = (w.ScrollBox1->width() - w.Image1->width()) / 2;
    const int y = (w.ScrollBox1->height() - w.Image1->height()) / 2;
    w.Image1->move(std::max(x, 0), std::max(y, 0));
    w.Shadow1->move(w.Image1->pos() + QPoint(kShadowOffset, kShadowOffset));
    w.content->resize(w.Shadow1->geometry().right() + 1, w.Shadow1->geometry().bottom() + 1);
}

void TPreviewPrintForm1::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void TPreviewPrintForm1::Cancel1Click()
{
    reject();
}

void TPreviewPrintForm1::go(ViewCommand command)
{
    const int lastPage = static_cast<int>(PageList.size()) - 1;
    int page = CurrentPage;
    int step = ZoomStep;
    switch (command) {
    case ViewCommand::FirstPage:
        page = 0;
        break;
    case ViewCommand::PreviousPage:
        page = CurrentPage - 1;
        break;
    case ViewCommand::NextPage:
        page = CurrentPage + 1;
        break;
    case ViewCommand::LastPage:
        page = lastPage;
        break;
    case ViewCommand::ZoomIn:
        step = ZoomStep + 1;
        break;
    case ViewCommand::ZoomOut:
        step = ZoomStep - 1;
        break;
    }
    const bool zooms = command == ViewCommand::ZoomIn || command == ViewCommand::ZoomOut;
    const bool allowed = zooms ? step >= kSmallestZoomStep && step <= kLargestZoomStep
                               : page >= 0 && page <= lastPage;
    if (!allowed)
        return;
    CurrentPage = page;
    ZoomStep = step;
    ShowPage();
}

void TPreviewPrintForm1::ZoomPlus1Click()
{
    go(ViewCommand::ZoomIn);
}

void TPreviewPrintForm1::ZoomMin1Click()
{
    go(ViewCommand::ZoomOut);
}

void TPreviewPrintForm1::First1Click()
{
    go(ViewCommand::FirstPage);
}

void TPreviewPrintForm1::Previous1Click()
{
    go(ViewCommand::PreviousPage);
}

void TPreviewPrintForm1::Next1Click()
{
    go(ViewCommand::NextPage);
}

void TPreviewPrintForm1::Last1Click()
{
    go(ViewCommand::LastPage);
}

void TPreviewPrintForm1::Afdrukken1Click()
{
    const platform::BusyCursor busy;
    std::optional<PrintJob> job;
    try {
        job.emplace(platform::CurrentPrinter());
    } catch (const platform::PrintCancelled&) {
        return;
    }
    {
        PageProgress progress(this, ProgressAfter, QStringLiteral("Afdrukken"),
                              QStringLiteral("Pagina %1 van %2 naar de printer"));
        const int total = static_cast<int>(PageList.size());
        for (int i = 0; i < total; ++i) {
            if (i > 0)
                platform::CurrentPrinter().newPage();
            platform::CurrentPrinter().drawPicture(0, 0, *PageList[static_cast<std::size_t>(i)]);
            // Stopped before the job is handed over: the job goes unsent.
            if (!progress.pageDone(i + 1, total))
                return;
        }
    }
    // Without the progress window, which would keep the windows below it from being closed
    // while the job is handed over.
    job->end();
}

void TPreviewPrintForm1::SaveMetaClick()
{
    platform::FileDialogRequest request;
    request.purpose = platform::FileDialogRequest::Purpose::Save;
    request.title = QStringLiteral("Afbeelding opslaan");
    request.filter = PageFileFilter();
    request.defaultSuffix = QStringLiteral("EMF");
    request.typeSuffixes = PageFileSuffixes();
    request.fileName = QStringLiteral("printfile");
    const std::optional<platform::ChosenFile> chosen =
        platform::Seam<platform::FileChooser>::get().choose(this, request);
    if (!chosen)
        return;
    const platform::BusyCursor busy;
    PageSaveHooks hooks;
    hooks.replaceUnseen = [](const QString& file) {
        return MsgQuestion(QStringLiteral("Bestand %1 bestaat al. Wilt u het vervangen?")
                               .arg(QDir::toNativeSeparators(file)),
                           QStringLiteral("Afbeelding opslaan"));
    };
    int written = 0;
    bool cancelled = false;
    {
        PageProgress progress(this, ProgressAfter, QStringLiteral("Afbeelding opslaan"),
                              QStringLiteral("Pagina %1 van %2 opgeslagen"));
        hooks.pageWritten = [&progress](int pages, int total) {
            return progress.pageDone(pages, total);
        };
        written = SavePageFiles(chosen->path, PageFormatOf(chosen->type), PageList,
                                platform::CurrentPrinter().pageLayout(), hooks, ActualSize);
        cancelled = progress.cancelled();
    }
    if (cancelled)
        MsgBox(QStringLiteral("Het opslaan is afgebroken: %1 van %2 pagina's zijn opgeslagen.")
                   .arg(written)
                   .arg(PageList.size()),
               QStringLiteral("Afbeelding opslaan"), MsgStyle::Information);
}

bool TPreviewPrintForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove)
        if (auto* button = qobject_cast<QToolButton*>(watched))
            Cancel1MouseMove(button);
    return QDialog::eventFilter(watched, event);
}

void TPreviewPrintForm1::Cancel1MouseMove(QToolButton* button)
{
    Widgets& w = m_widgets;
    w.Timer1->stop();
    w.StatusBar1->showMessage(button->property("hint").toString());
    // Shown at once, also while the mouse keeps moving.
    w.StatusBar1->repaint();
    w.Timer1->start();
}

void TPreviewPrintForm1::Timer1Timer()
{
    m_widgets.Timer1->stop();
    m_widgets.StatusBar1->clearMessage();
}

QString TPreviewPrintForm1::pageLabel() const
{
    return m_widgets.Pagina1Label->text();
}

QString TPreviewPrintForm1::statusText() const
{
    return m_widgets.StatusBar1->currentMessage();
}

QRect TPreviewPrintForm1::pageGeometry() const
{
    return m_widgets.Image1->geometry();
}

QRect TPreviewPrintForm1::shadowGeometry() const
{
    return m_widgets.Shadow1->geometry();
}
