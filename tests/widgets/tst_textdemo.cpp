// The widgets as a form shows them: the picture browser's title "<Title1><Center>认识动物" in
// smooth text, gradient bars around a picture and a captioned gradient label, and a themed
// popup menu. Each is saved as a PNG in the build folder (widgets-demo/) for a look.

#include "WidgetTestSupport.h"
#include "widgets/GradientLabel.h"
#include "widgets/SmoothCtrls.h"
#include "widgets/ThemedMenu.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QStyleFactory>
#include <QtTest>

namespace {

QString demoPath(const QString& name) {
    const QString dir = QStringLiteral(PELUMO_BINARY_DIR "/widgets-demo");
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

class TstTextDemo : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        testsupport::substituteControlFonts();
        QFont::insertSubstitution(QStringLiteral("楷体_GB2312"),
                                  QStringLiteral("Noto Serif CJK SC"));
        QFont::insertSubstitution(QStringLiteral("仿宋_GB2312"),
                                  QStringLiteral("Noto Serif CJK SC"));
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
        bar(QRect(picture.left() - 4, picture.top() - 4, picture.width() + 8, 4),
            TGradientTypes::gsTop, TColor(0xF88E30));
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
};

QTEST_MAIN(TstTextDemo)
#include "tst_textdemo.moc"
