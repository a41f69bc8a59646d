#pragma once

#include "ansistring.h"
#include "tcolor.h"

#include <QFont>
#include <QRect>

#include <functional>
#include <memory>

class QPaintDevice;
class QPainter;

enum TBrushStyle { bsSolid, bsClear };

// A drawing surface in the old GDI manner: a font with a colour, a brush, rectangle
// fills and text at a point, all with TColor values and CP932 strings. It draws on
// whatever its owner hands it: a painter that lives for one paint event, or a device
// (an image) on which it opens a painter of its own when it first draws.
class TCanvas {
public:
    TCanvas();
    ~TCanvas();
    TCanvas(const TCanvas &) = delete;
    TCanvas &operator=(const TCanvas &) = delete;

    // Draw through the owner's painter until Unbind(); the owner keeps it alive.
    void Bind(QPainter *painter);
    void Unbind();

    // Draw on the device from now on. The canvas keeps its painter open between
    // calls, which makes many small fills cheap; Release() ends it so the device
    // can be read, copied or replaced. A null device draws nothing.
    void SetDevice(QPaintDevice *device);
    void Release();

    // Called before each drawing operation on the canvas's own device, so that its
    // owner can fit the device first (it may call Release() and SetDevice()).
    void SetOnPrepare(std::function<void()> handler);
    // Called after each drawing operation with the rectangle it may have touched.
    void SetOnChange(std::function<void(const QRect &)> handler);

    const QFont &Font() const { return font_; }
    void SetFont(const QFont &font) { font_ = font; }
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color) { fontColor_ = color; }

    TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(TColor color) { brushColor_ = color; }
    TBrushStyle BrushStyle() const { return brushStyle_; }
    void SetBrushStyle(TBrushStyle style) { brushStyle_ = style; }

    // Fills left..right-1, top..bottom-1 with the brush; a clear brush or an empty
    // rectangle fills nothing.
    void FillRect(int left, int top, int right, int bottom);

    // The size of the text in the canvas font on the current surface; 0 when it
    // cannot be measured.
    int TextWidth(const AnsiString &text) const;
    int TextHeight(const AnsiString &text) const;

    // The text with its top-left corner at (x, y) in the font colour; behind it the
    // brush colour when the brush is solid, the surface untouched when it is clear.
    void TextOut(int x, int y, const AnsiString &text);

private:
    QPainter *activePainter();
    QPaintDevice *measuringDevice() const;
    void changed(const QRect &rect);

    QFont font_;
    TColor fontColor_ = clWindowText;
    TColor brushColor_ = clWhite;
    TBrushStyle brushStyle_ = bsSolid;

    QPainter *bound_ = nullptr;
    QPaintDevice *device_ = nullptr;
    std::unique_ptr<QPainter> own_;
    std::function<void()> onPrepare_;
    std::function<void(const QRect &)> onChange_;
};
