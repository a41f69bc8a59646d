#include "tcanvas.h"

#include "ansiqt.h"
#include "syscolors.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <climits>

TCanvas::TCanvas() = default;

TCanvas::~TCanvas() {
    Release();
}

void TCanvas::Bind(QPainter *painter) {
    Release();
    bound_ = painter;
}

void TCanvas::Unbind() {
    bound_ = nullptr;
}

void TCanvas::SetDevice(QPaintDevice *device) {
    Release();
    device_ = device;
}

void TCanvas::Release() {
    if (own_) {
        own_->end();
        own_.reset();
    }
}

void TCanvas::SetOnPrepare(std::function<void()> handler) {
    onPrepare_ = std::move(handler);
}

void TCanvas::SetOnChange(std::function<void(const QRect &)> handler) {
    onChange_ = std::move(handler);
}

QPainter *TCanvas::activePainter() {
    if (bound_)
        return bound_;
    if (onPrepare_)
        onPrepare_();
    if (!device_)
        return nullptr;
    if (!own_) {
        own_ = std::make_unique<QPainter>();
        if (!own_->begin(device_)) {
            own_.reset();
            return nullptr;
        }
    }
    return own_.get();
}

QPaintDevice *TCanvas::measuringDevice() const {
    if (bound_)
        return bound_->device();
    return device_;
}

void TCanvas::changed(const QRect &rect) {
    if (onChange_)
        onChange_(rect);
}

void TCanvas::FillRect(int left, int top, int right, int bottom) {
    if (brushStyle_ == bsClear || right <= left || bottom <= top)
        return;
    QPainter *painter = activePainter();
    if (!painter)
        return;
    // Width and height from the edges in 64 bits: extreme edges must not overflow.
    const auto width = static_cast<long long>(right) - left;
    const auto height = static_cast<long long>(bottom) - top;
    const QRect rect(left, top, static_cast<int>(std::min<long long>(width, INT_MAX)),
                     static_cast<int>(std::min<long long>(height, INT_MAX)));
    painter->fillRect(rect, ResolveColor(brushColor_));
    changed(rect);
}

int TCanvas::TextWidth(const AnsiString &text) const {
    const QPaintDevice *device = measuringDevice();
    const QFontMetrics metrics = device ? QFontMetrics(font_, device) : QFontMetrics(font_);
    return std::max(0, metrics.horizontalAdvance(ToQString(text)));
}

// One line's cell height whatever the text: the height TextOut fills behind it.
int TCanvas::TextHeight(const AnsiString &) const {
    const QPaintDevice *device = measuringDevice();
    const QFontMetrics metrics = device ? QFontMetrics(font_, device) : QFontMetrics(font_);
    return std::max(0, metrics.height());
}

void TCanvas::TextOut(int x, int y, const AnsiString &text) {
    QPainter *painter = activePainter();
    if (!painter)
        return;
    const QString unicode = ToQString(text);
    const QFontMetrics metrics(font_, painter->device());
    const QRect cell(x, y, std::max(0, metrics.horizontalAdvance(unicode)),
                     std::max(0, metrics.height()));
    painter->save();
    if (brushStyle_ == bsSolid && !cell.isEmpty())
        painter->fillRect(cell, ResolveColor(brushColor_));
    painter->setFont(font_);
    painter->setPen(ResolveColor(fontColor_));
    painter->drawText(x, y + metrics.ascent(), unicode);
    painter->restore();
    changed(cell);
}
