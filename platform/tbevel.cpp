#include "tbevel.h"

TBevel::TBevel(QWidget *parent)
    : TGraphicControl(parent) {}

void TBevel::Paint() {
    TCanvas *canvas = Canvas();
    const int w = Width();
    const int h = Height();
    canvas->SetBrushStyle(bsSolid);
    // Drawn as two strokes in the classic order, so the bottom-left corner pixel
    // belongs to the shadow and the top-right one to the highlight.
    canvas->SetBrushColor(clBtnShadow);
    canvas->FillRect(0, 0, 1, h);
    canvas->FillRect(0, 0, w - 1, 1);
    canvas->SetBrushColor(clBtnHighlight);
    canvas->FillRect(w - 1, 0, w, h);
    canvas->FillRect(1, h - 1, w, h);
}
