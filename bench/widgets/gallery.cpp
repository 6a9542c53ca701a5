// The widget galleries: every flat and painted widget on one form, and the smooth text,
// gradient labels and themed popup menu as a form shows them. It writes PNGs for a look by eye
// (widgetdemo.png and widgets-demo/ in the folder given, or the current one) and prints any
// spot check whose colour is not the expected one; it is not a test.
#include "widgets/FlatButtons.h"
#include "widgets/GradientLabel.h"
#include "widgets/SmoothCtrls.h"
#include "widgets/TFlatCheckBoxUnit.h"
#include "widgets/TFlatComboBoxUnit.h"
#include "widgets/TFlatEditUnit.h"
#include "widgets/TFlatListBoxUnit.h"
#include "widgets/TFlatPanelUnit.h"
#include "widgets/TFlatRadioButtonUnit.h"
#include "widgets/ThemedMenu.h"
#include "widgets/uIListControl.h"
#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QStyleFactory>
#include <functional>

#include <QApplication>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QMenu>
#include <cstdio>

namespace {

QString gOut = QStringLiteral(".");
int gMismatches = 0;

void check(bool ok, const char* what) {
    if (!ok) {
        ++gMismatches;
        std::printf("spot check differs: %s\n", what);
    }
}

bool waitFor(const std::function<bool()>& done) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

} // namespace

#define QVERIFY(x) check(bool(x), #x)
#define QCOMPARE(a, b) check((a) == (b), #a " == " #b)
#define QTRY_VERIFY(x) check(waitFor([&] { return bool(x); }), #x)

namespace QTest {
inline bool qWaitForWindowActive(QWidget* w) {
    return waitFor([w] { return w->isActiveWindow(); });
}
} // namespace QTest

namespace testsupport {

// The Chinese faces of the controls, mapped to the Noto faces.
void substituteControlFonts() {
    QFont::insertSubstitution(QStringLiteral("微软雅黑"), QStringLiteral("Noto Sans CJK SC"));
    QFont::insertSubstitution(QStringLiteral("宋体"), QStringLiteral("Noto Serif CJK SC"));
    QFont::insertSubstitution(QStringLiteral("黑体"), QStringLiteral("Noto Sans CJK SC"));
}

} // namespace testsupport

namespace widgetgallery {
// One form with every flat and painted widget, grabbed to widgetdemo.png in the build folder
// for a look by eye; the test checks that each widget drew its own face.

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

void everyWidgetOnOneForm() {
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
    const QString path = QDir(gOut).filePath("widgetdemo.png");
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

} // namespace widgetgallery

namespace textgallery {
// The widgets as a form shows them: the picture browser's title "<Title1><Center>认识动物" in
// smooth text, gradient bars around a picture and a captioned gradient label, and a themed
// popup menu. Each is saved as a PNG in the build folder (widgets-demo/) for a look.

namespace {

QString demoPath(const QString& name) {
    const QString dir = gOut + QStringLiteral("/widgets-demo");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name;
}

// Saves the picture and a copy three times as large, for a close look at the pixels.
bool saveDemo(const QImage& img, const QString& name) {
    const QImage big = img.scaled(img.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return img.save(demoPath(name + QStringLiteral(".png"))) &&
           big.save(demoPath(name + QStringLiteral("-x3.png")));
}

TTextFont labelFont(const QString& face, int px, TColor colour, bool bold) {
    TTextFont f;
    f.Font = QFont(face);
    f.Font.setPixelSize(px);
    f.Font.setBold(bold);
    f.Color = colour;
    return f;
}

// The font and user labels the picture browser's title streams.
void addProgramLabels(TSmoothText& t) {
    TFontLabels& fonts = *t.Fonts();
    TFontLabel* title1 = fonts.Add();
    title1->SetName(QStringLiteral("Title1"));
    title1->SetFont(labelFont(QStringLiteral("黑体"), 29, clYellow, true));
    title1->Effect()->Shadow()->SetEnabled(true);
    title1->Effect()->Gradual()->SetEnabled(true);
    title1->Effect()->Gradual()->SetStyle(TSmoothTypes::gsTopToBottom);
    title1->Effect()->Gradual()->SetStartColor(clRed);
    title1->Effect()->Gradual()->SetEndColor(clYellow);
    TFontLabel* title2 = fonts.Add();
    title2->SetName(QStringLiteral("Title2"));
    title2->SetFont(labelFont(QStringLiteral("黑体"), 12, clNavy, true));
    title2->Effect()->Shadow()->SetEnabled(true);
    title2->Effect()->Shadow()->SetOffsetX(1);
    title2->Effect()->Shadow()->SetOffsetY(1);
    TFontLabel* title3 = fonts.Add();
    title3->SetName(QStringLiteral("Title3"));
    title3->SetFont(labelFont(QStringLiteral("宋体"), 14, clRed, true));
    title3->Effect()->Shadow()->SetEnabled(true);
    TFontLabel* text1 = fonts.Add();
    text1->SetName(QStringLiteral("Text1"));
    text1->SetFont(labelFont(QStringLiteral("仿宋_GB2312"), 21, clBlack, true));
    text1->Effect()->Shadow()->SetOffsetX(1);
    text1->Effect()->Shadow()->SetOffsetY(1);
    text1->Effect()->Gradual()->SetStyle(TSmoothTypes::gsTopToBottom);
    text1->Effect()->Gradual()->SetStartColor(TColor(0x0080FF));
    TFontLabel* text2 = fonts.Add();
    text2->SetName(QStringLiteral("Text2"));
    text2->SetFont(labelFont(QStringLiteral("楷体_GB2312"), 14, clFuchsia, false));
    text2->Effect()->Shadow()->SetEnabled(true);
    text2->Effect()->Shadow()->SetOffsetX(1);
    text2->Effect()->Shadow()->SetOffsetY(1);
    t.CreateDefLabels();
    t.Labels()->AddItem(QStringLiteral("self"), QString(), TSmoothLabelTypes::lsCustom);
}

// A sky-and-grass backdrop like the picture forms have.
void paintBackdrop(QWidget& w) {
    QPixmap back(w.size());
    QPainter p(&back);
    QLinearGradient sky(0, 0, 0, w.height());
    sky.setColorAt(0, QColor(120, 190, 255));
    sky.setColorAt(0.7, QColor(210, 235, 255));
    sky.setColorAt(0.7001, QColor(140, 205, 110));
    sky.setColorAt(1, QColor(90, 170, 70));
    p.fillRect(back.rect(), sky);
    p.end();
    QPalette pal = w.palette();
    pal.setBrush(QPalette::Window, back);
    w.setPalette(pal);
    w.setAutoFillBackground(true);
}

int countInk(const QImage& img, const QRect& area, auto&& isInk) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += isInk(QColor(img.pixel(x, y)));
    return n;
}

} // namespace

void prepare() {
    testsupport::substituteControlFonts();
    QFont::insertSubstitution(QStringLiteral("楷体_GB2312"), QStringLiteral("Noto Serif CJK SC"));
    QFont::insertSubstitution(QStringLiteral("仿宋_GB2312"), QStringLiteral("Noto Serif CJK SC"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

void smoothTitle() {
    QWidget form;
    form.resize(184, 90);
    paintBackdrop(form);
    auto* title = new TSmoothText(&form, TRegistration{});
    // The browser's box is 34 high for a 29-pixel title; the CJK faces standing in for
    // "黑体" carry a taller line (ascent and descent 1.45 em), so the title needs 44.
    title->setGeometry(19, 22, 145, 44);
    title->SetAutoSize(false);
    title->Text()->SetWordWrap(true);
    title->Text()->SetTransparent(true);
    addProgramLabels(*title);
    title->Text()->SetLines({QStringLiteral("<Title1><Center>认识动物")});
    title->Loaded();

    const QImage shot = form.grab().toImage();
    QVERIFY(saveDemo(shot, QStringLiteral("smooth-title")));
    // Red at the top of the glyphs turning yellow below, laid over the sky.
    const QRect box = title->geometry();
    const int red = countInk(shot, box, [](const QColor& c) {
        return c.red() > 200 && c.green() < 90 && c.blue() < 90;
    });
    const int yellow = countInk(shot, box, [](const QColor& c) {
        return c.red() > 200 && c.green() > 180 && c.blue() < 90;
    });
    QVERIFY(red > 20);
    QVERIFY(yellow > 20);
    // Centred: as much room on the left as on the right of the ink.
    QRect ink;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            const QColor c(shot.pixel(x, y));
            if (c.red() > 200 && c.blue() < 90)
                ink |= QRect(x, y, 1, 1);
        }
    QVERIFY(std::abs((ink.left() - box.left()) - (box.right() - ink.right())) <= 4);
    QVERIFY(ink.bottom() < box.bottom() - 1); // nothing cut off
    QVERIFY(ink.top() > box.top());
}

void gradientLabels() {
    QWidget form;
    form.resize(300, 200);
    QPalette pal = form.palette();
    pal.setColor(QPalette::Window, QColor(250, 250, 245));
    form.setPalette(pal);
    form.setAutoFillBackground(true);
    // A picture framed by four bars, as the picture practice shows the chosen one.
    const QRect picture(20, 20, 116, 116);
    auto bar = [&](const QRect& r, TGradientTypes::TGradientStyle style, TColor end) {
        auto* l = new TGradientLabel(&form);
        l->setGeometry(r);
        l->SetBoundColor(clBlack);
        l->Gradient()->SetStyle(style);
        l->Gradient()->SetStartColor(clWhite);
        l->Gradient()->SetEndColor(end);
        l->Loaded();
        return l;
    };
    bar(QRect(picture.left() - 4, picture.top() - 4, picture.width() + 8, 4), TGradientTypes::gsTop,
        TColor(0xF88E30));
    bar(QRect(picture.left() - 4, picture.bottom() + 1, picture.width() + 8, 4),
        TGradientTypes::gsTop, TColor(0xF88E30));
    bar(QRect(picture.left() - 4, picture.top(), 4, picture.height()), TGradientTypes::gsLeft,
        TColor(0xF88E30));
    auto* right = bar(QRect(picture.right() + 1, picture.top(), 4, picture.height()),
                      TGradientTypes::gsLeft, TColor(0xF88E30));
    right->Gradient()->SetColorSteps(100);
    auto* picLabel = new QWidget(&form);
    picLabel->setGeometry(picture);
    QPalette pp = picLabel->palette();
    pp.setColor(QPalette::Window, QColor(255, 236, 170));
    picLabel->setPalette(pp);
    picLabel->setAutoFillBackground(true);

    auto* caption = new TGradientLabel(&form);
    caption->setGeometry(150, 40, 130, 22);
    QFont f(QStringLiteral("微软雅黑"));
    f.setPixelSize(13);
    caption->setFont(f);
    caption->SetFontColor(clWhite);
    caption->SetCaption(QStringLiteral("认识动物"));
    caption->SubCaption()->SetFont(f);
    caption->SubCaption()->SetFontColor(clYellow);
    caption->SubCaption()->SetCaption(QStringLiteral("12/65"));
    caption->Gradient()->SetStartColor(TColor(0x8B4513));
    caption->Gradient()->SetEndColor(TColor(0xF0C080));
    caption->SetBoundLines(TGradientTypes::blBottom);
    caption->SetBoundColor(TColor(0x603000));
    caption->Loaded();

    const QImage shot = form.grab().toImage();
    QVERIFY(saveDemo(shot, QStringLiteral("gradient-labels")));
    // The top bar starts white and ends in the end colour.
    QCOMPARE(QColor(shot.pixel(60, picture.top() - 4)).rgb(), qRgb(255, 255, 255));
    const QColor last(shot.pixel(60, picture.top() - 1));
    QVERIFY(last.red() < 150 && last.blue() > 240);
    const int text = countInk(shot, caption->geometry(), [](const QColor& c) {
        return c.red() > 240 && c.green() > 240 && c.blue() > 240;
    });
    QVERIFY(text > 10);
}

void themedPopupMenu() {
    QWidget form;
    auto* menu = new QMenu(&form);
    QAction* play = menu->addAction(QStringLiteral("播放(&P)"));
    play->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    menu->setDefaultAction(play);
    menu->addAction(QStringLiteral("暂停(&S)"))->setShortcut(QKeySequence(Qt::Key_Space));
    menu->addSeparator();
    QAction* full = menu->addAction(QStringLiteral("全屏播放(&F)"));
    full->setCheckable(true);
    full->setChecked(true);
    QMenu* speed = menu->addMenu(QStringLiteral("播放速度"));
    speed->addAction(QStringLiteral("正常"));
    QAction* loop = menu->addAction(QStringLiteral("循环播放(&L)"));
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    {
        QPainter p(&icon);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(40, 150, 60));
        p.setPen(Qt::NoPen);
        p.drawEllipse(1, 1, 14, 14);
        p.setBrush(Qt::white);
        const QPointF tri[] = {{6, 4.5}, {12, 8}, {6, 11.5}};
        p.drawPolygon(tri, 3);
    }
    loop->setIcon(QIcon(QPixmap::fromImage(icon)));
    menu->addAction(QStringLiteral("上一课"))->setEnabled(false);
    menu->addSeparator();
    menu->addAction(QStringLiteral("退出(&X)"));

    TThemedMenu themed(&form);
    themed.SetThemedControls(TThemedTypes::xcMainMenu | TThemedTypes::xcPopupMenu);
    themed.SetGradient(true);
    themed.SetActive(true);
    QCOMPARE(menu->style(), themed.MenuStyle());

    menu->ensurePolished();
    menu->resize(menu->sizeHint());
    menu->setActiveAction(full);
    const QImage shot = menu->grab().toImage();
    QVERIFY(saveDemo(shot, QStringLiteral("themed-menu")));
    const TThemedColors c = themed.SetupColors(&shot);
    const QRect r = menu->actionGeometry(full);
    QCOMPARE(shot.pixel(r.right() - 2, r.center().y()), toQColor(c.SelectFill).rgb());
}

} // namespace textgallery

namespace moregallery {

// The combo box styles beyond the plain list, and right-to-left layouts.
void stylesAndDirections() {
    QWidget form;
    form.resize(420, 200);
    QPalette pal = form.palette();
    pal.setColor(QPalette::Window, toQColor(clBtnFace));
    form.setPalette(pal);
    form.setAutoFillBackground(true);
    const QStringList grades = {QStringLiteral("一年级"), QStringLiteral("二年级"),
                                QStringLiteral("三年级"), QStringLiteral("四年级")};
    auto* simple = new TFlatComboBox(&form);
    simple->SetStyle(TFlatComboBox::csSimple);
    simple->SetItems(grades);
    simple->setCurrentIndex(1);
    simple->setGeometry(16, 16, 150, 110);
    auto* owner = new TFlatComboBox(&form);
    owner->SetStyle(TFlatComboBox::csOwnerDrawFixed);
    owner->SetItems(grades);
    owner->setCurrentIndex(2);
    owner->setGeometry(16, 140, 150, 22);
    QObject::connect(owner, &TFlatComboBox::OnDrawItem,
                     [owner](int index, QPainter* p, QRect r, TFlatComboBox::TOwnerDrawState) {
                         const QColor swatch = QColor::fromHsv(index * 80, 160, 230);
                         p->fillRect(QRect(r.left() + 2, r.top() + 3, 12, r.height() - 6), swatch);
                         p->setPen(Qt::black);
                         p->drawText(r.adjusted(18, 0, 0, 0), Qt::AlignVCenter,
                                     owner->itemText(index));
                     });
    auto* check = new TFlatCheckBox(&form);
    check->setLayoutDirection(Qt::RightToLeft);
    check->SetCaption(QStringLiteral("从右到左"));
    check->SetChecked(true);
    check->setGeometry(200, 16, 200, 17);
    auto* radio = new TFlatRadioButton(&form);
    radio->setLayoutDirection(Qt::RightToLeft);
    radio->SetCaption(QStringLiteral("单选按钮"));
    radio->SetChecked(true);
    radio->setGeometry(200, 40, 200, 17);
    auto* list = new TFlatListBox(&form);
    list->setLayoutDirection(Qt::RightToLeft);
    list->setGeometry(200, 66, 200, 80);
    list->SetItems(grades);
    list->SetSelected(1, true);
    auto* label = new TGradientLabel(&form);
    label->setLayoutDirection(Qt::RightToLeft);
    label->setGeometry(200, 160, 200, 22);
    label->SetCaption(QStringLiteral("渐变标签"));
    label->SetFontColor(clWhite);
    label->Loaded();
    form.show();
    QApplication::processEvents();
    form.grab().save(QDir(gOut).filePath(QStringLiteral("widgets-demo/more-widgets.png")));
}

} // namespace moregallery

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc > 1)
        gOut = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(gOut);
    textgallery::prepare();
    widgetgallery::everyWidgetOnOneForm();
    textgallery::smoothTitle();
    textgallery::gradientLabels();
    textgallery::themedPopupMenu();
    moregallery::stylesAndDirections();
    std::printf("galleries written to %s (%d spot checks differ)\n", qPrintable(gOut), gMismatches);
    return 0;
}
