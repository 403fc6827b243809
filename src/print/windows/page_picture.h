#pragma once

#include <QImage>
#include <QWidget>

// Shows the rendered page as it is, without a copy: at the largest zoom a page is a bitmap of
// millions of pixels, and the preview holds only one.
class PagePicture : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    // The image must outlive its showing; nullptr shows nothing.
    void setImage(const QImage* image);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage* m_image = nullptr;
};
