// The yardstick for bench/idle_cpu.sh: an empty window and a 50 ms timer
// with nothing to do, which is what the event loop alone costs the program
// on the machine at hand.

#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(800, 600);
    window.show();
    QTimer tick;
    tick.setInterval(50);
    QObject::connect(&tick, &QTimer::timeout, &window, [] {});
    tick.start();
    return QApplication::exec();
}
