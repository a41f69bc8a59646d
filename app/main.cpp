#include "appsetup.h"
#include "displaycheck.h"
#include "tab.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[]) {
    if (const std::string problem = DisplayProblem(); !problem.empty()) {
        std::fprintf(stderr, "Marovel cannot start: %s.\n", problem.c_str());
        return 1;
    }

    // Whole scale factors only: a 5-pixel preview square then stays square and even
    // (1.5 would draw them 7 and 8 pixels wide by turns).
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication app(argc, argv);
    SetUpApplication();

    TForm1 window;
    Form1 = &window;
    window.show();
    const int status = QApplication::exec();
    Form1 = nullptr;
    return status;
}
