#pragma once
// The labels that give the smooth text's inline tags ("<" name ">", any letter case) their
// meaning: font labels switch font and effect from the tag on, user labels switch the line's
// alignment or insert a text (registered owner or organization, application title, date,
// time, or a text of one's own).

#include "widgets/SmoothFont.h"

#include <QObject>
#include <QSignalBlocker>
#include <QString>
#include <functional>

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
// The style set of a font label's font.
enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontStyles)

struct TRegistration {
    QString Owner;
    QString Organization;
    static TRegistration Read();
    static QString UserName();
};

class TFontLabels;
class TUserLabels;

// Carries the change signal of a label collection.
class TLabelCollection : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void OnChange();
};

// An owned list of labels; a label notifies the list it belongs to of its changes. Labels
// are made by the list (Add) and live until deleted or cleared.
template <typename Label, typename Collection> class TLabelList : public TLabelCollection {
public:
    using TLabelCollection::TLabelCollection;
    ~TLabelList() override {
        for (Label* item : items_)
            item->collection_ = nullptr;
    }

    int Count() const { return int(items_.size()); }
    Label* Items(int index) const { return items_.at(size_t(index)); }
    Label* Add() {
        auto* item = new Label(static_cast<Collection*>(this));
        items_.push_back(item);
        emit this->OnChange();
        return item;
    }
    void Delete(int index) {
        Label* item = items_.at(size_t(index));
        items_.erase(items_.begin() + index);
        item->collection_ = nullptr;
        delete item;
        emit this->OnChange();
    }
    void Clear() {
        for (Label* item : items_) {
            item->collection_ = nullptr;
            delete item;
        }
        items_.clear();
        emit this->OnChange();
    }
    void Assign(const Collection& source) {
        if (&source == this)
            return;
        {
            const QSignalBlocker block(this);
            Clear();
            for (const Label* s : source.items_)
                Add()->Assign(*s);
        }
        emit this->OnChange();
    }
    // Index of the first label other than self named name, ignoring case; -1 for none.
    int IndexOf(const QString& name, const Label* self = nullptr) const {
        for (size_t i = 0; i < items_.size(); ++i)
            if (items_[i] != self &&
                QString::compare(items_[i]->Name(), name, Qt::CaseInsensitive) == 0)
                return int(i);
        return -1;
    }

protected:
    std::vector<Label*> items_;
};

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
    friend class TLabelList<TFontLabel, TFontLabels>;
    void changed();

    TFontLabels* collection_;
    QString name_;
    TTextFont font_;
    TSmoothEffect* effect_;
};

class TFontLabels : public TLabelList<TFontLabel, TFontLabels> {
    Q_OBJECT
public:
    explicit TFontLabels(QObject* owner = nullptr);

    // A label with these values, or nullptr when the name is taken.
    TFontLabel* AddItem(const QString& name, const QString& fontName, int size, TColor color,
                        TFontStyles style, bool shadow, int shadowX, int shadowY);
    // Applies the first tag of each label in collection order to font and effect (either may
    // be null) and removes it from the line.
    void Check(QString& line, TTextFont* font, TSmoothEffect* effect) const;
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
    // Copies name, text, style and the OnGetText handler.
    void Assign(const TUserLabel& source);

    // Asked for the tag's text each time it is inserted; may change it.
    using TGetTextEvent = std::function<void(TUserLabel* label, QString& text)>;
    TGetTextEvent OnGetText;

private:
    friend class TLabelList<TUserLabel, TUserLabels>;
    void changed();

    TUserLabels* collection_;
    QString name_;
    QString text_;
    TSmoothLabelTypes::TLabelStyle style_ = TSmoothLabelTypes::lsCustom;
};

class TUserLabels : public TLabelList<TUserLabel, TUserLabels> {
    Q_OBJECT
public:
    explicit TUserLabels(QObject* owner = nullptr,
                         const TRegistration& registration = TRegistration::Read());

    TUserLabel* AddItem(const QString& name, const QString& text,
                        TSmoothLabelTypes::TLabelStyle style);
    // Removes the first tag of each label in collection order, inserting its text or switching
    // the alignment.
    void Check(QString& line, TFlatTypes::TAlignment& alignment) const;

    QString RegOwner() const { return registration_.Owner; }
    QString RegOrganization() const { return registration_.Organization; }

private:
    TRegistration registration_;
};
