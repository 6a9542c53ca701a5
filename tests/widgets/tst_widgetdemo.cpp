// One form with every flat and painted widget, grabbed to widgetdemo.png in the build folder
// for a look by eye; the test checks that each widget drew its own face.
#include "widgets/FlatButtons.h"
#include "widgets/TFlatCheckBoxUnit.h"
#include "widgets/TFlatComboBoxUnit.h"
#include "widgets/TFlatEditUnit.h"
#include "widgets/TFlatListBoxUnit.h"
#include "widgets/TFlatPanelUnit.h"
#include "widgets/TFlatRadioButtonUnit.h"
#include "widgets/uIListControl.h"

#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QTest>

namespace {

// A form background with a picture, so transparent faces have something to show.
class DemoForm : public TFlatControl {
public:
    using TFlatControl::TFlatControl;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), toQColor(Color()));
        QLinearGradient g(0, 300, 0, 420);
        g.setColorAt(0, QColor(120, 190, 250));
        g.setColorAt(1, QColor(250, 240, 160));
        p.fillRect(QRect(0, 300, 300, 120), g);
    }
};

QImage starStrip() {
    // Four 20 by 20 images: up, disabled, down, down-and-held; magenta is transparent.
    QImage img(80, 20, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    QPainter p(&img);
    const QColor colours[] = {QColor(240, 170, 0), QColor(150, 150, 150), QColor(220, 80, 0),
                              QColor(200, 40, 40)};
    for (int i = 0; i < 4; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(colours[i]);
        const QPointF c(i * 20 + 10, 10);
        QPolygonF star;
        for (int k = 0; k < 10; ++k) {
            const double r = k % 2 ? 4 : 9;
            const double a = -M_PI / 2 + k * M_PI / 5;
            star << c + QPointF(r * std::cos(a), r * std::sin(a));
        }
        p.drawPolygon(star);
    }
    return img;
}

QLabel* caption(QWidget* form, const QString& text, int x, int y) {
    auto* l = new QLabel(text, form);
    l->move(x, y);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace

class TstWidgetDemo : public QObject {
    Q_OBJECT
private slots:
    void everyWidgetOnOneForm();
};

void TstWidgetDemo::everyWidgetOnOneForm() {
    TIListControl::SetAnimationsEnabled(false);
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(12);
    DemoForm form;
    form.setFont(font);
    form.resize(720, 440);
    form.SetColor(TColor(0x00E1EAEB));

    caption(&form, QStringLiteral("Flat buttons"), 16, 8);
    auto* plain = new TFlatButton(&form);
    plain->setGeometry(16, 30, 90, 28);
    plain->SetCaption(QStringLiteral("&Play"));
    auto* hover = new TFlatButton(&form);
    hover->setGeometry(112, 30, 90, 28);
    hover->SetCaption(QStringLiteral("Hovered"));
    auto* def = new TFlatButton(&form);
    def->setGeometry(208, 30, 90, 28);
    def->SetCaption(QStringLiteral("Default"));
    def->SetDefault(true);
    auto* off = new TFlatButton(&form);
    off->setGeometry(304, 30, 90, 28);
    off->SetCaption(QStringLiteral("Disabled"));
    off->setEnabled(false);
    QList<TFlatButton*> group;
    for (int i = 0; i < 4; ++i) {
        auto* b = new TFlatButton(&form);
        b->setGeometry(16 + i * 64, 66, 60, 28);
        b->SetCaption(QString::number((i + 1) * 3));
        b->SetGroupIndex(1);
        b->SetColor(TColor(0x0095DFBA));
        b->SetColorFocused(TColor(0x0087CDFC));
        b->SetColorBorder(TColor(0x00C08000));
        QFont bold = font;
        bold.setBold(true);
        b->setFont(bold);
        group << b;
    }
    group[1]->SetDown(true);
    auto* glyph = new TFlatButton(&form);
    glyph->setGeometry(272, 66, 122, 28);
    glyph->SetLayout(TFlatTypes::blGlyphLeft);
    glyph->SetGlyph(starStrip());
    glyph->SetCaption(QStringLiteral("读一读"));

    caption(&form, QStringLiteral("Check boxes and radio buttons"), 16, 104);
    auto* chk1 = new TFlatCheckBox(&form);
    chk1->setGeometry(16, 126, 130, 17);
    chk1->SetCaption(QStringLiteral("Show pictures"));
    chk1->SetChecked(true);
    auto* chk2 = new TFlatCheckBox(&form);
    chk2->setGeometry(16, 148, 130, 17);
    chk2->SetCaption(QStringLiteral("Read aloud"));
    auto* chk3 = new TFlatCheckBox(&form);
    chk3->setGeometry(16, 170, 130, 17);
    chk3->SetCaption(QStringLiteral("Disabled"));
    chk3->SetChecked(true);
    chk3->setEnabled(false);
    const char* radios[] = {"Chinese", "English", "Both"};
    for (int i = 0; i < 3; ++i) {
        auto* r = new TFlatRadioButton(&form);
        r->setGeometry(160, 126 + i * 22, 120, 17);
        r->SetCaption(QString::fromLatin1(radios[i]));
        r->SetGroupIndex(1);
        r->SetColorDown(TColor(0x00C35A35));
        r->SetColorBorder(TColor(0x00C35A35));
        if (i == 1)
            r->SetChecked(true);
    }
    auto* wrap = new TFlatCheckBox(&form);
    wrap->setGeometry(290, 126, 110, 62);
    wrap->SetCaption(QStringLiteral("A long caption that wraps onto more lines"));

    caption(&form, QStringLiteral("Combo box and edit"), 16, 200);
    auto* combo = new TFlatComboBox(&form);
    combo->SetStyle(TFlatComboBox::csDropDownList);
    combo->setGeometry(16, 222, 150, 22);
    combo->SetItems(
        {QStringLiteral("1 to 10"), QStringLiteral("1 to 20"), QStringLiteral("1 to 100")});
    combo->setCurrentIndex(1);
    auto* comboOff = new TFlatComboBox(&form);
    comboOff->SetStyle(TFlatComboBox::csDropDownList);
    comboOff->setGeometry(176, 222, 110, 22);
    comboOff->SetItems({QStringLiteral("Disabled")});
    comboOff->setCurrentIndex(0);
    comboOff->setEnabled(false);
    auto* edit = new TFlatEdit(&form);
    edit->setGeometry(16, 254, 150, 19);
    edit->setText(QStringLiteral("小明"));
    edit->Loaded();
    auto* editLit = new TFlatEdit(&form);
    editLit->setGeometry(176, 254, 110, 19);
    editLit->SetColorFlat(TColor(0x00E1EAEB));
    editLit->setText(QStringLiteral("Focused"));
    editLit->Loaded();

    caption(&form, QStringLiteral("Flat panels"), 16, 282);
    auto* panel = new TFlatPanel(&form);
    panel->setGeometry(16, 310, 120, 50);
    panel->SetCaption(QStringLiteral("Opaque panel"));
    auto* glass = new TFlatPanel(&form);
    glass->setGeometry(150, 310, 120, 50);
    glass->SetCaption(QStringLiteral("Transparent"));
    glass->SetColors(0, clBlack);
    glass->SetColors(1, clBlack);
    glass->SetTransparent(true);
    auto* panelOff = new TFlatPanel(&form);
    panelOff->setGeometry(16, 370, 254, 40);
    panelOff->SetCaption(QStringLiteral("Disabled caption"));
    panelOff->setEnabled(false);

    caption(&form, QStringLiteral("Flat list box"), 420, 8);
    auto* flatList = new TFlatListBox(&form);
    flatList->SetScrollBars(true);
    flatList->setGeometry(420, 30, 130, 120);
    flatList->Loaded();
    flatList->SetItems({QStringLiteral("50 is too big"), QStringLiteral("25 is too small"),
                        QStringLiteral("37 is too big"), QStringLiteral("31 is right!"),
                        QStringLiteral("one more"), QStringLiteral("and another")});
    flatList->SetSelected(3, true);

    caption(&form, QStringLiteral("Painted list boxes"), 420, 170);
    auto* lowered = new TIListBox(&form);
    lowered->SetGUIStyle(TIGUIListControl::lcgLowered);
    lowered->SetAutoItemHeight(false);
    lowered->SetItemHeight(30);
    lowered->SetColor(TColor(0x00424142));
    lowered->setGeometry(420, 192, 140, 122);
    QStringList songs;
    for (int i = 1; i <= 9; ++i)
        songs << QStringLiteral("Song %1").arg(i);
    lowered->SetItems(songs);
    lowered->SetItemIndex(1);
    lowered->SetActiveItem(2);
    auto* flatStyle = new TIListBox(&form);
    flatStyle->setGeometry(570, 192, 130, 122);
    flatStyle->SetItems(songs);
    flatStyle->SetMultiSelect(true);
    flatStyle->SetSelected(0, true);
    flatStyle->SetSelected(1, true);
    flatStyle->SetActiveItem(3);
    auto* intaglio = new TIListBox(&form);
    intaglio->SetGUIStyle(TIGUIListControl::lcgIintaglio);
    intaglio->setGeometry(570, 30, 130, 120);
    intaglio->SetItems(songs.mid(0, 4));
    intaglio->SetItemIndex(2);

    caption(&form, QStringLiteral("Painted scroll bar"), 420, 330);
    auto* bar = new TIScrollBar(&form);
    bar->setGeometry(420, 352, 280, 17);
    bar->SetColor(clBtnFace);
    bar->SetPageSize(20);
    bar->SetPosition(30);

    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(hover, &enter);
    editLit->setFocus();
    QTRY_VERIFY(editLit->hasFocus());

    const QImage shot = form.grab().toImage();
    const QString path = QDir(QStringLiteral(PELUMO_BINARY_DIR)).filePath("widgetdemo.png");
    QVERIFY(shot.save(path));
    qInfo("demo form: %s", qPrintable(path));

    // Each widget drew its face: spot checks of colours only they produce.
    auto at = [&](QWidget* w, int x, int y) { return shot.pixel(w->mapTo(&form, QPoint(x, y))); };
    QCOMPARE(at(plain, 45, 3), toQColor(TColor(0x00E1EAEB)).rgb());
    QCOMPARE(at(hover, 2, 2), toQColor(TColor(0x00E1EAEB)).rgb());
    QCOMPARE(at(group[1], 2, 2), toQColor(TColor(0x00C5D6D9)).rgb());
    // The transparent panel shows the form's picture: the same colour as just left of it.
    QCOMPARE(at(glass, 3, 20), shot.pixel(glass->x() - 6, glass->y() + 20));
    QVERIFY(at(glass, 3, 20) != toQColor(TColor(0x00E1EAEB)).rgb());
    QCOMPARE(at(lowered, 110, 45), toQColor(TColor(0x00323232)).rgb());
    QCOMPARE(at(flatList, 120, 13 + 3 * 19 + 2), toQColor(TColor(0x009CDEF7)).rgb());
    QCOMPARE(at(editLit, 1, 1), toQColor(clWhite).rgb());
}

QTEST_MAIN(TstWidgetDemo)
#include "tst_widgetdemo.moc"
