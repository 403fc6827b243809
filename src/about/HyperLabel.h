#pragma once

#include <QLabel>

// A label that looks like a web link while the mouse is over it and opens its address when the
// left button goes down on it (on the press, not on the release).
class THyperLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString Hyperlink READ hyperlink WRITE setHyperlink)

public:
    explicit THyperLabel(QWidget* parent = nullptr);

    // A plain field: setting it changes neither the caption nor anything else.
    QString hyperlink() const { return m_hyperlink; }
    void setHyperlink(const QString& address) { m_hyperlink = address; }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString m_hyperlink = QStringLiteral("http://");
};
