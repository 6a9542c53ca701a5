#include "activities/math/UReadNumbers.h"

#include "activities/math/ReadNumbersRules.h"
#include "app/ActivitySound.h"
#include "app/FormRegistry.h"
#include "app/Guard.h"
#include "platform/ContentPack.h"
#include "widgets/HoverLink.h"

#include <QMouseEvent>
#include <QPainterPath>

QPointer<TFrmReadNumbers> FrmReadNumbers;
static RegisterForm<TFrmReadNumbers> reg("TFrmReadNumbers", FrmReadNumbers);

namespace {
const QColor kLime(0x00, 0xff, 0x00);
const QColor kNavy(0x00, 0x00, 0x80);
} // namespace

TFrmReadNumbers::TFrmReadNumbers(QWidget* parent) : TActivityForm(parent) {
    setupUi(this);
    setFixedSize(900, 675);
    Timer1 = new TTimer(this, 3800, false);
    Timer2 = new TTimer(this, 2000, false);
    connect(Timer1, &TTimer::OnTimer, this, &TFrmReadNumbers::Timer1Timer);
    connect(Timer2, &TTimer::OnTimer, this, &TFrmReadNumbers::Timer2Timer);

    wirePictureButtons();
    for (TImage* digit :
         {imgzero, imgone, imgtwo, imgthree, imgfour, imgfive, imgsix, imgseven, imgeight, imgnine})
        connect(digit, &TImage::OnClick, this, [this, digit] { imgoneClick(digit); });
    connect(imgpre, &TImage::OnClick, this, &TFrmReadNumbers::imgpreClick);
    connect(imgnext, &TImage::OnClick, this, &TFrmReadNumbers::imgnextClick);
    connect(imgauto, &TImage::OnClick, this, &TFrmReadNumbers::imgautoClick);
    connect(imglx, &TImage::OnClick, this, &TFrmReadNumbers::imglxClick);
    connect(imgclose, &TImage::OnClick, this, &TFrmReadNumbers::imgcloseClick);
    connect(imgbg, &TImage::OnClick, this, &TFrmReadNumbers::hideList);
    connect(imgpicnum, &TImage::OnClick, this, &TFrmReadNumbers::hideList);
    imgml->setMouseTracking(true);
    connect(imgml, &TImage::OnMouseMove, this, &TFrmReadNumbers::imgmlMouseMove);
    connect(imgml, &TImage::OnMouseEnter, this, &TFrmReadNumbers::imgmlMouseMove);
    connect(chkpic, &TFlatCheckBox::OnClick, this, &TFrmReadNumbers::chkpicClick);
    lblenglish->installEventFilter(this);
    lblnumber->installEventFilter(this);

    for (int n = 0; n <= math::kLastNumber; ++n) {
        auto* l = pnlml->findChild<QLabel*>(QStringLiteral("Label%1").arg(n));
        if (!l)
            continue;
        listLabels_ << l;
        auto* link = new THoverLink(l, n == 0 ? 56 : 20, {Qt::black, true, false},
                                    {kLime, true, true}, {kNavy, false, true});
        connect(link, &THoverLink::clicked, this,
                [this](QLabel* label) { guarded([this, label] { LabelClick(label); }); });
    }
    FormCreate();
}

TFrmReadNumbers::~TFrmReadNumbers() = default;

void TFrmReadNumbers::FormCreate() {
    QPainterPath round;
    round.addRoundedRect(QRectF(0, 0, pnlml->width(), pnlml->height()), 34, 34);
    pnlml->setMask(QRegion(round.toFillPolygon().toPolygon()));
    swallowed([this] { pack_ = platform::ContentPack::load(QStringLiteral("pic")); });
}

void TFrmReadNumbers::FormShow() {
    pnlml->hide();
}

void TFrmReadNumbers::hideList() {
    pnlml->hide();
}

void TFrmReadNumbers::playNumber() {
    playSound(math::numberSoundPath(lblnumber->text()), true);
}

void TFrmReadNumbers::ShowEnglishName() {
    const QString word = math::numberWord(cursor_.current());
    if (!word.isEmpty())
        lblenglish->setText(word);
}

void TFrmReadNumbers::selectNumber(int n) {
    if (!cursor_.select(n))
        return;
    showCurrent();
}

void TFrmReadNumbers::showCurrent() {
    const int n = cursor_.current();
    imgpicnum->hide();
    Timer1->setEnabled(false);
    lblnumber->setText(QString::number(n));
    cmbnumber->setCurrentIndex(n);
    playNumber();
    Timer2->setEnabled(chkpic->Checked());
    ShowEnglishName();
}

void TFrmReadNumbers::imgoneClick(TImage* digitButton) {
    pnlml->hide();
    selectNumber(digitButton->Hint().toInt());
}

void TFrmReadNumbers::LabelClick(QLabel* listLabel) {
    selectNumber(listLabel->text().toInt());
}

void TFrmReadNumbers::cmbnumberChange() {
    selectNumber(cmbnumber->currentIndex());
}

void TFrmReadNumbers::imgpreClick() {
    pnlml->hide();
    if (cursor_.prior())
        showCurrent();
}

void TFrmReadNumbers::imgnextClick() {
    pnlml->hide();
    // The list ends at 30: there is nothing after it, as there is nothing before 0.
    if (cursor_.next())
        showCurrent();
}

void TFrmReadNumbers::imgautoClick() {
    pnlml->hide();
    Timer1->setEnabled(true);
}

void TFrmReadNumbers::Timer1Timer() {
    imgpicnum->hide();
    if (!cursor_.next()) {
        Timer1->setEnabled(false);
        return;
    }
    const int n = cursor_.current();
    lblnumber->setText(QString::number(n));
    cmbnumber->setCurrentIndex(n);
    playNumber();
    ShowEnglishName();
    if (chkpic->Checked())
        Timer2->setEnabled(true);
}

void TFrmReadNumbers::Timer2Timer() {
    Timer2->setEnabled(false);
    // Without its picture the number simply stays shown as a digit.
    if (!pack_ || lblnumber->text().isEmpty())
        return;
    QPixmap picture;
    swallowed([&] {
        picture.loadFromData(
            pack_->read(math::numberPictureName(lblnumber->text().toInt()), QStringLiteral("JPG")),
            "JPG");
    });
    if (picture.isNull())
        return;
    imgpicnum->setPicture(picture);
    lblnumber->setText(QString());
    imgpicnum->show();
}

void TFrmReadNumbers::chkpicClick() {
    Timer2->setEnabled(chkpic->Checked());
    if (imgpicnum->isVisible()) {
        lblnumber->setText(QString::number(cursor_.current()));
        imgpicnum->hide();
    }
}

void TFrmReadNumbers::imgmlMouseMove() {
    pnlml->show();
}

void TFrmReadNumbers::imglxClick() {
    pnlml->hide();
    openFrom(this, QStringLiteral("TFrmChoiceNumbers"), LeaveMode::Hide);
    Timer1->setEnabled(false);
}

void TFrmReadNumbers::imgcloseClick() {
    pnlml->hide();
    Timer1->setEnabled(false);
    close();
}

bool TFrmReadNumbers::eventFilter(QObject* watched, QEvent* event) {
    // A click on the number or its English word closes the list.
    if ((watched == lblenglish || watched == lblnumber) &&
        event->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(event);
        auto* label = static_cast<QLabel*>(watched);
        if (me->button() == Qt::LeftButton && label->rect().contains(me->position().toPoint()))
            guarded([this] { hideList(); });
        return false;
    }
    return TActivityForm::eventFilter(watched, event);
}

QStringList TFrmReadNumbers::dataPaths() {
    QStringList paths;
    for (int n = 0; n <= math::kLastNumber; ++n)
        paths << math::numberSoundPath(QString::number(n))
              << packItemPath(QStringLiteral("pic"), QStringLiteral("JPG"),
                              math::numberPictureName(n));
    return paths;
}
