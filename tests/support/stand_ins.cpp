#include "stand_ins.h"

#include <QDialog>

int MessageBoxRecorder::present(QWidget* owner, const QString& text, const QString& caption,
                                platform::BoxIcon icon)
{
    boxes.push_back({owner, text, caption, icon, QGuiApplication::overrideCursor() != nullptr});
    return 1;
}

bool MessageBoxRecorder::ask(QWidget* owner, const QString& text, const QString& caption)
{
    present(owner, text, caption, platform::BoxIcon::Question);
    return answerYes;
}

int ModalRunnerStub::run(QDialog& dialog)
{
    ++shown;
    return answer ? answer(dialog) : QDialog::Rejected;
}
