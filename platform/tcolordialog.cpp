#include "tcolordialog.h"

#include "syscolors.h"

#include <QColorDialog>
#include <QPointer>
#include <QSettings>

namespace {

constexpr QRgb unsetSlot = 0xFFFFFFFFu;

void writeCustomColors(const std::array<QRgb, TColorDialog::CustomColorCount> &colors) {
    for (int i = 0; i < TColorDialog::CustomColorCount; ++i) {
        // Only real changes, so an untouched slot is not marked as set by the program.
        if (QColorDialog::customColor(i).rgba() != colors[std::size_t(i)])
            QColorDialog::setCustomColor(i, QColor::fromRgba(colors[std::size_t(i)]));
    }
}

// Qt keeps the slots process-wide and may have filled them from another program's
// settings; this program starts every run with all of them empty.
void startWithEmptySlots() {
    static bool started = false;
    if (started)
        return;
    started = true;
    std::array<QRgb, TColorDialog::CustomColorCount> empty;
    empty.fill(unsetSlot);
    writeCustomColors(empty);
}

} // namespace

void PreventQtSettingsFiles() {
    for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null"));
        QSettings::setPath(format, QSettings::SystemScope, QStringLiteral("/dev/null"));
    }
}

TColorDialog::TColorDialog(QWidget *window)
    : QObject(window)
    , m_window(window) {}

bool TColorDialog::Execute() {
    const auto before = CustomColors();

    QPointer<TColorDialog> self(this);
    QPointer<QColorDialog> dialog = new QColorDialog(m_window);
    dialog->setOption(QColorDialog::DontUseNativeDialog);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setCurrentColor(ResolveColor(m_color));
    const bool confirmed = dialog->exec() == QDialog::Accepted;
    // Closing the window from outside during the dialog's own event loop takes the
    // dialog and this object with it.
    if (!self || !dialog)
        return false;
    if (confirmed)
        m_color = ColorFromQColor(dialog->selectedColor());
    delete dialog;

    if (!confirmed)
        writeCustomColors(before);
    return confirmed;
}

std::array<QRgb, TColorDialog::CustomColorCount> TColorDialog::CustomColors() {
    startWithEmptySlots();
    std::array<QRgb, CustomColorCount> colors{};
    for (int i = 0; i < CustomColorCount; ++i)
        colors[std::size_t(i)] = QColorDialog::customColor(i).rgba();
    return colors;
}
