// The yardstick for start-up time and memory: a Qt 6 program that shows one empty window
// and does nothing else, built with the same compiler and flags as the program.

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    return QApplication::exec();
}
