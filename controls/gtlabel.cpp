#include "gtlabel.h"

#include "ansiqt.h"

#include <cstdlib>

TGTextLabel::TGTextLabel(QWidget *AOwner)
    : TGraphicControl(AOwner)
    , FCaption("GradationText!")
    , FColor(0x00FFFFFF)
    , FStartColor(0x00FF0000)
    , FEndColor(0x00FF00FF)
    , FTransparent(false)
    , FAutoSize(false) {}

QString TGTextLabel::CaptionText() const {
    return ToQString(FCaption);
}

void TGTextLabel::setCaption(const AnsiString &Value) {
    FCaption = Value;
    Repaint();
}

void TGTextLabel::setCaption(const QString &Value) {
    setCaption(ToAnsiString(Value));
}

void TGTextLabel::setStartColor(TColor Value) {
    FStartColor = Value;
    Repaint();
}

void TGTextLabel::setEndColor(TColor Value) {
    FEndColor = Value;
    Repaint();
}

void TGTextLabel::setColor(TColor Value) {
    FColor = Value;
    Repaint();
}

void TGTextLabel::setTransparent(bool Value) {
    FTransparent = Value;
    Repaint();
}

void TGTextLabel::setAutoSize(bool Value) {
    FAutoSize = Value;
    Repaint();
}

void TGTextLabel::WMPaint() {
    TCanvas *canvas = Canvas();

    // 1-3: the background, unless transparent.
    canvas->SetFont(Font());
    canvas->SetBrushColor(FColor);
    canvas->SetBrushStyle(FTransparent ? bsClear : bsSolid);
    canvas->FillRect(0, 0, Width(), Height());

    // 4
    if (FCaption.empty())
        return;

    // 5: a changed size asks for one more paint, at which the size no longer changes.
    if (FAutoSize) {
        SetWidth(canvas->TextWidth(FCaption));
        SetHeight(canvas->TextHeight(FCaption));
    }

    // 6: per-channel steps on the masked (unshifted) channels.
    const int n = CharCount(FCaption);
    const int dR = static_cast<int>(FStartColor & 0xFF) - static_cast<int>(FEndColor & 0xFF);
    const int dG = static_cast<int>(FStartColor & 0xFF00) - static_cast<int>(FEndColor & 0xFF00);
    const int dB =
        static_cast<int>(FStartColor & 0xFF0000) - static_cast<int>(FEndColor & 0xFF0000);
    TColor stepR = 0;
    TColor stepG = 0;
    TColor stepB = 0;
    if (n > 1) {
        stepR = static_cast<TColor>(std::abs(dR) / (n - 1));
        stepG = static_cast<TColor>(((std::abs(dG) >> 8) / (n - 1)) << 8);
        stepB = static_cast<TColor>(((std::abs(dB) >> 16) / (n - 1)) << 16);
    }

    // 7
    int x = 0;
    TColor running = FStartColor;

    // 8: truncated steps keep every channel between its ends, so adding or
    // subtracting on the packed value never carries into a neighbour or the top byte.
    for (int k = 1; k <= n; ++k) {
        canvas->SetFontColor(running);
        const AnsiString piece = CharCopy(FCaption, k, 1);
        canvas->TextOut(x, 0, piece);
        x += canvas->TextWidth(piece);
        if (k != n) {
            running = dR < 0 ? running + stepR : running - stepR;
            running = dG < 0 ? running + stepG : running - stepG;
            running = dB < 0 ? running + stepB : running - stepB;
        }
    }
}
