// Start-up baseline: an empty Qt window program, ending as soon as its window was shown.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}
