#include "widgets/TFlatComboBoxUnit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {
// The width the platform's own combo keeps for its arrow at the right.
constexpr int kPlatformButton = 17;
constexpr int kButtonWidth = 11;

// Rows of the owner-draw styles: measured and drawn by the combo's handlers.
class TOwnerDrawDelegate : public QStyledItemDelegate {
public:
    explicit TOwnerDrawDelegate(TFlatComboBox* combo) : QStyledItemDelegate(combo), combo_(combo) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (!combo_->OwnerDraw()) {
            QStyledItemDelegate::paint(p, option, index);
            return;
        }
        TFlatComboBox::TOwnerDrawState state;
        if (option.state & QStyle::State_Selected)
            state |= TFlatComboBox::odSelected;
        if (option.state & QStyle::State_HasFocus)
            state |= TFlatComboBox::odFocused;
        if (!(option.state & QStyle::State_Enabled))
            state |= TFlatComboBox::odDisabled;
        p->save();
        emit combo_->OnDrawItem(index.row(), p, option.rect, state);
        p->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (combo_->Style() == TFlatComboBox::csOwnerDrawFixed) {
            size.setHeight(combo_->ItemHeight());
        } else if (combo_->Style() == TFlatComboBox::csOwnerDrawVariable) {
            int height = combo_->ItemHeight();
            emit combo_->OnMeasureItem(index.row(), &height);
            size.setHeight(std::max(height, 1));
        }
        return size;
    }

private:
    TFlatComboBox* combo_;
};

// The list drops below the box and shows DropDownCount rows at most, with a scroll bar. Some
// styles open a drop-down list instead as a popup as tall as its items, up to the whole
// screen, whatever the count.
class DropDownCountStyle : public QProxyStyle {
public:
    // Over a style of the application's kind (the proxy owns it).
    DropDownCountStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle* dropDownCountStyle() {
    static QPointer<QStyle> style;
    if (!style) {
        style = new DropDownCountStyle;
        style->setParent(qApp);
    }
    return style;
}

} // namespace

TFlatComboBox::TFlatComboBox(QWidget* parent) : QComboBox(parent), dragDock_(new TDragDock(this)) {
    RegisterFlatTypes();
    setStyle(dropDownCountStyle());
    setMaxVisibleItems(8);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Only a user's choice is a change; code that sets ItemIndex calls its handler itself.
    connect(this, qOverload<int>(&QComboBox::activated), this, [this] {
        emit OnClick();
        emit OnChange();
    });
    setItemDelegate(new TOwnerDrawDelegate(this));
    SetStyle(csDropDown);
    applyPopupColor();
}

void TFlatComboBox::SetItemHeight(int value) {
    itemHeight_ = value;
    if (view())
        view()->doItemsLayout();
    if (simpleList_)
        simpleList_->doItemsLayout();
    update();
}

int TFlatComboBox::editHeight() const {
    return QFontMetrics(font()).height() + 6;
}

void TFlatComboBox::placeSimpleList() {
    if (simpleList_)
        simpleList_->setGeometry(0, editHeight(), width(), std::max(height() - editHeight(), 0));
}

void TFlatComboBox::mouseDoubleClickEvent(QMouseEvent* ev) {
    QComboBox::mouseDoubleClickEvent(ev);
    emit OnDblClick();
}

bool TFlatComboBox::eventFilter(QObject* watched, QEvent* ev) {
    // The edit part's double clicks are the combo's.
    if (watched == lineEdit() && ev->type() == QEvent::MouseButtonDblClick)
        emit OnDblClick();
    return QComboBox::eventFilter(watched, ev);
}

void TFlatComboBox::SetStyle(TComboBoxStyle value) {
    style_ = value;
    setEditable(editable());
    // csSimple shows its list under the edit at all times.
    if (style_ == csSimple && !simpleList_) {
        simpleList_ = new QListView(this);
        simpleList_->setModel(model());
        simpleList_->setItemDelegate(itemDelegate());
        simpleList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        connect(simpleList_, &QListView::clicked, this, [this](const QModelIndex& index) {
            setCurrentIndex(index.row());
            emit OnClick();
            emit OnChange();
        });
        connect(this, qOverload<int>(&QComboBox::currentIndexChanged), simpleList_,
                [this](int row) { simpleList_->setCurrentIndex(model()->index(row, 0)); });
        placeSimpleList();
        simpleList_->show();
    } else if (style_ != csSimple && simpleList_) {
        delete simpleList_;
        simpleList_ = nullptr;
    }
    if (QLineEdit* edit = lineEdit()) {
        edit->installEventFilter(this);
        edit->setFrame(false);
        edit->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
        connect(edit, &QLineEdit::textEdited, this, &TFlatComboBox::OnChange, Qt::UniqueConnection);
        placeEdit();
    }
    update();
}

void TFlatComboBox::placeEdit() {
    const int h = simpleList_ ? editHeight() : height();
    if (QLineEdit* edit = lineEdit())
        edit->setGeometry(3, 3, width() - kButtonWidth - 8, h - 6);
}

void TFlatComboBox::resizeEvent(QResizeEvent* ev) {
    QComboBox::resizeEvent(ev);
    placeEdit();
    placeSimpleList();
}

void TFlatComboBox::SetColor(TColor value) {
    color_ = value;
    applyPopupColor();
    update();
    NotifyParentColorChanged(this);
}

void TFlatComboBox::applyPopupColor() {
    QPalette pal = palette();
    pal.setColor(QPalette::Base, toQColor(color_));
    setPalette(pal);
    if (view()) {
        QPalette vp = view()->palette();
        vp.setColor(QPalette::Base, toQColor(color_));
        view()->setPalette(vp);
    }
}

void TFlatComboBox::SetColors(int index, TColor value) {
    switch (index) {
    case 0:
        colorArrow_ = value;
        break;
    case 1:
        colorArrowBackground_ = value;
        break;
    case 2:
        colorBorder_ = value;
        break;
    default:
        break;
    }
    update();
}

void TFlatComboBox::SetAdvColors(int index, TAdvColors value) {
    if (index == 0)
        advColorBorder_ = value;
    else if (index == 1)
        advColorArrowBackground_ = value;
    calcAdvColors();
    update();
}

void TFlatComboBox::SetUseAdvColors(bool value) {
    if (value == useAdvColors_)
        return;
    useAdvColors_ = value;
    calcAdvColors();
    update();
}

void TFlatComboBox::calcAdvColors() {
    if (!useAdvColors_ || !parentWidget())
        return;
    const TColor base = colorOf(parentWidget());
    colorBorder_ = AdjustColorLightness(base, colorBorder_, advColorBorder_, true);
    colorArrowBackground_ =
        AdjustColorLightness(base, colorArrowBackground_, advColorArrowBackground_, true);
}

QStringList TFlatComboBox::ItemsList() const {
    QStringList lines;
    for (int i = 0; i < count(); ++i)
        lines << itemText(i);
    return lines;
}

void TFlatComboBox::SetItems(const QStringList& lines) {
    clear();
    QStringList items = lines;
    if (sorted_)
        items.sort(Qt::CaseInsensitive);
    addItems(items);
    if (!editable())
        setCurrentIndex(-1);
}

int TFlatComboBox::AddItem(const QString& text) {
    int index = count();
    if (sorted_) {
        index = 0;
        while (index < count() && QString::compare(itemText(index), text, Qt::CaseInsensitive) <= 0)
            ++index;
    }
    insertItem(index, text);
    return index;
}

void TFlatComboBox::SetMaxLength(int value) {
    maxLength_ = value;
    if (QLineEdit* edit = lineEdit())
        edit->setMaxLength(value > 0 ? value : 32767);
}

void TFlatComboBox::SetSorted(bool value) {
    if (value == sorted_)
        return;
    sorted_ = value;
    if (value) {
        const QString current = currentText();
        QStringList items = ItemsList();
        items.sort(Qt::CaseInsensitive);
        clear();
        addItems(items);
        setCurrentIndex(findText(current));
    }
}

void TFlatComboBox::SetText(const QString& value) {
    if (editable())
        setEditText(value);
    else
        setCurrentIndex(findText(value));
}

TColor TFlatComboBox::FontColor() const {
    return fromQColor(palette().color(QPalette::Text));
}

void TFlatComboBox::SetFontColor(TColor value) {
    QPalette pal = palette();
    pal.setColor(QPalette::Text, toQColor(value));
    pal.setColor(QPalette::WindowText, toQColor(value));
    pal.setColor(QPalette::ButtonText, toQColor(value));
    setPalette(pal);
    update();
}

QRect TFlatComboBox::ButtonRect() const {
    // The window rectangle from the platform button's left, one pixel left, one wider a side.
    return QRect(QPoint(width() - kButtonWidth - 1 - 1, 0), QPoint(width() - 1, height() - 1));
}

void TFlatComboBox::showPopup() {
    if (style_ == csSimple)
        return; // its list is always shown
    dropped_ = true;
    emit OnDropDown();
    update();
    QComboBox::showPopup();
}

void TFlatComboBox::hidePopup() {
    QComboBox::hidePopup();
    dropped_ = false;
    update();
}

void TFlatComboBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // csSimple frames its edit part; the list below draws itself.
    const int w = width(), h = simpleList_ ? editHeight() : height();
    const bool focused = hasFocus() || (lineEdit() && lineEdit()->hasFocus());
    gdi::FillRect(p, rect(), color_);

    if (!editable()) {
        // What the platform paints: the chosen item, highlighted while focused and closed.
        const QRect content(QPoint(3, 3), QPoint(w - kPlatformButton - 2 - 1, h - 4));
        const bool lit = focused && !dropped_;
        if (lit)
            gdi::FillRect(p, content, clHighlight);
        TColor textColor = lit ? clHighlightText : FontColor();
        if (!isEnabled())
            textColor = clGrayText;
        p.setFont(font());
        if (OwnerDraw() && currentIndex() >= 0) {
            TOwnerDrawState state = odComboBoxEdit;
            if (lit)
                state |= odSelected | odFocused;
            if (!isEnabled())
                state |= odDisabled;
            p.save();
            emit OnDrawItem(currentIndex(), &p, content, state);
            p.restore();
        } else {
            DrawCaption(p, content.adjusted(1, 0, 0, 0),
                        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, currentText(),
                        textColor);
        }
        // The selection strip between the item and the button.
        const QRect inner = rect().adjusted(2, 3, -2, -3);
        const int right = inner.left() + inner.width();
        const QRect strip(QPoint(right - kButtonWidth - 8, inner.top()),
                          QPoint(right - kButtonWidth - 3 - 1, inner.bottom()));
        gdi::FillRect(p, strip, lit ? clHighlight : color_);
        if (lit) {
            const QRect box = rect().adjusted(3, 3, -3 - 2 - kButtonWidth, -3);
            gdi::FrameRect(p, box, clHighlight);
        }
    } else if (dropped_ && style_ == csDropDown) {
        gdi::FrameRect(p, QRect(QPoint(2, 2), QPoint(w - kButtonWidth - 3 - 1, h - 3)), clWindow);
    }

    // Frame: one ring in the border colour, two in the face colour.
    const QRect frame(0, 0, w - 12, h);
    DrawFrameRings(p, frame, colorBorder_, 1, colorBorder_);
    DrawFrameRings(p, frame.adjusted(1, 1, -1, -1), color_, 2, color_);

    if (style_ == csSimple)
        return;
    const QRect btn = ButtonRect();
    gdi::Rectangle(p, btn, colorBorder_, colorArrowBackground_);
    const int x = btn.left() + btn.width() / 2 - 6;
    const int y = btn.top() + btn.height() / 2 - 1;
    auto arrow = [this](int ox, int oy) -> QVector<QPoint> {
        if (dropped_)
            return {{ox + 4, oy + 2}, {ox + 8, oy + 2}, {ox + 6, oy}};
        return {{ox + 4, oy}, {ox + 8, oy}, {ox + 6, oy + 2}};
    };
    if (isEnabled()) {
        gdi::Polygon(p, arrow(x, y), colorArrow_, colorArrow_);
    } else {
        gdi::Polygon(p, arrow(x + 1, y + 1), clWhite, clWhite);
        gdi::Polygon(p, arrow(x, y), clGray, clGray);
    }
}

void TFlatComboBox::focusInEvent(QFocusEvent* ev) {
    QComboBox::focusInEvent(ev);
    emit OnEnter();
    update();
}

void TFlatComboBox::focusOutEvent(QFocusEvent* ev) {
    QComboBox::focusOutEvent(ev);
    emit OnExit();
    update();
}

void TFlatComboBox::keyPressEvent(QKeyEvent* ev) {
    emit OnKeyDown(ev->key(), ev->modifiers());
    if (!ev->text().isEmpty())
        emit OnKeyPress(ev->text().at(0));
    QComboBox::keyPressEvent(ev);
    update();
}

void TFlatComboBox::keyReleaseEvent(QKeyEvent* ev) {
    emit OnKeyUp(ev->key(), ev->modifiers());
    QComboBox::keyReleaseEvent(ev);
}

bool TFlatComboBox::event(QEvent* ev) {
    if (ev->type() == ParentColorChangedEventType()) {
        calcAdvColors();
        update();
        return true;
    }
    return QComboBox::event(ev);
}

void TFlatComboBox::changeEvent(QEvent* ev) {
    QComboBox::changeEvent(ev);
    switch (ev->type()) {
    case QEvent::ApplicationPaletteChange:
    case QEvent::PaletteChange:
    case QEvent::ParentChange:
        calcAdvColors();
        update();
        break;
    case QEvent::FontChange:
        itemHeight_ = 13;
        update();
        break;
    case QEvent::EnabledChange:
        update();
        break;
    default:
        break;
    }
}
