#pragma once
// The labels that give the smooth text's inline tags ("<" name ">", any letter case) their
// meaning: font labels switch font and effect from the tag on, user labels switch the line's
// alignment or insert a text (registered owner or organization, application title, date,
// time, or a text of one's own).

#include "widgets/SmoothFont.h"

#include <QObject>
#include <QString>

#include <vector>

struct TSmoothLabelTypes {
    Q_GADGET
public:
    enum TLabelStyle {
        lsLeftJustify,
        lsCenter,
        lsRightJustify,
        lsRegOwner,
        lsRegOrganization,
        lsAppTitle,
        lsDate,
        lsTime,
        lsCustom
    };
    Q_ENUM(TLabelStyle)
};

// Who the computer is registered to. The platform keeps no such record, so both are empty and
// the owner falls back to the login's user name.
struct TRegistration {
    QString Owner;
    QString Organization;
    static TRegistration Read();
    static QString UserName();
};

class TFontLabels;
class TUserLabels;

class TFontLabel : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
public:
    TFontLabel(TFontLabels* collection);

    QString Name() const { return name_; }
    // A name another label of the collection has (ignoring case) raises "Duplicate string!".
    void SetName(const QString& name);
    const TTextFont& Font() const { return font_; }
    void SetFont(const TTextFont& font);
    TSmoothEffect* Effect() const { return effect_; }
    void Assign(const TFontLabel& source);
    QString DisplayName() const;

private:
    friend class TFontLabels;
    void changed();

    TFontLabels* collection_;
    QString name_;
    TTextFont font_;
    TSmoothEffect* effect_;
};

class TFontLabels : public QObject {
    Q_OBJECT
public:
    explicit TFontLabels(QObject* owner = nullptr);
    ~TFontLabels() override;

    int Count() const { return int(items_.size()); }
    TFontLabel* Items(int index) const { return items_.at(size_t(index)); }
    TFontLabel* Add();
    void Delete(int index);
    void Clear();
    void Assign(const TFontLabels& source);

    int IndexOf(const QString& name) const;
    // A label with these values, or nullptr when the name is taken.
    TFontLabel* AddItem(const QString& name, const QString& fontName, int size, TColor color,
                        bool bold, bool shadow, int shadowX, int shadowY);
    // Applies the first tag of each label in collection order to font and effect (either may
    // be null) and removes it from the line.
    void Check(QString& line, TTextFont* font, TSmoothEffect* effect) const;

signals:
    void OnChange();

private:
    friend class TFontLabel;
    std::vector<TFontLabel*> items_;
};

class TUserLabel : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(TSmoothLabelTypes::TLabelStyle Style READ Style WRITE SetStyle)
public:
    explicit TUserLabel(TUserLabels* collection);

    QString Name() const { return name_; }
    void SetName(const QString& name);
    // The text the tag stands for: empty for the alignment styles; OnGetText may change it.
    QString Text() const;
    // Only a custom label keeps a text of its own.
    void SetText(const QString& text);
    TSmoothLabelTypes::TLabelStyle Style() const { return style_; }
    void SetStyle(TSmoothLabelTypes::TLabelStyle style);
    void Assign(const TUserLabel& source);

signals:
    void OnGetText(TUserLabel* label, QString& text);

private:
    friend class TUserLabels;
    void changed();

    TUserLabels* collection_;
    QString name_;
    QString text_;
    TSmoothLabelTypes::TLabelStyle style_ = TSmoothLabelTypes::lsCustom;
};

class TUserLabels : public QObject {
    Q_OBJECT
public:
    explicit TUserLabels(QObject* owner = nullptr,
                         const TRegistration& registration = TRegistration::Read());
    ~TUserLabels() override;

    int Count() const { return int(items_.size()); }
    TUserLabel* Items(int index) const { return items_.at(size_t(index)); }
    TUserLabel* Add();
    void Delete(int index);
    void Clear();
    void Assign(const TUserLabels& source);

    int IndexOf(const QString& name) const;
    TUserLabel* AddItem(const QString& name, const QString& text,
                        TSmoothLabelTypes::TLabelStyle style);
    // Removes the first tag of each label in collection order, inserting its text or switching
    // the alignment.
    void Check(QString& line, TFlatTypes::TAlignment& alignment) const;

    QString RegOwner() const { return registration_.Owner; }
    QString RegOrganization() const { return registration_.Organization; }

signals:
    void OnChange();

private:
    friend class TUserLabel;
    std::vector<TUserLabel*> items_;
    TRegistration registration_;
};
