#include "platform/toolkit/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace platform {
namespace {

QMessageBox::Icon toolkitIcon(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::Information:
        return QMessageBox::Information;
    case BoxIcon::Question:
        return QMessageBox::Question;
    case BoxIcon::Warning:
        return QMessageBox::Warning;
    case BoxIcon::Error:
        return QMessageBox::Critical;
    case BoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

class DesktopMessageBox final : public MessageBoxPresenter {
public:
    int present(QWidget* owner, const QString& text, const QString& caption, BoxIcon icon) override
    {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            return 0;
        // Texts from the program break lines with a carriage return; the label only knows '\n'.
        QString shown = text;
        shown.replace(QLatin1String("\r\n"), QLatin1String("\n"))
            .replace(QLatin1Char('\r'), QLatin1Char('\n'));

        QMessageBox box(toolkitIcon(icon), caption, shown, QMessageBox::Ok, owner);
        box.setTextFormat(Qt::PlainText);
        box.setEscapeButton(QMessageBox::Ok);
        box.exec();
        return 1;
    }

    bool ask(QWidget* owner, const QString& text, const QString& caption) override
    {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            return false;
        QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, owner);
        box.setTextFormat(Qt::PlainText);
        QPushButton* yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("Nee"), QMessageBox::NoRole);
        box.setDefaultButton(no);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    }
};

} // namespace

template <> MessageBoxPresenter& Seam<MessageBoxPresenter>::desktop()
{
    static DesktopMessageBox box;
    return box;
}

} // namespace platform
