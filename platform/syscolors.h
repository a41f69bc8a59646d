#pragma once

#include "tcolor.h"

#include <QColor>

// The colour a TColor stands for on this desktop: plain values as they are,
// system colours (top bit set) from the application's current palette.
QColor ResolveColor(TColor color);

// A plain RGB TColor from a Qt colour (the top byte 0).
TColor ColorFromQColor(const QColor &color);
