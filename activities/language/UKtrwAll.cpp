#include "activities/language/UKtrwAll.h"

#include "app/FormRegistry.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "widgets/HoverLink.h"

#include <QPainterPath>
#include <QRegion>

QPointer<TFrmKtrwAll> FrmKtrwAll;
static RegisterForm<TFrmKtrwAll> reg("TFrmKtrwAll", FrmKtrwAll);

namespace {
const QString kCaption = QStringLiteral("[ 看图认物 ] 浏览说明！");
const QString kDirCaption = QStringLiteral("目录浏览说明！");
} // namespace

TFrmKtrwAll::TFrmKtrwAll(QWidget* parent) : TLanguageForm(parent) {
    setupUi(this);
    setFixedSize(900, 675);
    Timer1 = new TTimer(this, 1, false);
    Timer2 = new TTimer(this, 2500, false);
    Timer3 = new TTimer(this, 6000, false);
    Timer4 = new TTimer(this, 300, false);
    connect(Timer1, &TTimer::OnTimer, this, &TFrmKtrwAll::Timer1Timer);
    connect(Timer2, &TTimer::OnTimer, this, &TFrmKtrwAll::Timer2Timer);
    connect(Timer3, &TTimer::OnTimer, this, &TFrmKtrwAll::Timer3Timer);
    connect(Timer4, &TTimer::OnTimer, this, &TFrmKtrwAll::Timer4Timer);
    setUpTitle();
    showAnimalsTitle();
    QPainterPath round;
    round.addRoundedRect(QRectF(0, 0, pnlml->width(), pnlml->height()), 34, 34);
    pnlml->setMask(QRegion(round.toFillPolygon().toPolygon()));
    wirePictureButtons();
    for (TImage* b : {imgpre, imgnext})
        connect(b, &TImage::OnClick, this, [this, b] { ShowPicture(b->Hint()); });
    connect(imglx, &TImage::OnClick, this, &TFrmKtrwAll::imglxClick);
    connect(imgfh, &TImage::OnClick, this, &QWidget::close);
    connect(imgml, &TImage::OnMouseMove, pnlml, [this] { pnlml->show(); });
    for (TClickLabel* l : {txtzw, txtyw})
        connect(l, &TClickLabel::OnClick, this, [this, l] { txtzwClick(l); });
    for (QObject* o : {static_cast<QObject*>(imgbg), static_cast<QObject*>(txtpy)})
        connect(o, SIGNAL(OnClick()), pnlml, SLOT(hide()));
    connect(dbimg, &TImage::OnClick, pnlml, &QWidget::hide);
    connect(cbautobro, &TFlatCheckBox::OnClick, Timer4, [this] { Timer4->setEnabled(true); });
    // The first interval is chosen at the start (the designer's items come after the
    // designer's index, so it is set here).
    cmbcontent->setCurrentIndex(0);
    connect(cmbcontent, &TFlatComboBox::OnChange, this, [this] {
        if (cbautobro->Checked()) {
            Timer3->setInterval(language::autoIntervalMs(cmbcontent->currentIndex()));
            Timer3->setEnabled(true);
        }
        txttime->setFocus();
    });
    wireDirectory();
}

void TFrmKtrwAll::setUpTitle() {
    // The title's own fonts (pixel sizes) and labels: the eight standard ones and "self".
    struct FontLabel {
        const char* name;
        const char* face;
        int pixels;
        TColor color;
        bool bold, shadow;
        int offset;
    };
    const FontLabel fonts[] = {{"Title1", "黑体", 29, clYellow, true, true, 2},
                               {"Title2", "黑体", 12, clNavy, true, true, 1},
                               {"Title3", "宋体", 14, clRed, true, true, 2},
                               {"Text1", "仿宋_GB2312", 21, clBlack, true, false, 1},
                               {"Text2", "楷体_GB2312", 14, clFuchsia, false, true, 1}};
    for (const FontLabel& f : fonts) {
        TFontLabel* label = atitle->Fonts()->AddItem(
            QString::fromUtf8(f.name), QString::fromUtf8(f.face), 9, f.color,
            f.bold ? TFontStyles(fsBold) : TFontStyles(), f.shadow, f.offset, f.offset);
        TTextFont font = label->Font();
        font.Font.setPixelSize(f.pixels);
        label->SetFont(font);
    }
    TSmoothGradual* title1 = atitle->Fonts()->Items(0)->Effect()->Gradual();
    title1->SetStyle(TSmoothTypes::gsTopToBottom);
    title1->SetStartColor(clRed);
    title1->SetEndColor(clYellow);
    title1->SetEnabled(true);
    atitle->Fonts()->Items(3)->Effect()->Gradual()->SetStyle(TSmoothTypes::gsTopToBottom);
    atitle->Fonts()->Items(3)->Effect()->Gradual()->SetStartColor(TColor{0x000080FF});
    atitle->CreateDefLabels();
    atitle->Labels()->AddItem(QStringLiteral("self"), QString(), TSmoothLabelTypes::lsCustom);
    atitle->SetAutoSize(false);
    atitle->Text()->SetWordWrap(true);
    atitle->Text()->SetTransparent(true);
}

void TFrmKtrwAll::showAnimalsTitle() {
    atitle->Text()->SetLines({QStringLiteral("<Title1><Center>认识动物")});
}

void TFrmKtrwAll::wireDirectory() {
    directory_ = new TDirectoryPanel(pnlml);
    connect(directory_, &TDirectoryPanel::labelClicked, this, &TFrmKtrwAll::Label9Click);
    connect(directory_, &TDirectoryPanel::nextPage, this, &TFrmKtrwAll::imgmlnextClick);
    connect(directory_, &TDirectoryPanel::priorPage, this, &TFrmKtrwAll::imgmlbackClick);
}

void TFrmKtrwAll::pictureButtonDown(TImage* button) {
    if (button != imgml)
        pnlml->hide();
    TLanguageForm::pictureButtonDown(button);
}

void TFrmKtrwAll::FormShow() {
    browser_.restart();
    showRow();
    txtzw->resize(0, txtzw->height());
    Timer1->setEnabled(true);
    speakName();
    fillPage();
    Timer4->setEnabled(true);
    Timer2->setEnabled(true);
    txttime->setFocus();
}

void TFrmKtrwAll::showRow() {
    const language::WordRow& r = browser_.row();
    dbimg->loadFromFile(platform::dataPath(language::picturePath(r.name())));
    txtzw->setText(r.name());
    txtyw->setText(r.word());
    txtpy->setText(r.spelling());
    // The sizes are point sizes of a 96-dpi screen.
    txtzw->setStyleSheet(QStringLiteral("color: #ffffff; font-weight: bold; font-size: %1px;")
                             .arg(language::pointsToPixels(language::nameFontSize(r.name()))));
    txtpy->setStyleSheet(
        QStringLiteral("color: #ffe14d; font-weight: bold; font-size: %1px;")
            .arg(language::pointsToPixels(language::pinyinFontSize(r.spelling()))));
    txtyw->hide();
}

void TFrmKtrwAll::speakName() {
    playSound(language::soundPath(txtzw->text()));
}

void TFrmKtrwAll::ShowPicture(const QString& direction) {
    if (!Timer3->Enabled() && cbautobro->Checked())
        Timer3->setEnabled(true);
    Timer2->setEnabled(false);
    if (direction == QLatin1String("prior") &&
        browser_.prior() == language::PictureBrowser::Step::FirstRefused) {
        platform::showMessage(this, QStringLiteral("当前已经是第一个图了！"), kCaption,
                              platform::MB_ICONWARNING);
        return;
    }
    if (direction == QLatin1String("next") &&
        browser_.next() == language::PictureBrowser::Step::LastRefused) {
        Timer3->setEnabled(false);
        platform::showMessage(
            this,
            QStringLiteral("这是最后一张图片，你可以通过［目录］按钮进行图片浏览！\r"
                           "你也可以点击［练习］按钮进入有趣的练习模式！"),
            kCaption, platform::MB_ICONWARNING);
        return;
    }
    showRow();
    if (!Timer1->Enabled() && txtzw->width() >= 377) {
        txtzw->resize(0, txtzw->height());
        Timer1->setEnabled(true);
    }
    speakName();
    Timer2->setEnabled(true);
}

void TFrmKtrwAll::Timer1Timer() {
    if (txtzw->width() < language::kNameFullWidth) {
        txtzw->resize(language::grownWidth(txtzw->width()), txtzw->height());
        return;
    }
    Timer1->setEnabled(false);
}

void TFrmKtrwAll::Timer2Timer() {
    Timer2->setEnabled(false);
    if (chkall->Checked())
        playSound(language::soundPath(txtyw->text()));
    txtyw->show();
}

void TFrmKtrwAll::Timer3Timer() {
    ShowPicture(QStringLiteral("next"));
}

void TFrmKtrwAll::Timer4Timer() {
    Timer4->setEnabled(false);
    if (cbautobro->Checked()) {
        Timer3->setInterval(language::autoIntervalMs(cmbcontent->currentIndex()));
        Timer3->setEnabled(true);
    } else {
        Timer3->setEnabled(false);
    }
}

void TFrmKtrwAll::txtzwClick(TClickLabel* label) {
    pnlml->hide();
    playSound(language::soundPath(label->text()));
    txtyw->show();
}

void TFrmKtrwAll::Label9Click(int label) {
    QLabel* l = directory_->label(label);
    if (browser_.select(l->property("Tag").toInt()))
        ShowPicture(QString());
    setLabelLook(l, QColor(0, 0, 255), 16, false, false);
}

void TFrmKtrwAll::fillPage() {
    const std::vector<int> rows = browser_.pageRows();
    for (int i = 0; i < 10; ++i) {
        QLabel* l = directory_->label(i);
        const bool shown = i < static_cast<int>(rows.size());
        l->setVisible(shown);
        if (shown) {
            l->setText(language::KtrwWordTable[rows[static_cast<size_t>(i)]].name());
            l->setProperty("Tag", rows[static_cast<size_t>(i)]);
        }
    }
}

void TFrmKtrwAll::imgmlnextClick() {
    if (browser_.nextPage() == language::PictureBrowser::Page::LastRefused) {
        platform::showMessage(nullptr, QStringLiteral("当前已经是最后一组!"), kDirCaption,
                              platform::MB_ICONINFORMATION);
        return;
    }
    fillPage();
}

void TFrmKtrwAll::imgmlbackClick() {
    if (browser_.priorPage() == language::PictureBrowser::Page::FirstRefused) {
        platform::showMessage(this, QStringLiteral("当前已经是第一组!"), kDirCaption,
                              platform::MB_ICONINFORMATION);
        return;
    }
    fillPage();
}

void TFrmKtrwAll::stopTimers() {
    for (TTimer* t : {Timer1, Timer2, Timer3, Timer4})
        t->setEnabled(false);
}

void TFrmKtrwAll::imglxClick() {
    // No word may be spoken over the practice.
    stopTimers();
    openFrom(this, QStringLiteral("Tfrmktrwlx"), LeaveMode::Hide, false,
             setDeclared("Caption", QStringLiteral("Pelumo______【看图认物练习】")));
}

TForm::CloseAction TFrmKtrwAll::FormClose() {
    stopTimers();
    pnlml->hide();
    return CloseAction::Hide;
}

QStringList TFrmKtrwAll::dataPaths() {
    return language::wordDataPaths(language::animalWords(), language::kAnimalCount, true);
}
