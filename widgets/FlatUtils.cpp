#include "widgets/FlatUtils.h"

#include "widgets/HSLUtils.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMetaProperty>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QWidget>
#include <cmath>
#include <cstdlib>

namespace {

struct NamedColor {
    const char* name;
    quint32 value;
};

const NamedColor kNamedColors[] = {
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clNone", clNone},
    {"clScrollBar", clScrollBar},
    {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText},
    {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder},
    {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk},
    {"clHotLight", clHotLight},
    {"clGradientActiveCaption", clGradientActiveCaption},
    {"clGradientInactiveCaption", clGradientInactiveCaption},
    {"clMenuHighlight", clMenuHighlight},
    {"clMenuBar", clMenuBar},
};

// The Windows XP default scheme, indexed by system colour number (as red, green, blue).
const quint8 kSysColors[][3] = {
    {212, 208, 200}, // 0 scroll bar
    {0, 78, 152},    // 1 background
    {0, 84, 227},    // 2 active caption
    {122, 150, 223}, // 3 inactive caption
    {255, 255, 255}, // 4 menu
    {255, 255, 255}, // 5 window
    {0, 0, 0},       // 6 window frame
    {0, 0, 0},       // 7 menu text
    {0, 0, 0},       // 8 window text
    {255, 255, 255}, // 9 caption text
    {212, 208, 200}, // 10 active border
    {212, 208, 200}, // 11 inactive border
    {128, 128, 128}, // 12 application workspace
    {49, 106, 197},  // 13 highlight
    {255, 255, 255}, // 14 highlight text
    {236, 233, 216}, // 15 button face
    {172, 168, 153}, // 16 button shadow
    {172, 168, 153}, // 17 grey text
    {0, 0, 0},       // 18 button text
    {216, 228, 248}, // 19 inactive caption text
    {255, 255, 255}, // 20 button highlight
    {113, 111, 100}, // 21 3-D dark shadow
    {241, 239, 226}, // 22 3-D light
    {0, 0, 0},       // 23 info text
    {255, 255, 225}, // 24 info background
    {181, 181, 181}, // 25 (unused index)
    {0, 0, 128},     // 26 hot light
    {61, 149, 255},  // 27 gradient active caption
    {157, 185, 235}, // 28 gradient inactive caption
    {49, 106, 197},  // 29 menu highlight
    {236, 233, 216}, // 30 menu bar
};

int roundEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

} // namespace

TColor GetSysColor(int index) {
    if (index < 0 || index >= int(std::size(kSysColors)))
        return clBlack;
    const auto& c = kSysColors[index];
    return RGBToColor(c[0], c[1], c[2]);
}

TColor ColorToRGB(TColor color) {
    if ((color.value & 0xFF000000u) == 0xFF000000u)
        return GetSysColor(int(color.value & 0xFF));
    return TColor(color.value & 0x00FFFFFFu);
}

QColor toQColor(TColor color) {
    const TColor c = ColorToRGB(color);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor fromQColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return RGBToColor(rgb.red(), rgb.green(), rgb.blue());
}

bool ParseColor(const QString& text, TColor* out) {
    const QString t = text.trimmed();
    bool ok = false;
    quint32 v = 0;
    if (t.startsWith(u'$'))
        v = t.mid(1).toUInt(&ok, 16);
    else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        v = t.mid(2).toUInt(&ok, 16);
    else if (t.startsWith(u'#')) {
        const QColor c(t);
        ok = c.isValid();
        if (ok)
            v = fromQColor(c);
    } else if (t.startsWith(QLatin1String("cl"), Qt::CaseInsensitive)) {
        for (const auto& n : kNamedColors) {
            if (t.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0) {
                v = n.value;
                ok = true;
                break;
            }
        }
    } else {
        const qlonglong n = t.toLongLong(&ok);
        ok = ok && n >= -0x80000000LL && n <= 0xFFFFFFFFLL;
        v = quint32(n);
    }
    if (ok && out)
        *out = TColor(v);
    return ok;
}

QString ColorToString(TColor color) {
    for (const auto& n : kNamedColors) {
        if (n.value == color.value)
            return QLatin1String(n.name);
    }
    return QStringLiteral("$%1").arg(color.value, 8, 16, QLatin1Char('0')).toUpper();
}

TColor colorOf(const QWidget* w) {
    if (!w)
        return clBtnFace;
    const int idx = w->metaObject()->indexOfProperty("Color");
    if (idx >= 0) {
        const QMetaProperty prop = w->metaObject()->property(idx);
        if (prop.metaType() == QMetaType::fromType<TColor>())
            return prop.read(w).value<TColor>();
    }
    return fromQColor(w->palette().color(QPalette::Window));
}

void RegisterFlatTypes() {
    static const bool done = [] {
        const QMetaType tc = QMetaType::fromType<TColor>();
        auto from = [tc](QMetaType src, auto fn) {
            QMetaType::registerConverterFunction(
                [fn](const void* s, void* t) { return fn(s, static_cast<TColor*>(t)); }, src, tc);
        };
        from(QMetaType::fromType<QColor>(), [](const void* s, TColor* t) {
            const auto* c = static_cast<const QColor*>(s);
            if (!c->isValid())
                return false;
            *t = fromQColor(*c);
            return true;
        });
        from(QMetaType::fromType<QString>(), [](const void* s, TColor* t) {
            return ParseColor(*static_cast<const QString*>(s), t);
        });
        from(QMetaType::fromType<int>(), [](const void* s, TColor* t) {
            *t = TColor(quint32(*static_cast<const int*>(s)));
            return true;
        });
        from(QMetaType::fromType<uint>(), [](const void* s, TColor* t) {
            *t = TColor(*static_cast<const uint*>(s));
            return true;
        });
        from(QMetaType::fromType<qlonglong>(), [](const void* s, TColor* t) {
            *t = TColor(quint32(*static_cast<const qlonglong*>(s)));
            return true;
        });
        QMetaType::registerConverter<TColor, QColor>(&toQColor);
        QMetaType::registerConverter<TColor, QString>(&ColorToString);
        QMetaType::registerConverter<TColor, uint>([](TColor c) { return uint(c.value); });
        return true;
    }();
    Q_UNUSED(done);
}

TColor AdjustColorLightness(TColor baseColor, TColor currentColor, TAdvColors percent,
                            bool darken) {
    if (percent == 0)
        return currentColor;
    THslRange hsl = ColorToHslRange(ColorToRGB(baseColor));
    hsl.L += 10;
    // Lightening stops at the top of the lightness scale, so it never comes out darker.
    if (darken)
        hsl.L = std::max(hsl.L - percent, 0);
    else
        hsl.L = std::min(hsl.L + percent, HslRange);
    return HslRangeToColor(hsl.H, hsl.S, hsl.L);
}

void DrawFrameRings(QPainter& p, const QRect& rect, TColor topColor, int width,
                    TColor bottomColor) {
    int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    for (int i = 0; i < width; ++i) {
        gdi::Polyline(p, {{l, b}, {l, t}, {r, t}}, topColor);
        gdi::Polyline(p, {{r, t}, {r, b}, {l - 1, b}}, bottomColor);
        ++l;
        ++t;
        --r;
        --b;
    }
}

void PaintParentBackground(const QWidget* control, QPainter& p) {
    QWidget* parent = control ? control->parentWidget() : nullptr;
    if (!parent)
        return;
    // The region's top-left lands at the painter's origin, the control's top-left.
    const QRegion under = QRegion(control->geometry()) & QRegion(parent->rect());
    if (under.isEmpty())
        return;
    const QPoint shift = under.boundingRect().topLeft() - control->pos();
    p.save();
    parent->render(&p, shift, under, QWidget::DrawWindowBackground);
    p.restore();
}

QImage MakeDisabledGlyph(const QImage& glyph, TColor maskColor, TColor faceColor,
                         bool withHighlight, TColor shadowColor, TColor highlightColor) {
    const int w = glyph.width(), h = glyph.height();
    const QImage src = glyph.convertToFormat(QImage::Format_RGB32);
    const QRgb maskRgb = toQColor(maskColor).rgb() | 0xFF000000u;
    QImage result(w, h, QImage::Format_RGB32);
    result.fill(toQColor(faceColor));
    auto stamp = [&](int dx, int dy, TColor color) {
        const QRgb rgb = toQColor(color).rgb();
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if ((src.pixel(x, y) | 0xFF000000u) != maskRgb)
                    continue;
                const int tx = x + dx, ty = y + dy;
                if (tx < w && ty < h)
                    result.setPixel(tx, ty, rgb);
            }
        }
    };
    if (withHighlight)
        stamp(1, 1, highlightColor);
    stamp(0, 0, shadowColor);
    return result;
}

TGlyphLayout LayoutGlyphAndCaption(const QRect& client, const QPoint& offset, QSize textSize,
                                   int numGlyphs, QSize glyphSize, int margin, int spacing,
                                   TFlatTypes::TButtonLayout layout) {
    const QPoint clientSize(client.width(), client.height());
    QPoint gs(0, 0);
    if (glyphSize.width() > 0 && glyphSize.height() > 0)
        gs = QPoint(glyphSize.width() / std::max(numGlyphs, 1), glyphSize.height());
    const QPoint ts(textSize.width(), textSize.height());
    QPoint glyphPos(0, 0), textPos(0, 0);
    const bool horizontal = layout == TFlatTypes::blGlyphLeft || layout == TFlatTypes::blGlyphRight;
    if (horizontal) {
        glyphPos.ry() = (clientSize.y() - gs.y() + 1) / 2;
        textPos.ry() = (clientSize.y() - ts.y() + 1) / 2;
    } else {
        glyphPos.rx() = (clientSize.x() - gs.x() + 1) / 2;
        textPos.rx() = (clientSize.x() - ts.x() + 1) / 2;
    }
    if (ts.x() == 0 || gs.x() == 0)
        spacing = 0;
    auto axis = [horizontal](const QPoint& pt) { return horizontal ? pt.x() : pt.y(); };
    if (margin == -1) {
        if (spacing == -1) {
            margin = (axis(clientSize) - (axis(gs) + axis(ts))) / 3;
            spacing = margin;
        } else {
            margin = (axis(clientSize) - (axis(gs) + spacing + axis(ts)) + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (axis(clientSize) - (margin + axis(gs)) - axis(ts)) / 2;
    }
    switch (layout) {
    case TFlatTypes::blGlyphLeft:
        glyphPos.rx() = margin;
        textPos.rx() = glyphPos.x() + gs.x() + spacing;
        break;
    case TFlatTypes::blGlyphRight:
        glyphPos.rx() = clientSize.x() - margin - gs.x();
        textPos.rx() = glyphPos.x() - spacing - ts.x();
        break;
    case TFlatTypes::blGlyphTop:
        glyphPos.ry() = margin;
        textPos.ry() = glyphPos.y() + gs.y() + spacing;
        break;
    case TFlatTypes::blGlyphBottom:
        glyphPos.ry() = clientSize.y() - margin - gs.y();
        textPos.ry() = glyphPos.y() - spacing - ts.y();
        break;
    }
    TGlyphLayout out;
    out.GlyphPos = glyphPos + client.topLeft() + offset;
    out.TextBounds = QRect(textPos + client.topLeft() + offset, QSize(ts.x(), ts.y()));
    return out;
}

QSize CaptionSize(const QFontMetrics& fm, const QString& caption) {
    if (caption.isEmpty())
        return QSize(0, 0);
    return fm.size(Qt::TextSingleLine | Qt::TextShowMnemonic, caption);
}

TGlyphLayout LayoutGlyphAndCaption(const QFontMetrics& fm, const QRect& client,
                                   const QPoint& offset, const QString& caption, int numGlyphs,
                                   QSize glyphSize, int margin, int spacing,
                                   TFlatTypes::TButtonLayout layout) {
    return LayoutGlyphAndCaption(client, offset, CaptionSize(fm, caption), numGlyphs, glyphSize,
                                 margin, spacing, layout);
}

TTextMetric GetFontTextMetrics(const QFont& font) {
    const QFontMetrics fm(font);
    TTextMetric tm;
    tm.tmHeight = fm.height();
    tm.tmAscent = fm.ascent();
    tm.tmDescent = fm.descent();
    tm.tmAveCharWidth = fm.averageCharWidth();
    tm.tmMaxCharWidth = fm.maxWidth();
    return tm;
}

int FontLineHeight(const QFont& font) {
    const int h = GetFontTextMetrics(font).tmHeight;
    return roundEven(h + h / 8.0);
}

bool RectsIntersect(const QRect& a, const QRect& b) {
    return a.intersects(b);
}

quint16 MinWord(quint16 a, quint16 b) {
    return a < b ? a : b;
}

void DrawCaption(QPainter& p, const QRect& rect, int qtFlags, const QString& text, TColor color) {
    p.save();
    p.setPen(toQColor(color));
    p.setBrush(Qt::NoBrush);
    p.drawText(rect, qtFlags, text);
    p.restore();
}

void DrawEmbossedCaption(QPainter& p, const QRect& rect, int qtFlags, const QString& text) {
    DrawCaption(p, rect.translated(1, 1), qtFlags, text, clBtnHighlight);
    DrawCaption(p, rect, qtFlags, text, clBtnShadow);
}

bool HoverAllowed() {
    return QApplication::activeWindow() != nullptr;
}

namespace gdi {

namespace {
void pixelRun(QPainter& p, int x, int y, int w, int h, const QColor& c) {
    if (w > 0 && h > 0)
        p.fillRect(x, y, w, h, c);
}
} // namespace

void Line(QPainter& p, QPoint a, QPoint b, TColor color) {
    const QColor c = toQColor(color);
    if (a.y() == b.y()) {
        if (a.x() < b.x())
            pixelRun(p, a.x(), a.y(), b.x() - a.x(), 1, c);
        else
            pixelRun(p, b.x() + 1, a.y(), a.x() - b.x(), 1, c);
        return;
    }
    if (a.x() == b.x()) {
        if (a.y() < b.y())
            pixelRun(p, a.x(), a.y(), 1, b.y() - a.y(), c);
        else
            pixelRun(p, a.x(), b.y() + 1, 1, a.y() - b.y(), c);
        return;
    }
    int x = a.x(), y = a.y();
    const int dx = std::abs(b.x() - x), dy = -std::abs(b.y() - y);
    const int sx = x < b.x() ? 1 : -1, sy = y < b.y() ? 1 : -1;
    int err = dx + dy;
    while (x != b.x() || y != b.y()) {
        pixelRun(p, x, y, 1, 1, c);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void Polyline(QPainter& p, const QVector<QPoint>& points, TColor color) {
    for (int i = 1; i < points.size(); ++i)
        Line(p, points[i - 1], points[i], color);
}

void FillRect(QPainter& p, const QRect& r, TColor color) {
    if (r.width() > 0 && r.height() > 0)
        p.fillRect(r, toQColor(color));
}

void FrameRect(QPainter& p, const QRect& r, TColor color) {
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const QColor c = toQColor(color);
    pixelRun(p, r.left(), r.top(), r.width(), 1, c);
    pixelRun(p, r.left(), r.bottom(), r.width(), 1, c);
    pixelRun(p, r.left(), r.top(), 1, r.height(), c);
    pixelRun(p, r.right(), r.top(), 1, r.height(), c);
}

void Rectangle(QPainter& p, const QRect& r, TColor pen, TColor brush) {
    FillRect(p, r.adjusted(1, 1, -1, -1), brush);
    FrameRect(p, r, pen);
}

void Ellipse(QPainter& p, const QRect& r, TColor pen, TColor brush) {
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(toQColor(pen), 0));
    p.setBrush(toQColor(brush));
    p.drawEllipse(QRect(r.left(), r.top(), r.width() - 1, r.height() - 1));
    p.restore();
}

void Polygon(QPainter& p, const QVector<QPoint>& points, TColor pen, TColor brush) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(toQColor(pen), 0));
    p.setBrush(toQColor(brush));
    p.drawPolygon(points.data(), int(points.size()));
    p.restore();
}

void DrawEdge(QPainter& p, const QRect& r, Edge edge) {
    switch (edge) {
    case Edge::Raised:
        DrawFrameRings(p, r, cl3DLight, 1, cl3DDkShadow);
        DrawFrameRings(p, r.adjusted(1, 1, -1, -1), clBtnHighlight, 1, clBtnShadow);
        break;
    case Edge::Sunken:
        DrawFrameRings(p, r, clBtnShadow, 1, clBtnHighlight);
        DrawFrameRings(p, r.adjusted(1, 1, -1, -1), cl3DDkShadow, 1, cl3DLight);
        break;
    case Edge::RaisedOuter:
        DrawFrameRings(p, r, cl3DLight, 1, cl3DDkShadow);
        break;
    case Edge::SunkenOuter:
        DrawFrameRings(p, r, clBtnShadow, 1, clBtnHighlight);
        break;
    }
}

void DrawFocusRect(QPainter& p, const QRect& r) {
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor white(255, 255, 255);
    auto dot = [&](int x, int y) { p.fillRect(x, y, 1, 1, white); };
    for (int x = r.left(); x <= r.right(); x += 2) {
        dot(x, r.top());
        if (r.bottom() != r.top())
            dot(x, r.bottom());
    }
    for (int y = r.top() + 2; y < r.bottom(); y += 2) {
        dot(r.left(), y);
        if (r.right() != r.left())
            dot(r.right(), y);
    }
    p.restore();
}

} // namespace gdi

QEvent::Type ParentColorChangedEventType() {
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

void NotifyParentColorChanged(QWidget* parent) {
    const auto children = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        QEvent ev(ParentColorChangedEventType());
        QCoreApplication::sendEvent(child, &ev);
    }
}

QEvent::Type TFocusChangedEvent::Type() {
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

void NotifyFocusChanged(QWidget* form) {
    TFocusChangedEvent ev(form->focusWidget());
    QCoreApplication::sendEvent(form, &ev);
}

// ---------------------------------------------------------------------------------------------

TFlatControl::TFlatControl(QWidget* parent) : QWidget(parent), dragDock_(new TDragDock(this)) {
    RegisterFlatTypes();
    color_ = colorOf(parent);
    // OnMouseMove fires without a button held, as the forms' hover handlers expect.
    setMouseTracking(true);
}

TColor TFlatControl::Color() const {
    if (parentColor_ && parentWidget())
        return colorOf(parentWidget());
    return color_;
}

void TFlatControl::SetColor(TColor value) {
    if (!parentColor_ && value == color_)
        return;
    color_ = value;
    parentColor_ = false;
    ColorChanged();
    NotifyParentColorChanged(this);
}

void TFlatControl::SetParentColor(bool value) {
    if (value == parentColor_)
        return;
    if (!value)
        color_ = Color();
    parentColor_ = value;
    if (value) {
        ColorChanged();
        NotifyParentColorChanged(this);
    }
}

void TFlatControl::SetCaption(const QString& value) {
    if (value == caption_)
        return;
    caption_ = value;
    CaptionChanged();
}

TColor TFlatControl::FontColor() const {
    return fromQColor(palette().color(QPalette::WindowText));
}

void TFlatControl::SetFontColor(TColor value) {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, toQColor(value));
    pal.setColor(QPalette::Text, toQColor(value));
    pal.setColor(QPalette::ButtonText, toQColor(value));
    setPalette(pal);
    update();
}

void TFlatControl::Click() {
    emit OnClick();
}

void TFlatControl::mousePressEvent(QMouseEvent* ev) {
    emit OnMouseDown(ev->button(), ev->modifiers(), ev->position().toPoint().x(),
                     ev->position().toPoint().y());
}

void TFlatControl::mouseMoveEvent(QMouseEvent* ev) {
    emit OnMouseMove(ev->modifiers(), ev->position().toPoint().x(), ev->position().toPoint().y());
}

void TFlatControl::mouseReleaseEvent(QMouseEvent* ev) {
    emit OnMouseUp(ev->button(), ev->modifiers(), ev->position().toPoint().x(),
                   ev->position().toPoint().y());
}

void TFlatControl::mouseDoubleClickEvent(QMouseEvent* ev) {
    if (ev->button() == Qt::LeftButton)
        DblClick();
    mousePressEvent(ev);
}

void TFlatControl::keyPressEvent(QKeyEvent* ev) {
    emit OnKeyDown(ev->key(), ev->modifiers());
    if (!ev->text().isEmpty())
        emit OnKeyPress(ev->text().at(0));
    ev->ignore();
}

void TFlatControl::keyReleaseEvent(QKeyEvent* ev) {
    emit OnKeyUp(ev->key(), ev->modifiers());
    ev->ignore();
}

void TFlatControl::focusInEvent(QFocusEvent* ev) {
    QWidget::focusInEvent(ev);
    emit OnEnter();
}

void TFlatControl::focusOutEvent(QFocusEvent* ev) {
    QWidget::focusOutEvent(ev);
    emit OnExit();
}

void TFlatControl::resizeEvent(QResizeEvent* ev) {
    QWidget::resizeEvent(ev);
    emit OnResize();
}

bool TFlatControl::event(QEvent* ev) {
    switch (ev->type()) {
    case QEvent::MouseButtonPress: {
        auto* me = static_cast<QMouseEvent*>(ev);
        if (me->button() == Qt::LeftButton)
            clicked_ = true;
        break;
    }
    case QEvent::MouseButtonDblClick:
        clicked_ = false;
        break;
    case QEvent::WindowActivate:
        WindowActivated();
        break;
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(ev);
        if (me->button() == Qt::LeftButton && clicked_) {
            clicked_ = false;
            // The click comes before the control's own release handling.
            if (clickEvents_ && isEnabled() && rect().contains(me->position().toPoint()))
                Click();
        }
        break;
    }
    default:
        if (ev->type() == ParentColorChangedEventType()) {
            ParentColorChanged();
            if (parentColor_)
                NotifyParentColorChanged(this);
            return true;
        }
        break;
    }
    return QWidget::event(ev);
}

void TFlatControl::changeEvent(QEvent* ev) {
    QWidget::changeEvent(ev);
    switch (ev->type()) {
    case QEvent::PaletteChange:
    case QEvent::ParentChange:
        ParentColorChanged();
        break;
    case QEvent::ApplicationPaletteChange:
        SysColorChanged();
        break;
    case QEvent::EnabledChange:
    case QEvent::FontChange:
        update();
        break;
    default:
        break;
    }
}

void SetOpaqueFace(QWidget* w, bool opaque) {
    w->setAttribute(Qt::WA_OpaquePaintEvent, opaque);
    w->setAttribute(Qt::WA_NoSystemBackground, opaque);
    w->update();
}

// ---------------------------------------------------------------------------------------------

void TFlatAdvColorControl::SetUseAdvColors(bool value) {
    if (value == useAdvColors_)
        return;
    useAdvColors_ = value;
    SetParentColor(value);
    recalcAdvColors();
    update();
}

void TFlatAdvColorControl::recalcAdvColors() {
    if (useAdvColors_)
        calcAdvColors();
}

void TFlatAdvColorControl::ParentColorChanged() {
    if (useAdvColors_) {
        SetParentColor(true);
        calcAdvColors();
    }
    update();
}

void TFlatAdvColorControl::SysColorChanged() {
    ParentColorChanged();
}

void TFlatFaceColorControl::SetColorFocused(TColor value) {
    colorFocused_ = value;
    update();
}

void TFlatFaceColorControl::SetColorDown(TColor value) {
    colorDown_ = value;
    update();
}

void TFlatFaceColorControl::SetColorBorder(TColor value) {
    colorBorder_ = value;
    update();
}

void TFlatFaceColorControl::SetAdvColors(int index, TAdvColors value) {
    switch (index) {
    case 0:
        advColorFocused_ = value;
        break;
    case 1:
        advColorDown_ = value;
        break;
    case 2:
        advColorBorder_ = value;
        break;
    default:
        break;
    }
    recalcAdvColors();
    update();
}

void TFlatFaceColorControl::calcAdvColors() {
    colorFocused_ = AdjustColorLightness(Color(), colorFocused_, advColorFocused_, false);
    colorDown_ = AdjustColorLightness(Color(), colorDown_, advColorDown_, true);
    colorBorder_ = AdjustColorLightness(Color(), colorBorder_, advColorBorder_, true);
}

void ReplaceMnemonicShortcut(QWidget* owner, QShortcut*& shortcut, const QString& caption,
                             std::function<void()> activated) {
    const QKeySequence seq = QKeySequence::mnemonic(caption);
    delete shortcut;
    shortcut = nullptr;
    if (seq.isEmpty())
        return;
    shortcut = new QShortcut(seq, owner);
    QObject::connect(shortcut, &QShortcut::activated, owner, std::move(activated));
}

QString JoinLinesCrLf(const QStringList& lines) {
    QString text;
    for (const QString& s : lines)
        text += s + QStringLiteral("\r\n");
    return text;
}

QStringList SplitTextLines(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QStringList lines = t.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// ---------------------------------------------------------------------------------------------

TFlatToggleControl::TFlatToggleControl(QWidget* parent) : TFlatFaceColorControl(parent, clWhite) {
    resize(121, 17);
    SetOpaqueFace(this, true);
    // Made inside a right-to-left form, it starts in the right layout.
    rightLayout_ = layoutDirection() == Qt::RightToLeft;
}

void TFlatToggleControl::SetTransparent(bool value) {
    transparent_ = value;
    SetOpaqueFace(this, !value);
}

void TFlatToggleControl::setRightLayout(bool value) {
    rightLayout_ = value;
    update();
}

void TFlatToggleControl::SetColors(int index, TColor value) {
    switch (index) {
    case 0:
        SetColorFocused(value);
        break;
    case 1:
        SetColorDown(value);
        break;
    case 2:
        markColor_ = value;
        update();
        break;
    case 3:
        SetColorBorder(value);
        break;
    default:
        update();
        break;
    }
}

void TFlatToggleControl::CaptionChanged() {
    ReplaceMnemonicShortcut(this, shortcut_, Caption(), [this] { mnemonicActivated(); });
    update();
}

TColor TFlatToggleControl::indicatorFill() const {
    if (!focused_ && !mouseInside_)
        return Color();
    return pressing_ ? ColorDown() : ColorFocused();
}

void TFlatToggleControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!transparent_)
        gdi::FillRect(p, rect(), Color());
    paintIndicator(p);
    p.setFont(font());
    const int flags = Qt::TextWordWrap | Qt::AlignTop | Qt::TextShowMnemonic | Qt::AlignAbsolute |
                      (rightLayout_ ? Qt::AlignRight : Qt::AlignLeft);
    const QRect r = rightLayout_ ? QRect(QPoint(1, 1), QPoint(width() - 17, height() - 2))
                                 : QRect(QPoint(16, 1), QPoint(width() - 2, height() - 2));
    if (isEnabled())
        DrawCaption(p, r, flags, Caption(), FontColor());
    else
        DrawEmbossedCaption(p, r, flags, Caption());
}

void TFlatToggleControl::mousePressEvent(QMouseEvent* ev) {
    // Only the left button counts; the others do not even fire OnMouseDown.
    if (ev->button() != Qt::LeftButton || !isEnabled())
        return;
    setFocus(Qt::MouseFocusReason);
    pressing_ = true;
    // A press can only start with the mouse over the control.
    mouseInside_ = true;
    update();
    TFlatControl::mousePressEvent(ev);
}

void TFlatToggleControl::mouseDoubleClickEvent(QMouseEvent* ev) {
    mousePressEvent(ev);
}

void TFlatToggleControl::mouseReleaseEvent(QMouseEvent* ev) {
    if (ev->button() != Qt::LeftButton || !isEnabled())
        return;
    pressing_ = false;
    releaseToggles(ev->position().toPoint());
    update();
    TFlatControl::mouseReleaseEvent(ev);
}

void TFlatToggleControl::enterEvent(QEnterEvent* ev) {
    TFlatControl::enterEvent(ev);
    if (HoverAllowed() && isEnabled() && !mouseInside_) {
        mouseInside_ = true;
        update();
    }
}

void TFlatToggleControl::mouseMoveEvent(QMouseEvent* ev) {
    TFlatControl::mouseMoveEvent(ev);
    // Any move over the control lights it, not only the entering one: the window may have
    // become active, or the focus gone, while the mouse rested inside.
    if (HoverAllowed() && isEnabled() && !mouseInside_ &&
        rect().contains(ev->position().toPoint())) {
        mouseInside_ = true;
        update();
    }
}

void TFlatToggleControl::WindowActivated() {
    if (isEnabled() && !mouseInside_ && underMouse()) {
        mouseInside_ = true;
        update();
    }
}

void TFlatToggleControl::leaveEvent(QEvent* ev) {
    TFlatControl::leaveEvent(ev);
    if (isEnabled() && mouseInside_ && !pressing_) {
        mouseInside_ = false;
        update();
    }
}

void TFlatToggleControl::focusInEvent(QFocusEvent* ev) {
    TFlatControl::focusInEvent(ev);
    if (isEnabled()) {
        focused_ = true;
        update();
    }
}

void TFlatToggleControl::focusOutEvent(QFocusEvent* ev) {
    TFlatControl::focusOutEvent(ev);
    if (isEnabled()) {
        mouseInside_ = false;
        focused_ = false;
        update();
    }
}

void TFlatToggleControl::changeEvent(QEvent* ev) {
    TFlatControl::changeEvent(ev);
    // Right to left puts the indicator on the right.
    if (ev->type() == QEvent::LayoutDirectionChange)
        setRightLayout(layoutDirection() == Qt::RightToLeft);
    if (ev->type() == QEvent::EnabledChange && !isEnabled()) {
        mouseInside_ = false;
        pressing_ = false;
        update();
    }
}
