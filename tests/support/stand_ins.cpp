#include "stand_ins.h"

int MessageBoxRecorder::present(QWidget* owner, const QString& text, const QString& caption,
                                platform::BoxIcon icon)
{
    boxes.push_back({owner, text, caption, icon});
    return 1;
}
