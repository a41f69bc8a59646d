// One keystroke in the cell text box, from the key event to the output box holding the new
// text and the window repainted, through the window's real handlers on the offscreen platform.

#include "appsetup.h"
#include "tab.h"
#include "tablegenerator.h"

#include <QApplication>
#include <QPaintEvent>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

double MinOf(const std::vector<double> &v) {
    return *std::min_element(v.begin(), v.end());
}
double MaxOf(const std::vector<double> &v) {
    return *std::max_element(v.begin(), v.end());
}

// Counts the paints of one widget, so a run can show that the output box was redrawn.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QObject *parent)
        : QObject(parent) {}
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Runs what a keystroke left queued: the update requests that repaint the changed boxes.
void Settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

struct ShownWindow {
    std::unique_ptr<TForm1> form = std::make_unique<TForm1>();

    ShownWindow(int rows, int cols, const AnsiString &cellText) {
        Form1 = form.get();
        form->show();
        form->activateWindow();
        if (!QTest::qWaitForWindowExposed(form.get()))
            std::fprintf(stderr, "bench_keystroke: the window was not exposed\n");
        form->tate_b->SetText(std::to_string(rows));
        form->yoko_b->SetText(std::to_string(cols));
        form->kari->SetText(cellText);
        form->kari->setFocus(Qt::MouseFocusReason);
        form->kari->end(false);
        Settle();
    }
    ~ShownWindow() { Form1 = nullptr; }

    TableSettings settings() const {
        TableSettings s;
        s.rows = form->tate_b->Value();
        s.cols = form->yoko_b->Value();
        s.cellText = form->kari->Text();
        return s;
    }
};

// Alternates typing a letter and deleting it, so the text stays the same size.
void Keystroke(benchmark::State &state, int rows, int cols, std::size_t textLength) {
    const AnsiString cellText =
        textLength == 0 ? AnsiString("\x81\x99") : AnsiString(textLength, 'x');
    ShownWindow w(rows, cols, cellText);
    auto *counter = new PaintCounter(w.form.get());
    w.form->html_e->installEventFilter(counter);
    QWidget *focus = QApplication::focusWidget();
    if (focus != w.form->kari) {
        state.SkipWithError("the cell text box has no focus");
        return;
    }

    bool typed = false;
    for (auto _ : state) {
        QTest::keyClick(focus, typed ? Qt::Key_Backspace : Qt::Key_A);
        Settle();
        typed = !typed;
    }

    // The output must be the table for what the box now holds, and on screen.
    if (w.form->html_e->Text() != GenerateTable(w.settings()).html)
        state.SkipWithError("the output box does not hold the table for the typed text");
    if (counter->paints < state.iterations())
        state.SkipWithError("the output box was not repainted after every keystroke");
    state.counters["bytes"] = static_cast<double>(w.form->html_e->Text().size());
}

} // namespace

#define KEYSTROKE_CASE(name, rows, cols, text)                                                     \
    BENCHMARK_CAPTURE(Keystroke, name, rows, cols, text)                                           \
        ->Unit(benchmark::kMicrosecond)                                                            \
        ->ComputeStatistics("min", MinOf)                                                          \
        ->ComputeStatistics("max", MaxOf)

KEYSTROKE_CASE(5x5, 5, 5, 0);
KEYSTROKE_CASE(30x30, 30, 30, 0);
KEYSTROKE_CASE(30x30_text1000, 30, 30, 1000);

int main(int argc, char **argv) {
    // Widgets without a display, as the window tests run them.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QApplication app(argc, argv);
    SetUpApplication();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
