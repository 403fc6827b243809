// Not a target's reference, only a marker for reading the start-up figures: the empty window
// plus one line of text, so the font set-up that any window with text pays is included.

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("Vantorbel"));
    window.show();
    return application.exec();
}
