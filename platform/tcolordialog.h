#pragma once

#include "tcolor.h"

#include <QObject>
#include <QRgb>

#include <array>

class QWidget;

// Points Qt's own settings files at /dev/null, so that nothing (the colour dialog's
// custom colours above all) is read from or written to the user's configuration.
// Call right after the application object exists.
void PreventQtSettingsFiles();

// The modal colour chooser. Its 16 custom-colour slots are shared by every opening
// for the rest of the run; they start empty and keep a change only when the user
// confirms.
class TColorDialog : public QObject {
    Q_OBJECT

public:
    static constexpr int CustomColorCount = 16;

    // window: the parent of the dialog and the owner of this object.
    explicit TColorDialog(QWidget *window);

    TColor Color() const { return m_color; }
    void SetColor(TColor color) { m_color = color; }

    // Shows the dialog application-modally, preselecting Color. True when the user
    // confirmed: Color then holds the chosen colour. False on cancel, Color unchanged.
    bool Execute();

    // The slots as Qt's dialog holds them; 0xFFFFFFFF is an unset slot.
    static std::array<QRgb, CustomColorCount> CustomColors();

private:
    QWidget *m_window;
    TColor m_color = clBlack;
};
