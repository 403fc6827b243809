#include "Splashunit.h"

#include "clickable_label.h"
#include "link_look.h"
#include "maker_links.h"

#include "msg/error_report.h"
#include "platform/fonts/font_stand_ins.h"
#include "platform/pages/svg_picture.h"
#include "platform/toolkit/modal_runner.h"
#include "platform/toolkit/url_opener.h"
#include "platform/toolkit/window_placement.h"
#include "program_identity.h"

#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr QSize kClientSize(311, 192);

ClickableLabel* addPicture(QWidget* parent, const char* name, const char* picture, QRect box)
{
    auto* label = new ClickableLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(box);
    label->setPixmap(
        platform::SvgPicture(QLatin1String(picture), box.size(), label->devicePixelRatioF()));
    return label;
}

} // namespace

TSplashForm::TSplashForm(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("SplashForm"));
    setWindowTitle(QString::fromUtf8(kProgramName));
    setFont(platform::WindowFont());
    setFixedSize(kClientSize);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(4, 4, 304, 154);

    m_image1 = addPicture(panel, "Image1", ":/icons/vantorbel.svg", QRect(4, 4, 32, 32));
    m_image1->setMouseTracking(true);
    m_image1->installEventFilter(this);

    auto* name = new QLabel(QString::fromUtf8(kProgramNameAndVersion), panel);
    name->setObjectName(QStringLiteral("Label1"));
    name->move(42, 4);
    name->adjustSize();

    auto* date = new QLabel(QStringLiteral("15-12-2001"), panel);
    date->setObjectName(QStringLiteral("Label2"));
    date->setGeometry(146, 4, 150, 13);
    date->setAlignment(Qt::AlignRight | Qt::AlignTop);

    ClickableLabel* information =
        addPicture(panel, "Image2", ":/icons/information.svg", QRect(4, 118, 30, 30));
    information->setCursor(Qt::PointingHandCursor);
    information->setToolTip(MakerInformationHint());
    information->setAccessibleName(MakerInformationHint());
    connect(information, &ClickableLabel::clicked, this,
            [] { platform::OpenWebAddress(MakerWebAddress()); });

    m_hyperlink = new ClickableLabel(MakerHost(), panel);
    m_hyperlink->setObjectName(QStringLiteral("Hyperlink"));
    m_hyperlink->setGeometry(186, 132, 110, 13);
    m_hyperlink->setAlignment(Qt::AlignRight | Qt::AlignTop);
    m_hyperlink->setCursor(Qt::PointingHandCursor);
    m_hyperlink->setAccessibleName(MakerHost());
    m_hyperlink->setMouseTracking(true);
    m_hyperlink->installEventFilter(this);
    ApplyNormalLook(*m_hyperlink);
    connect(m_hyperlink, &ClickableLabel::clicked, this, Guarded([this] { HyperlinkClick(); }));

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setGeometry(114, 162, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    platform::CentreOnScreen(*this);
}

bool TSplashForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched == m_hyperlink)
            HyperlinkMouseMove();
        else if (watched == m_image1)
            Image1MouseMove();
    }
    return QDialog::eventFilter(watched, event);
}

void TSplashForm::keyPressEvent(QKeyEvent* event)
{
    // No cancel button: Escape leaves the window open, only "Ok" and the close box close it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TSplashForm::HyperlinkMouseMove()
{
    ApplyLinkLook(*m_hyperlink);
}

void TSplashForm::Image1MouseMove()
{
    ApplyNormalLook(*m_hyperlink);
}

void TSplashForm::HyperlinkClick()
{
    platform::OpenWebAddress(MakerWebAddress());
}

void ShowAboutWindow(QWidget* parent)
{
    TSplashForm SplashForm(parent);
    platform::RunModal(SplashForm);
}
