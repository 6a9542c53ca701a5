#include "widgets/TFlatPanelUnit.h"

#include <QPainter>

TFlatPanel::TFlatPanel(QWidget* parent) : TFlatControl(parent) {
    setClickEvents(true);
    resize(185, 41);
    SetOpaqueFace(this, true);
}

void TFlatPanel::SetTransparent(bool value) {
    transparent_ = value;
    SetOpaqueFace(this, !value);
    update();
}

void TFlatPanel::SetColors(int index, TColor value) {
    if (index == 0)
        colorHighLight_ = value;
    else if (index == 1)
        colorShadow_ = value;
    update();
}

void TFlatPanel::SetAlignment(TAlignment value) {
    alignment_ = value;
    update();
}

void TFlatPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    int flags = Qt::TextSingleLine | Qt::AlignVCenter | Qt::TextShowMnemonic;
    switch (alignment_) {
    case taLeftJustify:
        flags |= Qt::AlignLeft;
        break;
    case taRightJustify:
        flags |= Qt::AlignRight;
        break;
    case taCenter:
        flags |= Qt::AlignHCenter;
        break;
    }
    const QRect client = rect();
    if (!transparent_)
        gdi::FillRect(p, client, Color());
    DrawFrameRings(p, client, colorHighLight_, 1, colorShadow_);
    p.setFont(font());
    if (isEnabled())
        DrawCaption(p, client, flags, Caption(), FontColor());
    else
        DrawEmbossedCaption(p, client, flags, Caption());
}
