#include "widgets/SmoothLabels.h"

#include <QDate>
#include <QGuiApplication>
#include <QLocale>
#include <QSignalBlocker>
#include <QTime>

#include <pwd.h>
#include <unistd.h>

namespace {

QString tagOf(const QString& name) {
    return QLatin1Char('<') + name + QLatin1Char('>');
}

// A name another label of the collection has already (ignoring case) is refused.
template <typename Label, typename Collection>
void checkNewName(const Label* label, const Collection* collection, const QString& name) {
    if (!name.isEmpty() && QString::compare(name, label->Name(), Qt::CaseInsensitive) != 0 &&
        collection && collection->IndexOf(name, label) >= 0)
        throw EFlatError(QStringLiteral("Duplicate string!"));
}

} // namespace

TRegistration TRegistration::Read() {
    return {};
}

QString TRegistration::UserName() {
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name).left(255);
    return qEnvironmentVariable("USER").left(255);
}

// ---------------------------------------------------------------------------------------------
// Font labels

TFontLabel::TFontLabel(TFontLabels* collection)
    : QObject(collection), collection_(collection), effect_(new TSmoothEffect(this)) {
    connect(effect_, &TNotifyClass::OnChange, this, &TFontLabel::changed);
}

void TFontLabel::changed() {
    if (collection_)
        emit collection_->OnChange();
}

void TFontLabel::SetName(const QString& name) {
    checkNewName(this, collection_, name);
    name_ = name;
    changed();
}

void TFontLabel::SetFont(const TTextFont& font) {
    font_ = font;
    changed();
}

void TFontLabel::Assign(const TFontLabel& source) {
    SetName(source.name_);
    font_ = source.font_;
    effect_->Assign(*source.effect_);
    changed();
}

QString TFontLabel::DisplayName() const {
    return name_.isEmpty() ? QString::fromLatin1(metaObject()->className()) : name_;
}

TFontLabels::TFontLabels(QObject* owner) : TLabelList(owner) {}

TFontLabel* TFontLabels::AddItem(const QString& name, const QString& fontName, int size,
                                 TColor color, TFontStyles style, bool shadow, int shadowX,
                                 int shadowY) {
    if (IndexOf(name) >= 0)
        return nullptr;
    TFontLabel* item = nullptr;
    {
        const QSignalBlocker block(this);
        item = Add();
        item->SetName(name);
        TTextFont f;
        f.Font = QFont(fontName);
        f.Font.setPointSize(size);
        f.Font.setBold(style.testFlag(fsBold));
        f.Font.setItalic(style.testFlag(fsItalic));
        f.Font.setUnderline(style.testFlag(fsUnderline));
        f.Font.setStrikeOut(style.testFlag(fsStrikeOut));
        f.Color = color;
        item->SetFont(f);
        item->Effect()->Shadow()->SetEnabled(shadow);
        item->Effect()->Shadow()->SetOffsetX(shadowX);
        item->Effect()->Shadow()->SetOffsetY(shadowY);
    }
    emit OnChange();
    return item;
}

void TFontLabels::Check(QString& line, TTextFont* font, TSmoothEffect* effect) const {
    for (const TFontLabel* item : items_) {
        if (item->Name().isEmpty())
            continue;
        const QString tag = tagOf(item->Name());
        const int at = line.indexOf(tag, 0, Qt::CaseInsensitive);
        if (at < 0)
            continue;
        if (font)
            *font = item->Font();
        if (effect)
            effect->Assign(*item->Effect());
        line.remove(at, tag.length());
    }
}

// ---------------------------------------------------------------------------------------------
// User labels

TUserLabel::TUserLabel(TUserLabels* collection) : QObject(collection), collection_(collection) {}

void TUserLabel::changed() {
    if (collection_)
        emit collection_->OnChange();
}

void TUserLabel::SetName(const QString& name) {
    checkNewName(this, collection_, name);
    name_ = name;
    changed();
}

QString TUserLabel::Text() const {
    using T = TSmoothLabelTypes;
    QString text;
    switch (style_) {
    case T::lsLeftJustify:
    case T::lsCenter:
    case T::lsRightJustify:
        break;
    case T::lsRegOwner:
        text = collection_ ? collection_->RegOwner() : QString();
        break;
    case T::lsRegOrganization:
        text = collection_ ? collection_->RegOrganization() : QString();
        break;
    case T::lsAppTitle:
        text = QGuiApplication::applicationDisplayName();
        break;
    case T::lsDate:
        text = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
        break;
    case T::lsTime:
        text = QLocale::system().toString(QTime::currentTime(), QLocale::ShortFormat);
        break;
    case T::lsCustom:
        text = text_;
        break;
    }
    if (OnGetText)
        OnGetText(const_cast<TUserLabel*>(this), text);
    return text;
}

void TUserLabel::SetText(const QString& text) {
    if (style_ != TSmoothLabelTypes::lsCustom || text == text_)
        return;
    text_ = text;
    changed();
}

void TUserLabel::SetStyle(TSmoothLabelTypes::TLabelStyle style) {
    if (style == style_)
        return;
    style_ = style;
    changed();
}

void TUserLabel::Assign(const TUserLabel& source) {
    SetName(source.name_);
    text_ = source.text_;
    style_ = source.style_;
    OnGetText = source.OnGetText;
    changed();
}

TUserLabels::TUserLabels(QObject* owner, const TRegistration& registration)
    : TLabelList(owner), registration_(registration) {
    if (registration_.Owner.isEmpty())
        registration_.Owner = TRegistration::UserName();
}

TUserLabel* TUserLabels::AddItem(const QString& name, const QString& text,
                                 TSmoothLabelTypes::TLabelStyle style) {
    if (IndexOf(name) >= 0)
        return nullptr;
    TUserLabel* item = nullptr;
    {
        const QSignalBlocker block(this);
        item = Add();
        item->SetName(name);
        item->SetStyle(style);
        item->SetText(text);
    }
    emit OnChange();
    return item;
}

void TUserLabels::Check(QString& line, TFlatTypes::TAlignment& alignment) const {
    using T = TSmoothLabelTypes;
    for (const TUserLabel* item : items_) {
        if (item->Name().isEmpty())
            continue;
        const QString tag = tagOf(item->Name());
        const int at = line.indexOf(tag, 0, Qt::CaseInsensitive);
        if (at < 0)
            continue;
        line.remove(at, tag.length());
        switch (item->Style()) {
        case T::lsLeftJustify:
            alignment = TFlatTypes::taLeftJustify;
            break;
        case T::lsCenter:
            alignment = TFlatTypes::taCenter;
            break;
        case T::lsRightJustify:
            alignment = TFlatTypes::taRightJustify;
            break;
        default:
            line.insert(at, item->Text());
            break;
        }
    }
}
