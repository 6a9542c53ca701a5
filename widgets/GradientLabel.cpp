#include "widgets/GradientLabel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QWindow>

#include <algorithm>
#include <cmath>

int MulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    const long long num = static_cast<long long>(a) * b;
    const long long q = (std::llabs(num) * 2 + std::llabs(c)) / (2 * std::llabs(c));
    return int(((num < 0) != (c < 0)) ? -q : q);
}

QImage BuildGradientBitmap(QSize size, TColor startColor, TColor endColor, int colorSteps,
                           TGradientTypes::TGradientStyle style, bool dithered,
                           platform::RandomSource& random) {
    const int w = size.width(), h = size.height();
    if (w <= 0 || h <= 0)
        return QImage();
    const int steps = std::clamp(colorSteps, 2, 255);
    TColor from = ColorToRGB(startColor), to = ColorToRGB(endColor);
    if (style == TGradientTypes::gsRight || style == TGradientTypes::gsBottom)
        std::swap(from, to);
    std::vector<QRgb> table(static_cast<size_t>(steps));
    auto channel = [steps](int f, int t, int k) {
        return (f + int(std::nearbyint(k * ((t - f) / double(steps - 1))))) & 0xFF;
    };
    for (int k = 0; k < steps; ++k)
        table[size_t(k)] = qRgb(channel(GetRValue(from), GetRValue(to), k),
                                channel(GetGValue(from), GetGValue(to), k),
                                channel(GetBValue(from), GetBValue(to), k));

    QImage img(w, h, QImage::Format_RGB32);
    img.fill(toQColor(startColor));
    // Dithered pixels can fall past the last band; the picture ends there.
    auto set = [&img](int x, int y, QRgb c) {
        if (x >= 0 && y >= 0 && x < img.width() && y < img.height())
            reinterpret_cast<QRgb*>(img.scanLine(y))[x] = c;
    };
    const bool rows = style == TGradientTypes::gsTop || style == TGradientTypes::gsBottom;
    const int length = rows ? h : w;
    const int reach = length / (steps - 1);
    for (int i = 0; i < steps; ++i) {
        const int a = MulDiv(i, length, steps), b = MulDiv(i + 1, length, steps);
        for (int s = a; s < b; ++s) {
            if (rows)
                std::fill_n(reinterpret_cast<QRgb*>(img.scanLine(s)), w, table[size_t(i)]);
            else
                for (int y = 0; y < h; ++y)
                    set(s, y, table[size_t(i)]);
        }
        if (!dithered || i == 0)
            continue;
        for (int across = 0; across < 16; ++across)
            for (int k = 0; k <= reach; ++k) {
                const int along = a + random.random(k);
                if (rows)
                    set(across, along, table[size_t(i - 1)]);
                else
                    set(along, across, table[size_t(i - 1)]);
            }
    }
    // The dithered 16-pixel strip is repeated over the rest of the picture.
    if (rows) {
        for (int y = 0; y < h; ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 16; x < w; ++x)
                line[x] = line[x % 16];
        }
    } else {
        for (int y = 16; y < h; ++y)
            std::copy_n(reinterpret_cast<const QRgb*>(img.constScanLine(y % 16)), w,
                        reinterpret_cast<QRgb*>(img.scanLine(y)));
    }
    return img;
}

// ---------------------------------------------------------------------------------------------
// TGradient

TGradient::TGradient(TGradientCustomLabel* owner) : QObject(owner), owner_(owner) {}

void TGradient::changed(bool rebuild) {
    if (rebuild)
        UpdateGradient();
    owner_->update();
}

void TGradient::SetDithered(bool v) {
    if (v != dithered_) {
        dithered_ = v;
        changed(true);
    }
}

void TGradient::SetColorSteps(int v) {
    v = std::clamp(v, 2, 255);
    if (v != colorSteps_) {
        colorSteps_ = v;
        changed(enabled_);
    }
}

void TGradient::SetEnabled(bool v) {
    if (v != enabled_) {
        enabled_ = v;
        changed(enabled_);
    }
}

void TGradient::SetEndColor(TColor v) {
    if (v != endColor_) {
        endColor_ = v;
        changed(enabled_);
    }
}

void TGradient::SetStartColor(TColor v) {
    if (v != startColor_) {
        startColor_ = v;
        changed(enabled_);
    }
}

void TGradient::SetStyle(TGradientTypes::TGradientStyle v) {
    if (v != style_) {
        style_ = v;
        changed(enabled_);
    }
}

void TGradient::UpdateGradient() {
    bitmap_ = BuildGradientBitmap(owner_->size(), startColor_, endColor_, colorSteps_, style_,
                                  dithered_, owner_->random_);
}

// ---------------------------------------------------------------------------------------------
// TGlyph

TGlyph::TGlyph(TGradientCustomLabel* owner) : QObject(owner), owner_(owner) {}

void TGlyph::changed() {
    owner_->update();
}

TColor TGlyph::BitmapTransparentColor() const {
    if (bitmap_.isNull())
        return clNone;
    return fromQColor(bitmap_.pixelColor(0, bitmap_.height() - 1));
}

void TGlyph::SetAlphaColor(TColor v) {
    if (v == alphaColor_)
        return;
    alphaColor_ = v;
    if (alphaMode_ == TGradientTypes::amAuto && !bitmap_.isNull() &&
        BitmapTransparentColor() != ColorToRGB(v))
        alphaMode_ = TGradientTypes::amManual;
    changed();
}

void TGlyph::SetAllowGrayed(bool v) {
    if (v != allowGrayed_) {
        allowGrayed_ = v;
        changed();
    }
}

void TGlyph::SetAlphaMode(TGradientTypes::TAlphaMode v) {
    if (v == alphaMode_)
        return;
    alphaMode_ = v;
    if (v == TGradientTypes::amAuto && !bitmap_.isNull())
        alphaColor_ = BitmapTransparentColor();
    changed();
}

void TGlyph::SetBitmap(const QImage& v) {
    bitmap_ = v;
    // A strip of more than four pictures is taken as one picture.
    const int ratio = (!v.isNull() && v.width() % v.height() == 0) ? v.width() / v.height() : 1;
    numGlyphs_ = (ratio >= 1 && ratio <= 4) ? ratio : 1;
    changed();
}

void TGlyph::SetDisplayAlign(TGradientTypes::TDisplayAlign v) {
    if (v != displayAlign_) {
        displayAlign_ = v;
        changed();
    }
}

void TGlyph::SetImageIndex(int v) {
    if (v != imageIndex_) {
        imageIndex_ = v;
        changed();
    }
}

void TGlyph::SetImageList(const QList<QImage>& v) {
    imageList_ = v;
    changed();
}

void TGlyph::SetMargin(int v) {
    if (v != margin_) {
        margin_ = v;
        changed();
    }
}

void TGlyph::SetNumGlyphs(int v) {
    v = std::clamp(v, 1, 4);
    if (v != numGlyphs_) {
        numGlyphs_ = v;
        changed();
    }
}

void TGlyph::SetTransparent(bool v) {
    if (v != transparent_) {
        transparent_ = v;
        changed();
    }
}

void TGlyph::SetVisible(bool v) {
    if (v != visible_) {
        visible_ = v;
        changed();
    }
}

QImage TGlyph::Picture(bool grayed) const {
    QImage pic;
    if (imageIndex_ >= 0 && imageIndex_ < imageList_.size()) {
        pic = imageList_[imageIndex_].convertToFormat(QImage::Format_ARGB32);
    } else if (!bitmap_.isNull()) {
        const int frame = bitmap_.width() / numGlyphs_;
        pic = bitmap_.copy(0, 0, frame, bitmap_.height()).convertToFormat(QImage::Format_ARGB32);
        if (transparent_) {
            const TColor key = ColorToRGB(
                alphaMode_ == TGradientTypes::amManual ? alphaColor_ : BitmapTransparentColor());
            const QRgb k = toQColor(key).rgb();
            for (int y = 0; y < pic.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(pic.scanLine(y));
                for (int x = 0; x < pic.width(); ++x)
                    if ((line[x] | 0xFF000000u) == k)
                        line[x] = 0;
            }
        }
    }
    if (grayed && !pic.isNull())
        for (int y = 0; y < pic.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(pic.scanLine(y));
            for (int x = 0; x < pic.width(); ++x)
                if (qAlpha(line[x]) != 0) {
                    const int g = (qRed(line[x]) + qGreen(line[x]) + qBlue(line[x])) / 3;
                    line[x] = qRgba(g, g, g, qAlpha(line[x]));
                }
        }
    return pic;
}

// ---------------------------------------------------------------------------------------------
// TSubCaption

TSubCaption::TSubCaption(TGradientCustomLabel* owner)
    : QObject(owner), owner_(owner), font_(owner->font()) {}

void TSubCaption::changed() {
    owner_->update();
}

void TSubCaption::SetCaption(const QString& v) {
    if (v != caption_) {
        caption_ = v;
        changed();
    }
}

void TSubCaption::SetMargin(int v) {
    if (v != margin_) {
        margin_ = v;
        changed();
    }
}

void TSubCaption::SetFont(const QFont& v) {
    font_ = v;
    changed();
}

void TSubCaption::SetFontColor(TColor v) {
    fontColor_ = v;
    changed();
}

void TSubCaption::SetVisible(bool v) {
    if (v != visible_) {
        visible_ = v;
        changed();
    }
}

// ---------------------------------------------------------------------------------------------
// TGradientCustomLabel

namespace {

// What a caption measures as: a blank for an empty text or a lone accelerator sign.
QString measured(const QString& text, bool accel) {
    if (text.isEmpty() || (accel && text == QLatin1String("&")))
        return QStringLiteral(" ");
    return text;
}

// The first character as it shows (an accelerator sign is not shown).
QString firstShown(const QString& text, bool accel) {
    if (accel && text.size() > 1 && text[0] == QLatin1Char('&'))
        return text.mid(1, 1);
    return text.left(1);
}

} // namespace

TGradientCustomLabel::TGradientCustomLabel(QWidget* parent)
    : TFlatControl(parent), gradient_(new TGradient(this)), glyph_(new TGlyph(this)),
      subCaption_(new TSubCaption(this)) {
    setClickEvents(true);
    SetOpaqueFace(this, true);
    resize(289, 17);
}

void TGradientCustomLabel::SetFocusControl(QWidget* v) {
    focusControl_ = v;
    updateShortcut();
    update();
}

void TGradientCustomLabel::SetEnabled(bool v) {
    if (v != enabled_) {
        enabled_ = v;
        update();
    }
}

void TGradientCustomLabel::SetLayout(TGradientTypes::TTextLayout v) {
    if (v != layout_) {
        layout_ = v;
        update();
    }
}

void TGradientCustomLabel::SetShowAccelChar(bool v) {
    if (v != showAccelChar_) {
        showAccelChar_ = v;
        updateShortcut();
        update();
    }
}

void TGradientCustomLabel::CaptionChanged() {
    updateShortcut();
    update();
}

void TGradientCustomLabel::updateShortcut() {
    const QKeySequence key = QKeySequence::mnemonic(Caption());
    if (!focusControl_ || !showAccelChar_ || key.isEmpty()) {
        delete shortcut_;
        shortcut_ = nullptr;
        return;
    }
    if (!shortcut_) {
        shortcut_ = new QShortcut(this);
        connect(shortcut_, &QShortcut::activated, this, [this] { DialogChar(shortcut_->key()); });
    }
    shortcut_->setKey(key);
}

bool TGradientCustomLabel::DialogChar(const QKeySequence& key) {
    if (!focusControl_ || !enabled_ || !showAccelChar_ || key.isEmpty() ||
        key != QKeySequence::mnemonic(Caption()))
        return false;
    if (focusControl_->isEnabled() && focusControl_->focusPolicy() != Qt::NoFocus)
        focusControl_->setFocus(Qt::ShortcutFocusReason);
    return true;
}

void TGradientCustomLabel::Loaded() {
    UpdateGradient();
    TFlatControl::Loaded();
}

void TGradientCustomLabel::UpdateGradient() {
    if (gradient_->Enabled())
        gradient_->UpdateGradient();
}

void TGradientCustomLabel::resizeEvent(QResizeEvent* ev) {
    UpdateGradient();
    TFlatControl::resizeEvent(ev);
}

void TGradientCustomLabel::changeEvent(QEvent* ev) {
    TFlatControl::changeEvent(ev);
    if (ev->type() == QEvent::EnabledChange || ev->type() == QEvent::FontChange)
        update();
}

void TGradientCustomLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int w = width(), h = height();
    const TGradient& g = *gradient_;
    if (g.Enabled() && g.Bitmap().size() != size())
        gradient_->UpdateGradient();
    if (g.Enabled() && !g.Bitmap().isNull())
        p.drawImage(0, 0, g.Bitmap());
    else
        p.fillRect(rect(), toQColor(Color()));

    const TGradientTypes::TBoundLines lines = boundLines();
    const TColor bc = boundColor();
    if (lines & TGradientTypes::blLeft)
        gdi::Line(p, QPoint(0, 0), QPoint(0, h - 1), bc);
    if (lines & TGradientTypes::blTop)
        gdi::Line(p, QPoint(0, 0), QPoint(w - 1, 0), bc);
    if (lines & TGradientTypes::blRight)
        gdi::Line(p, QPoint(w - 1, 0), QPoint(w - 1, h - 1), bc);
    if (lines & TGradientTypes::blBottom)
        gdi::Line(p, QPoint(0, h - 1), QPoint(w - 1, h - 1), bc);

    const QFontMetrics fm(font());
    const int th = fm.height();
    const bool rightGlyph = glyph_->DisplayAlign() == TGradientTypes::daRight;
    // Right to left, the whole layout is mirrored and the captions read from the right.
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    auto mirrored = [rtl, w](QRect r) {
        if (rtl)
            r.moveLeft(w - 1 - r.right());
        return r;
    };
    int glyphSpace = 0;
    if (glyph_->Visible()) {
        const QImage pic = glyph_->Picture(!enabled_ && glyph_->AllowGrayed());
        if (!pic.isNull()) {
            const int gh = pic.height();
            int y = (h - gh) / 2;
            if (layout_ == TGradientTypes::tlTop)
                y = std::abs(th - gh) / 2;
            else if (layout_ == TGradientTypes::tlBottom)
                y = h - gh - std::abs(th - gh) / 2;
            int x = rightGlyph ? w - pic.width() - glyph_->Margin() : glyph_->Margin();
            if (rtl)
                x = w - x - pic.width();
            p.drawImage(x, y, pic);
            glyphSpace = pic.width() + glyph_->Margin();
        }
    }

    const bool accel = showAccelChar_;
    const int flags = Qt::TextSingleLine | Qt::TextExpandTabs |
                      (accel ? int(Qt::TextShowMnemonic) : 0) | int(Qt::AlignAbsolute) |
                      (rtl ? int(Qt::AlignRight) : int(Qt::AlignLeft));
    auto vertical = [this](int base) {
        switch (layout_) {
        case TGradientTypes::tlTop:
            return base | Qt::AlignTop;
        case TGradientTypes::tlBottom:
            return base | Qt::AlignBottom;
        case TGradientTypes::tlCenter:
            break;
        }
        return base | Qt::AlignVCenter;
    };
    // Text that does not even fit its first character is left out; the rest ends in "...".
    auto drawLine = [&](const QFont& font, const QRect& logical, const QString& text, TColor color,
                        bool embossed) {
        const QRect r = mirrored(logical);
        const QFontMetrics m(font);
        if (text.isEmpty() || m.horizontalAdvance(firstShown(text, accel)) > r.width())
            return;
        const QString shown =
            m.elidedText(text, Qt::ElideRight, r.width(), accel ? Qt::TextShowMnemonic : 0);
        p.setFont(font);
        if (embossed)
            DrawEmbossedCaption(p, r, vertical(flags), shown);
        else
            DrawCaption(p, r, vertical(flags), shown, color);
    };

    int subRoom = 0;
    const TSubCaption& sub = *subCaption_;
    if (!sub.Caption().isEmpty() && sub.Visible()) {
        const QFontMetrics sm(sub.Font());
        const int stw = sm.horizontalAdvance(measured(sub.Caption(), accel));
        const int left = std::max(w - stw - sub.Margin(), margin() + glyphSpace);
        subRoom = w - left;
        QRect r(left, 0, std::max(0, w - sub.Margin() - left), h);
        if (rightGlyph)
            r.translate(-glyphSpace, 0);
        const int diff = std::abs(th - sm.height()) / 2;
        if (layout_ == TGradientTypes::tlTop)
            r.setTop(diff);
        else if (layout_ == TGradientTypes::tlBottom)
            r.setBottom(h - 1 - diff);
        drawLine(sub.Font(), r, sub.Caption(), sub.FontColor(), false);
    }

    QRect r = rect();
    if (rightGlyph) {
        r.setLeft(margin());
        r.setRight(w - 1 - glyphSpace - subRoom);
    } else {
        r.setLeft(margin() + glyphSpace);
        r.setRight(w - 1 - subRoom);
    }
    drawLine(font(), r, Caption(), FontColor(), !enabled_);
}

// ---------------------------------------------------------------------------------------------
// TGradientLabel

TGradientLabel::TGradientLabel(QWidget* parent) : TGradientCustomLabel(parent) {}

void TGradientLabel::SetBoundColor(TColor v) {
    if (v != boundColor_) {
        boundColor_ = v;
        update();
    }
}

void TGradientLabel::SetBoundLines(TGradientTypes::TBoundLines v) {
    if (v != boundLines_) {
        boundLines_ = v;
        update();
    }
}

void TGradientLabel::SetMargin(int v) {
    if (v != margin_) {
        margin_ = v;
        update();
    }
}

bool TGradientLabel::event(QEvent* ev) {
    if (ev->type() == QEvent::MouseButtonRelease && dragging_) {
        // The window move took the button; its release is no click.
        dragging_ = false;
        return true;
    }
    const bool handled = TGradientCustomLabel::event(ev);
    if (ev->type() == QEvent::MouseButtonPress && formDrag_ &&
        static_cast<QMouseEvent*>(ev)->button() == Qt::LeftButton) {
        dragging_ = true;
        if (QWindow* win = window()->windowHandle())
            win->startSystemMove();
        emit OnFormDrag();
    }
    return handled;
}

void TGradientLabel::enterEvent(QEnterEvent* ev) {
    TGradientCustomLabel::enterEvent(ev);
    if (hotTrack_ && !tracking_) {
        savedFontColor_ = FontColor();
        tracking_ = true;
        SetFontColor(hotTrackColor_);
    }
    emit OnMouseEnter();
}

void TGradientLabel::leaveEvent(QEvent* ev) {
    TGradientCustomLabel::leaveEvent(ev);
    if (tracking_) {
        tracking_ = false;
        SetFontColor(savedFontColor_);
    }
    emit OnMouseLeave();
}
