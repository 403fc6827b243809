#pragma once

#include <QDialog>

class ClickableLabel;
class QEvent;

// The about window: name and version, release date, the program's icon, the information picture
// and the link to the maker's site. Built afresh for every showing, so the link always starts
// in its normal look.
class TSplashForm : public QDialog {
    Q_OBJECT

public:
    explicit TSplashForm(QWidget* parent = nullptr);

    void HyperlinkMouseMove();
    void Image1MouseMove();
    void HyperlinkClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ClickableLabel* m_image1 = nullptr;
    ClickableLabel* m_hyperlink = nullptr;
};

// Opens the about window modally and discards it when it closes (the information command).
void ShowAboutWindow(QWidget* parent);
