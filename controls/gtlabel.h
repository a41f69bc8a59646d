#pragma once

#include "ansistring.h"
#include "charcopy.h"
#include "tcolor.h"
#include "tgraphiccontrol.h"

#include <QString>

// A one-line caption drawn with every character in a colour of its own, stepped
// evenly from StartColor towards EndColor. It paints on its parent's surface and
// handles no input.
class TGTextLabel : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ CaptionText WRITE setCaption)
    Q_PROPERTY(uint StartColor READ StartColor WRITE setStartColor)
    Q_PROPERTY(uint EndColor READ EndColor WRITE setEndColor)
    Q_PROPERTY(uint Color READ Color WRITE setColor)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)

public:
    explicit TGTextLabel(QWidget *AOwner = nullptr);

    const AnsiString &Caption() const { return FCaption; }
    QString CaptionText() const;
    TColor StartColor() const { return FStartColor; }
    TColor EndColor() const { return FEndColor; }
    TColor Color() const { return FColor; }
    bool Transparent() const { return FTransparent; }
    bool AutoSize() const { return FAutoSize; }

    // Each setter stores the value as given and repaints at once, even when the
    // value is the one already held.
    void setCaption(const AnsiString &Value);
    // For window descriptions, which hold Unicode text.
    void setCaption(const QString &Value);
    void setStartColor(TColor Value);
    void setEndColor(TColor Value);
    void setColor(TColor Value);
    void setTransparent(bool Value);
    void setAutoSize(bool Value);

protected:
    void WMPaint() override;

private:
    AnsiString FCaption;
    TColor FColor;
    TColor FStartColor;
    TColor FEndColor;
    bool FTransparent;
    bool FAutoSize;
};
