// The reference for start-up: a window that shows what the main window shows, with the same
// kinds and numbers of widgets and the same pictures, but none of the program's logic, no print
// dialog and no printer: the tool band with its tiled background and nine SVG button pictures,
// the labels and edits, a table of 17 rows, the information band.

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStandardItemModel>
#include <QSvgRenderer>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QPixmap picture(const QString& file, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QSvgRenderer(file).render(&painter);
    return pixmap;
}

QWidget* toolBand(QWidget* window)
{
    auto* band = new QWidget(window);
    band->setFixedHeight(35);
    band->setAutoFillBackground(true);
    QPalette tiled = band->palette();
    tiled.setBrush(QPalette::Window,
                   QBrush(picture(QStringLiteral(":/icons/toolband_tile.svg"), QSize(48, 35))));
    band->setPalette(tiled);
    auto* row = new QHBoxLayout(band);
    row->setContentsMargins(2, 5, 0, 5);
    row->setSpacing(0);
    const char* const icons[] = {"close", nullptr, "open",        "save",      "calculate", "print",
                                 "font",  nullptr, "course_mode", "head_mode", nullptr,     "info"};
    for (const char* icon : icons) {
        if (!icon) {
            auto* line = new QFrame(band);
            line->setFrameShape(QFrame::VLine);
            line->setFrameShadow(QFrame::Sunken);
            line->setFixedSize(8, 25);
            row->addWidget(line);
            continue;
        }
        auto* button = new QToolButton(band);
        button->setAutoRaise(true);
        button->setFixedSize(25, 25);
        button->setIconSize(QSize(16, 16));
        button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))));
        row->addWidget(button);
    }
    row->addStretch();
    return band;
}

QWidget* inputBand(QWidget* window)
{
    auto* band = new QWidget(window);
    band->setFixedHeight(122);
    const char* const labels[] = {
        "Project:", "Vantorbel:", "Onderhoogte:", "Bovenhoogte:", "Decimalen:"};
    const char* const texts[] = {"", "62,5", "0", "1000", "2"};
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel(QLatin1String(labels[i]), band);
        label->setGeometry(6, 10 + 22 * i, 72, 13);
        auto* edit = new QLineEdit(QLatin1String(texts[i]), band);
        edit->setGeometry(82, 6 + 22 * i, i == 0 ? 205 : 100, 21);
    }
    return band;
}

QWidget* table(QWidget* window)
{
    auto* model = new QStandardItemModel(17, 2, window);
    model->setHorizontalHeaderLabels({QStringLiteral("Laag"), QStringLiteral("Hoogte")});
    for (int row = 0; row < 17; ++row) {
        model->setItem(row, 0, new QStandardItem(QString::number(row)));
        model->setItem(row, 1, new QStandardItem(QString::number(row * 62.5, 'f', 2)));
    }
    auto* view = new QTableView(window);
    view->setModel(model);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(20);
    view->setColumnWidth(0, 50);
    view->setColumnWidth(1, 100);
    return view;
}

QWidget* informationBand(QWidget* window)
{
    auto* band = new QWidget(window);
    band->setFixedHeight(42);
    auto* image = new QLabel(band);
    image->setGeometry(6, 6, 30, 30);
    image->setPixmap(picture(QStringLiteral(":/icons/information.svg"), QSize(30, 30)));
    auto* version = new QLabel(QStringLiteral("Vantorbel 1.2"), band);
    version->move(40, 4);
    auto* bevel = new QFrame(band);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(40, 20, 72, 2);
    auto* link = new QLabel(QStringLiteral("Maatlat"), band);
    link->setGeometry(40, 24, 53, 13);
    return band;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Vantorbel"));
    window.setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    window.resize(298, 536);
    auto* bands = new QVBoxLayout(&window);
    bands->setContentsMargins(0, 0, 0, 0);
    bands->setSpacing(0);
    bands->addWidget(toolBand(&window));
    bands->addWidget(inputBand(&window));
    bands->addWidget(table(&window), 1);
    bands->addWidget(informationBand(&window));
    window.show();
    return application.exec();
}
