// The floor of this toolkit: a bare Qt 6 Widgets window with a 100 ms timer.
// The benchmarks measure Velmora's start-up and memory beside this program's.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.resize(589, 191);
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.start(100);
    window.show();
    return QApplication::exec();
}
