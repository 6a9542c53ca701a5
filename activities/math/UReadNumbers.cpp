#include "activities/math/UReadNumbers.h"

#include "activities/math/MathSound.h"
#include "activities/math/MathWidgets.h"
#include "activities/math/ReadNumbersRules.h"
#include "app/FormRegistry.h"
#include "app/Guard.h"
#include "platform/ContentPack.h"

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
        l->setProperty("px", n == 0 ? 56 : 20);
        math::setLabelLook(l, Qt::black, l->property("px").toInt(), true, false);
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
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
    math::playSound(math::numberSoundPath(lblnumber->text()), true);
}

void TFrmReadNumbers::ShowEnglishName() {
    const QString word = math::numberWord(cmbnumber->currentIndex());
    if (!word.isEmpty())
        lblenglish->setText(word);
}

void TFrmReadNumbers::selectNumber(int n) {
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
    cmbnumber->setCurrentIndex(listLabel->text().toInt());
    cmbnumberChange();
}

void TFrmReadNumbers::cmbnumberChange() {
    if (cmbnumber->currentIndex() < 0)
        return;
    selectNumber(cmbnumber->currentIndex());
}

void TFrmReadNumbers::imgpreClick() {
    pnlml->hide();
    if (cmbnumber->currentIndex() == 0)
        return;
    cmbnumber->setCurrentIndex(math::priorNumber(cmbnumber->currentIndex()));
    cmbnumberChange();
}

void TFrmReadNumbers::imgnextClick() {
    pnlml->hide();
    // The list ends at 30: there is nothing after it, as there is nothing before 0.
    if (cmbnumber->currentIndex() >= math::kLastNumber)
        return;
    cmbnumber->setCurrentIndex(math::nextNumber(cmbnumber->currentIndex()));
    cmbnumberChange();
}

void TFrmReadNumbers::imgautoClick() {
    pnlml->hide();
    Timer1->setEnabled(true);
}

void TFrmReadNumbers::Timer1Timer() {
    imgpicnum->hide();
    if (cmbnumber->currentIndex() >= math::kLastNumber) {
        Timer1->setEnabled(false);
        return;
    }
    const int n = cmbnumber->currentIndex() + 1;
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
        lblnumber->setText(cmbnumber->currentText());
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

void TFrmReadNumbers::listLabelLook(QLabel* label, QEvent::Type type) {
    const int px = label->property("px").toInt();
    switch (type) {
    case QEvent::Enter:
        math::setLabelLook(label, kLime, px, true, true);
        break;
    case QEvent::Leave:
        math::setLabelLook(label, Qt::black, px, true, false);
        break;
    case QEvent::MouseButtonPress:
        math::setLabelLook(label, kNavy, px, false, true);
        label->move(label->pos() + QPoint(2, 2));
        break;
    case QEvent::MouseButtonRelease:
        label->move(label->pos() - QPoint(2, 2));
        break;
    default:
        break;
    }
}

bool TFrmReadNumbers::eventFilter(QObject* watched, QEvent* event) {
    auto* label = qobject_cast<QLabel*>(watched);
    if (!label)
        return TActivityForm::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    const bool leftRelease = type == QEvent::MouseButtonRelease &&
                             static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    const bool inside = leftRelease && label->rect().contains(
                                           static_cast<QMouseEvent*>(event)->position().toPoint());
    if (label == lblenglish || label == lblnumber) {
        if (leftRelease && inside)
            guarded([this] { hideList(); });
        return false;
    }
    if (!listLabels_.contains(label))
        return false;
    if (type == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
        return false;
    // Click before mouse up, as everywhere in the program.
    if (leftRelease && inside)
        guarded([this, label] { LabelClick(label); });
    if (type == QEvent::Enter || type == QEvent::Leave || type == QEvent::MouseButtonPress ||
        leftRelease)
        listLabelLook(label, type);
    return false;
}
