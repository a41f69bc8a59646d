// A second yardstick: the bare window plus what any window with Japanese text pays for, a
// label and an edit box in IPA P Gothic. The distance from the bare window to this one is
// the font's share (fontconfig, the font database, the font itself).

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    window.setFont(font);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("枠内に仮に入れる文字"), &window));
    layout->addWidget(new QLineEdit(QStringLiteral("☆"), &window));
    window.show();
    return QApplication::exec();
}
