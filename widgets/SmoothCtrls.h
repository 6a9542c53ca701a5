#pragma once
// TSmoothText: several lines of smooth text with effects, formatted by inline tags of font and
// user labels ("<Title1><Center>..."), drawn with the smooth text engine. Opaque, it draws
// everything once into a buffer and copies it on paint; transparent, it lays out and draws the
// text afresh on every paint over whatever lies beneath it.

#include "widgets/FlatUtils.h"
#include "widgets/SmoothFont.h"
#include "widgets/SmoothLabels.h"

#include <QImage>
#include <QStringList>

struct TSmoothCtrlTypes {
    Q_GADGET
public:
    enum TLabelEffect { leOnlyALine, leUntilNextLabel };
    Q_ENUM(TLabelEffect)
    enum TBackGroundMode { bmTiled, bmStretched, bmCenter, bmNormal };
    Q_ENUM(TBackGroundMode)
};

// Splits a line into sub-lines of at most maxCols byte columns (two for a double-byte
// character, at least 2 columns): breaks fall after a tab, blank or one of ! , - . : ; ?, never
// inside quotes, and before a double-byte character that no longer fits; break characters and
// line ends after a break are dropped.
QStringList SmoothWrapText(const QString& line, int maxCols);

// The sub-lines of a source line in a room of the given width: unchanged when it fits, when
// wrapping is off or when there is no room at all; an empty line stands as " ".
QStringList SmoothWrapLine(TSmoothFont& engine, const QString& line, int room, bool wordWrap);

class TSmoothGraphicControl;

class TCustomParam : public TNotifyClass {
    Q_OBJECT
    Q_PROPERTY(TFlatTypes::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(TSmoothTypes::TSmoothQuality Quality READ Quality WRITE SetQuality)
    Q_PROPERTY(TColor BackColor READ BackColor WRITE SetBackColor)
    Q_PROPERTY(QImage BackGround READ BackGround WRITE SetBackGround)
    Q_PROPERTY(TSmoothCtrlTypes::TBackGroundMode BackGroundMode READ BackGroundMode WRITE
                   SetBackGroundMode)
public:
    explicit TCustomParam(TSmoothGraphicControl* control);

    TFlatTypes::TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TFlatTypes::TAlignment v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    TSmoothTypes::TSmoothQuality Quality() const;
    void SetQuality(TSmoothTypes::TSmoothQuality v);
    // The control's Color.
    TColor BackColor() const;
    void SetBackColor(TColor v);
    QImage BackGround() const { return backGround_; }
    void SetBackGround(const QImage& v);
    TSmoothCtrlTypes::TBackGroundMode BackGroundMode() const { return backGroundMode_; }
    void SetBackGroundMode(TSmoothCtrlTypes::TBackGroundMode v);

    void Assign(const TNotifyClass& source) override;

protected:
    TSmoothGraphicControl* control_;

private:
    TFlatTypes::TAlignment alignment_ = TFlatTypes::taLeftJustify;
    bool wordWrap_ = false;
    bool transparent_ = false;
    QImage backGround_;
    TSmoothCtrlTypes::TBackGroundMode backGroundMode_ = TSmoothCtrlTypes::bmCenter;
};

class TCustomTextParam : public TCustomParam {
    Q_OBJECT
    Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)
    Q_PROPERTY(TSmoothCtrlTypes::TLabelEffect LabelEffect READ LabelEffect WRITE SetLabelEffect)
    Q_PROPERTY(int RowPitch READ RowPitch WRITE SetRowPitch)
    Q_PROPERTY(TSmoothEffect* FontEffect READ FontEffect)
public:
    explicit TCustomTextParam(TSmoothGraphicControl* control);

    QStringList Lines() const { return lines_; }
    void SetLines(const QStringList& v);
    TSmoothCtrlTypes::TLabelEffect LabelEffect() const { return labelEffect_; }
    void SetLabelEffect(TSmoothCtrlTypes::TLabelEffect v);
    // Percent of a line's height added below it, -100..150.
    int RowPitch() const { return rowPitch_; }
    void SetRowPitch(int v);
    TSmoothEffect* FontEffect() const { return fontEffect_; }
    virtual bool IsLinesStored() const { return true; }

    void Assign(const TNotifyClass& source) override;

private:
    QStringList lines_;
    TSmoothCtrlTypes::TLabelEffect labelEffect_ = TSmoothCtrlTypes::leUntilNextLabel;
    int rowPitch_ = 20;
    TSmoothEffect* fontEffect_;
};

class TTextParam : public TCustomTextParam {
    Q_OBJECT
public:
    explicit TTextParam(TSmoothGraphicControl* control);
    // The lines a new control shows until they are changed.
    static QStringList AboutText();
    bool IsLinesStored() const override { return Lines() != AboutText(); }
};

class TSmoothGraphicControl : public TFlatControl {
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(int Border READ Border WRITE SetBorder)
    Q_PROPERTY(TDrag* Drag READ Drag)
    Q_PROPERTY(TParentEffect* ParentEffect READ ParentEffect)
public:
    explicit TSmoothGraphicControl(QWidget* parent = nullptr);

    // The packed groups forwarding to the control's drag and parent settings.
    TDrag* Drag() { return &drag_; }
    void SetDrag(const TDrag& v) { drag_.Assign(v); }
    TParentEffect* ParentEffect() { return &parentEffect_; }
    void SetParentEffect(const TParentEffect& v) { parentEffect_.Assign(v); }

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    // Pixels kept free on every side.
    int Border() const { return border_; }
    void SetBorder(int v);

    TSmoothFontEx& SmoothFont() { return engine_; }
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    // Recomputes and redraws, unless not loaded yet or between BeginUpdate and EndUpdate.
    void Changed();
    void Loaded() override;
    bool IsLoaded() const { return loaded_; }

signals:
    void OnMouseEnter();
    void OnMouseLeave();

protected:
    virtual void PaintCanvas(QPainter&) {}
    virtual void ControlLoaded() { Changed(); }
    virtual void Reset() { update(); }

    void paintEvent(QPaintEvent* ev) override;
    void resizeEvent(QResizeEvent* ev) override;
    void changeEvent(QEvent* ev) override;
    void enterEvent(QEnterEvent* ev) override;
    void leaveEvent(QEvent* ev) override;
    bool event(QEvent* ev) override;
    void ColorChanged() override { Changed(); }
    void ParentColorChanged() override { Changed(); }
    void SysColorChanged() override { Changed(); }

    TSmoothCanvas canvas_;

private:
    TSmoothFontEx engine_;
    TDrag drag_{this};
    TParentEffect parentEffect_{this};
    bool autoSize_ = true;
    bool autoUpdate_ = true;
    int updateCount_ = 0;
    int border_ = 0;
    bool loaded_ = false;
    bool painting_ = false;
    QSize lastSize_;
};

class TSmoothCustomText : public TSmoothGraphicControl {
    Q_OBJECT
    Q_PROPERTY(TFontLabels* Fonts READ Fonts)
    Q_PROPERTY(TUserLabels* Labels READ Labels)
public:
    explicit TSmoothCustomText(QWidget* parent = nullptr,
                               const TRegistration& registration = TRegistration::Read());

    TFontLabels* Fonts() const { return fonts_; }
    void SetFonts(const TFontLabels& v) { fonts_->Assign(v); }
    TUserLabels* Labels() const { return labels_; }
    void SetLabels(const TUserLabels& v) { labels_->Assign(v); }

    // The default label sets a designer gives a new control (each only into an empty list).
    virtual void CreateDefFonts();
    virtual void CreateDefLabels();
    virtual bool UseDefaultLabels() const { return true; }

private:
    TFontLabels* fonts_;
    TUserLabels* labels_;
    bool defFontsMade_ = false;
    bool defLabelsMade_ = false;
};

class TSmoothText : public TSmoothCustomText {
    Q_OBJECT
    Q_PROPERTY(TTextParam* Text READ Text)
public:
    explicit TSmoothText(QWidget* parent = nullptr,
                         const TRegistration& registration = TRegistration::Read());

    TTextParam* Text() const { return text_; }
    void SetText(const TTextParam& v) { text_->Assign(v); }
    bool UseDefaultLabels() const override { return text_->Lines() == TTextParam::AboutText(); }

    // Room the text needs with the current lines, labels and settings (the auto size).
    QSize TextSize();
    // The opaque buffer (empty while transparent).
    const QImage& Buffer() const { return buffer_; }
    // How often the text was laid out and drawn.
    int DrawCount() const { return drawCount_; }

protected:
    void PaintCanvas(QPainter& p) override;
    void ControlLoaded() override { Reset(); }
    void Reset() override;

private:
    void applyAutoSize();
    void drawBackground(QImage& image);
    void drawText(QImage& image);

    TTextParam* text_;
    QImage buffer_;
    bool resetting_ = false;
    int drawCount_ = 0;
};
