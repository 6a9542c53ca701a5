#include "widgets/SmoothCtrls.h"

#include <QPainter>
#include <QSignalBlocker>

#include <algorithm>

namespace {

int columnsOf(QChar c) {
    return c.unicode() < 0x80 ? 1 : 2;
}

int columnsOf(const QString& s) {
    int n = 0;
    for (QChar c : s)
        n += columnsOf(c);
    return n;
}

// The longest start of s that takes at most cols byte columns.
QString leftColumns(const QString& s, int cols) {
    int used = 0, i = 0;
    for (; i < s.size(); ++i) {
        used += columnsOf(s[i]);
        if (used > cols)
            break;
    }
    return s.left(i);
}

bool isBreakChar(QChar c) {
    switch (c.unicode()) {
    case '\t':
    case ' ':
    case '!':
    case ',':
    case '-':
    case '.':
    case ':':
    case ';':
    case '?':
        return true;
    default:
        return false;
    }
}

// The formatting state of a walk through the lines: the font and effect on the engine, and the
// alignment, reset per line or carried over by the label effect.
class LineFormatter {
public:
    LineFormatter(TSmoothFontEx& engine, TSmoothCanvas& canvas, const TCustomTextParam& text,
                  const TFontLabels& fonts, const TUserLabels& labels, const TTextFont& baseFont)
        : engine_(engine), canvas_(canvas), text_(text), fonts_(fonts), labels_(labels),
          baseFont_(baseFont) {
        reset();
    }

    QString next(QString line) {
        if (text_.LabelEffect() == TSmoothCtrlTypes::leOnlyALine)
            reset();
        fonts_.Check(line, &canvas_.Font, engine_.Effect());
        labels_.Check(line, alignment_);
        return line;
    }

    TFlatTypes::TAlignment alignment() const { return alignment_; }

    // The engine's effect goes back to the text's own.
    void finish() { engine_.Effect()->Assign(*text_.FontEffect()); }

private:
    void reset() {
        canvas_.Font = baseFont_;
        engine_.Effect()->Assign(*text_.FontEffect());
        alignment_ = text_.Alignment();
    }

    TSmoothFontEx& engine_;
    TSmoothCanvas& canvas_;
    const TCustomTextParam& text_;
    const TFontLabels& fonts_;
    const TUserLabels& labels_;
    TTextFont baseFont_;
    TFlatTypes::TAlignment alignment_ = TFlatTypes::taLeftJustify;
};

} // namespace

QStringList SmoothWrapText(const QString& line, int maxCols) {
    maxCols = std::max(maxCols, 2);
    QStringList out;
    const int n = int(line.size());
    int linePos = 0, pos = 0, col = 0, breakPos = -1;
    QChar quote;
    while (pos < n) {
        const QChar ch = line[pos];
        const int w = columnsOf(ch);
        if (w == 2) {
            if (quote.isNull() && col + 2 > maxCols && pos > linePos)
                breakPos = pos - 1;
        } else if (isBreakChar(ch)) {
            if (quote.isNull())
                breakPos = pos;
        } else if (ch == QLatin1Char('"') || ch == QLatin1Char('\'')) {
            if (ch == quote)
                quote = QChar();
            else if (quote.isNull())
                quote = ch;
        }
        col += w;
        ++pos;
        if (quote.isNull() && col > maxCols && breakPos >= linePos) {
            out << line.mid(linePos, breakPos - linePos + 1);
            pos = breakPos + 1;
            while (pos < n && (isBreakChar(line[pos]) || line[pos] == QLatin1Char('\r') ||
                               line[pos] == QLatin1Char('\n')))
                ++pos;
            linePos = pos;
            col = 0;
            breakPos = -1;
        }
    }
    if (linePos < n || out.isEmpty())
        out << line.mid(linePos);
    return out;
}

QStringList SmoothWrapLine(TSmoothFont& engine, const QString& line, int room, bool wordWrap) {
    if (line.isEmpty())
        return {QStringLiteral(" ")};
    const int width = engine.TextWidth(line);
    // Without room there is nothing to wrap into; cutting would never end.
    if (!wordWrap || room <= 0 || width <= room)
        return {line};
    int cut = columnsOf(line) * room / width;
    while (cut > 0 && engine.TextWidth(leftColumns(line, cut)) > room)
        --cut;
    return SmoothWrapText(line, std::max(cut, 2));
}

// ---------------------------------------------------------------------------------------------
// Parameters

TCustomParam::TCustomParam(TSmoothGraphicControl* control)
    : TNotifyClass(control), control_(control) {}

void TCustomParam::SetAlignment(TFlatTypes::TAlignment v) {
    if (v != alignment_) {
        alignment_ = v;
        Changed();
    }
}

void TCustomParam::SetWordWrap(bool v) {
    if (v != wordWrap_) {
        wordWrap_ = v;
        Changed();
    }
}

void TCustomParam::SetTransparent(bool v) {
    if (v != transparent_) {
        transparent_ = v;
        Changed();
    }
}

TSmoothTypes::TSmoothQuality TCustomParam::Quality() const {
    return control_->SmoothFont().Quality();
}

void TCustomParam::SetQuality(TSmoothTypes::TSmoothQuality v) {
    if (v != Quality()) {
        control_->SmoothFont().SetQuality(v);
        Changed();
    }
}

TColor TCustomParam::BackColor() const {
    return control_->Color();
}

void TCustomParam::SetBackColor(TColor v) {
    control_->SetColor(v);
}

void TCustomParam::SetBackGround(const QImage& v) {
    backGround_ = v;
    Changed();
}

void TCustomParam::SetBackGroundMode(TSmoothCtrlTypes::TBackGroundMode v) {
    if (v != backGroundMode_) {
        backGroundMode_ = v;
        Changed();
    }
}

void TCustomParam::Assign(const TNotifyClass& source) {
    auto* s = qobject_cast<const TCustomParam*>(&source);
    if (!s || s == this)
        return;
    {
        const QSignalBlocker block(this);
        SetAlignment(s->alignment_);
        SetWordWrap(s->wordWrap_);
        SetTransparent(s->transparent_);
        SetQuality(s->Quality());
        SetBackGround(s->backGround_);
        SetBackGroundMode(s->backGroundMode_);
    }
    SetBackColor(s->BackColor());
    Changed();
}

TCustomTextParam::TCustomTextParam(TSmoothGraphicControl* control)
    : TCustomParam(control), fontEffect_(new TSmoothEffect(this)) {
    connect(fontEffect_, &TNotifyClass::OnChange, this, &TNotifyClass::OnChange);
}

void TCustomTextParam::SetLines(const QStringList& v) {
    if (v != lines_) {
        lines_ = v;
        Changed();
    }
}

void TCustomTextParam::SetLabelEffect(TSmoothCtrlTypes::TLabelEffect v) {
    if (v != labelEffect_) {
        labelEffect_ = v;
        Changed();
    }
}

void TCustomTextParam::SetRowPitch(int v) {
    v = std::clamp(v, -100, 150);
    if (v != rowPitch_) {
        rowPitch_ = v;
        Changed();
    }
}

void TCustomTextParam::Assign(const TNotifyClass& source) {
    auto* s = qobject_cast<const TCustomTextParam*>(&source);
    if (!s || s == this)
        return;
    {
        const QSignalBlocker block(this);
        TCustomParam::Assign(source);
        SetLines(s->lines_);
        SetLabelEffect(s->labelEffect_);
        SetRowPitch(s->rowPitch_);
        fontEffect_->Assign(*s->fontEffect_);
    }
    Changed();
}

TTextParam::TTextParam(TSmoothGraphicControl* control) : TCustomTextParam(control) {
    const QSignalBlocker block(this);
    SetLines(AboutText());
}

QStringList TTextParam::AboutText() {
    return {QStringLiteral("<Title1><Center>TSmoothText"),
            QStringLiteral("<Text1>Smooth text with shadows, gradients and textures,"),
            QStringLiteral("<Text1>formatted by font and user labels."),
            QStringLiteral("<Text2><Right>Free to use.")};
}

// ---------------------------------------------------------------------------------------------
// TSmoothGraphicControl

TSmoothGraphicControl::TSmoothGraphicControl(QWidget* parent)
    : TFlatControl(parent), engine_(&canvas_) {
    canvas_.Font = TTextFont{font(), FontColor(), 0};
    setClickEvents(true);
    connect(engine_.Effect(), &TNotifyClass::OnChange, this, &TSmoothGraphicControl::Changed);
}

void TSmoothGraphicControl::SetAutoSize(bool v) {
    autoSize_ = v;
    Changed();
}

void TSmoothGraphicControl::SetBorder(int v) {
    v = std::max(v, 0);
    if (v != border_) {
        border_ = v;
        Changed();
    }
}

void TSmoothGraphicControl::EndUpdate() {
    if (updateCount_ > 0)
        --updateCount_;
    Changed();
}

void TSmoothGraphicControl::Changed() {
    if (loaded_ && autoUpdate_ && updateCount_ == 0)
        Reset();
}

void TSmoothGraphicControl::Loaded() {
    loaded_ = true;
    lastSize_ = size();
    ControlLoaded();
}

bool TSmoothGraphicControl::event(QEvent* ev) {
    // A form that never called Loaded gets it before the control is first shown or grabbed,
    // so the auto size is applied outside any paint.
    if (ev->type() == QEvent::Polish && !loaded_)
        Loaded();
    return TFlatControl::event(ev);
}

void TSmoothGraphicControl::paintEvent(QPaintEvent*) {
    if (!loaded_) {
        // Painted without being polished: load on the next turn of the event loop, never here.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!loaded_)
                    Loaded();
            },
            Qt::QueuedConnection);
        return;
    }
    if (painting_)
        return;
    painting_ = true;
    QPainter p(this);
    PaintCanvas(p);
    painting_ = false;
}

void TSmoothGraphicControl::resizeEvent(QResizeEvent* ev) {
    if (size() != lastSize_) {
        lastSize_ = size();
        Changed();
    }
    TFlatControl::resizeEvent(ev);
}

void TSmoothGraphicControl::changeEvent(QEvent* ev) {
    TFlatControl::changeEvent(ev);
    if (ev->type() == QEvent::FontChange || ev->type() == QEvent::PaletteChange) {
        // Measuring between drawings uses the control's own font.
        canvas_.Font = TTextFont{font(), FontColor(), 0};
        Changed();
    }
}

void TSmoothGraphicControl::enterEvent(QEnterEvent* ev) {
    TFlatControl::enterEvent(ev);
    emit OnMouseEnter();
}

void TSmoothGraphicControl::leaveEvent(QEvent* ev) {
    TFlatControl::leaveEvent(ev);
    emit OnMouseLeave();
}

// ---------------------------------------------------------------------------------------------
// TSmoothCustomText

TSmoothCustomText::TSmoothCustomText(QWidget* parent, const TRegistration& registration)
    : TSmoothGraphicControl(parent), fonts_(new TFontLabels(this)),
      labels_(new TUserLabels(this, registration)) {
    connect(fonts_, &TFontLabels::OnChange, this, &TSmoothGraphicControl::Changed);
    connect(labels_, &TUserLabels::OnChange, this, &TSmoothGraphicControl::Changed);
}

void TSmoothCustomText::CreateDefFonts() {
    if (defFontsMade_ || fonts_->Count() > 0)
        return;
    defFontsMade_ = true;
    const QString hei = QStringLiteral("黑体"), kai = QStringLiteral("楷体_GB2312");
    fonts_->AddItem(QStringLiteral("Title1"), hei, 12, TColor(0x000000), fsBold, true, 2, 2);
    fonts_->AddItem(QStringLiteral("Title2"), hei, 9, TColor(0xFF0000), fsBold, true, 1, 1);
    fonts_->AddItem(QStringLiteral("Title3"), kai, 11, TColor(0xFF0000), {}, true, 2, 2);
    fonts_->AddItem(QStringLiteral("Text1"), kai, 9, TColor(0x000000), {}, false, 1, 1);
    fonts_->AddItem(QStringLiteral("Text2"), kai, 8, TColor(0x808000), {}, true, 1, 1);
}

void TSmoothCustomText::CreateDefLabels() {
    if (defLabelsMade_ || labels_->Count() > 0)
        return;
    defLabelsMade_ = true;
    using T = TSmoothLabelTypes;
    const std::pair<const char*, T::TLabelStyle> defaults[] = {
        {"Left", T::lsLeftJustify},
        {"Center", T::lsCenter},
        {"Right", T::lsRightJustify},
        {"Owner", T::lsRegOwner},
        {"Organization", T::lsRegOrganization},
        {"AppTitle", T::lsAppTitle},
        {"Date", T::lsDate},
        {"Time", T::lsTime}};
    for (const auto& [name, style] : defaults)
        labels_->AddItem(QString::fromLatin1(name), QString(), style);
}

// ---------------------------------------------------------------------------------------------
// TSmoothText

TSmoothText::TSmoothText(QWidget* parent, const TRegistration& registration)
    : TSmoothCustomText(parent, registration), text_(new TTextParam(this)) {
    connect(text_, &TNotifyClass::OnChange, this, &TSmoothGraphicControl::Changed);
    resize(46, 12);
}

QSize TSmoothText::TextSize() {
    const bool autoWidth = AutoSize() && !text_->WordWrap();
    const bool autoHeight = AutoSize();
    const int border = Border();
    // The same room the drawing wraps into, so the height fits what is drawn.
    const int room = autoWidth ? 0 : width() - 2 * border;
    const QSignalBlocker block(SmoothFont().Effect());
    const TTextFont base{font(), FontColor(), 0};
    LineFormatter fmt(SmoothFont(), canvas_, *text_, *Fonts(), *Labels(), base);
    int widest = 0, height = 0;
    const QStringList lines = text_->Lines();
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList subs =
            SmoothWrapLine(SmoothFont(), fmt.next(lines[i]), room, text_->WordWrap());
        for (int j = 0; j < subs.size(); ++j) {
            widest = std::max(widest, SmoothFont().TextWidth(subs[j]));
            const int h = SmoothFont().TextHeight(subs[j] + QLatin1Char(' '));
            height += h;
            if (i + 1 < lines.size() || j + 1 < subs.size())
                height += SmoothRound(text_->RowPitch() * h / 100.0);
        }
    }
    fmt.finish();
    canvas_.Font = base;
    return QSize(autoWidth ? 2 * border + widest : width(),
                 autoHeight ? 2 * border + height : this->height());
}

void TSmoothText::applyAutoSize() {
    if (AutoSize())
        resize(TextSize());
}

void TSmoothText::Reset() {
    if (resetting_)
        return;
    resetting_ = true;
    applyAutoSize();
    SetOpaqueFace(this, !text_->Transparent());
    if (text_->Transparent()) {
        buffer_ = QImage();
    } else {
        buffer_ = QImage(size(), QImage::Format_RGB32);
        drawBackground(buffer_);
        drawText(buffer_);
    }
    resetting_ = false;
    update();
}

void TSmoothText::PaintCanvas(QPainter& p) {
    if (!text_->Transparent()) {
        p.drawImage(0, 0, buffer_);
        return;
    }
    QImage layer(size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    drawText(layer);
    p.drawImage(0, 0, layer);
}

void TSmoothText::drawBackground(QImage& image) {
    image.fill(toQColor(Color()));
    const QImage pic = text_->BackGround();
    if (pic.isNull())
        return;
    QPainter p(&image);
    const int w = image.width(), h = image.height();
    switch (text_->BackGroundMode()) {
    case TSmoothCtrlTypes::bmTiled:
        for (int y = 0; y < h; y += pic.height())
            for (int x = 0; x < w; x += pic.width())
                p.drawImage(x, y, pic);
        break;
    case TSmoothCtrlTypes::bmStretched:
        p.drawImage(image.rect(), pic);
        break;
    case TSmoothCtrlTypes::bmCenter:
        p.drawImage((w - pic.width()) / 2, (h - pic.height()) / 2, pic);
        break;
    case TSmoothCtrlTypes::bmNormal:
        p.drawImage(0, 0, pic);
        break;
    }
}

void TSmoothText::drawText(QImage& image) {
    ++drawCount_;
    const QSignalBlocker block(SmoothFont().Effect());
    const TTextFont base{font(), FontColor(), 0};
    canvas_.Image = &image;
    canvas_.BrushClear = true;
    LineFormatter fmt(SmoothFont(), canvas_, *text_, *Fonts(), *Labels(), base);
    const int border = Border();
    const int w = image.width(), h = image.height();
    int y = border;
    for (const QString& source : text_->Lines()) {
        if (y > h - border)
            break;
        const QString line = fmt.next(source);
        const TFlatTypes::TAlignment align = fmt.alignment();
        for (const QString& sub :
             SmoothWrapLine(SmoothFont(), line, w - 2 * border, text_->WordWrap())) {
            const int tw = SmoothFont().TextWidth(sub);
            int x = border;
            if (align == TFlatTypes::taRightJustify)
                x = w - border - tw;
            else if (align == TFlatTypes::taCenter)
                x = (w - tw) / 2;
            SmoothFont().TextOut(x, y, sub);
            y += SmoothRound((text_->RowPitch() / 100.0 + 1) *
                             SmoothFont().TextHeight(sub + QLatin1Char(' ')));
        }
    }
    fmt.finish();
    canvas_.Font = base;
    canvas_.Image = nullptr;
}
