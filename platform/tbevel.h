#pragma once

#include "tgraphiccontrol.h"

// A lowered box: a one-pixel outline, shadow at the top and left, highlight at the
// right and bottom, with nothing painted inside.
class TBevel : public TGraphicControl {
    Q_OBJECT

public:
    explicit TBevel(QWidget *parent = nullptr);

protected:
    void Paint() override;
};
