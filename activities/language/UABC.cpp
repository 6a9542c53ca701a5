#include "activities/language/UABC.h"

#include "activities/language/BrowserRules.h"
#include "app/FormRegistry.h"
#include "platform/ContentPack.h"

#include <QFontMetrics>
#include <QMouseEvent>

QPointer<TfrmABC> frmABC;
static RegisterForm<TfrmABC> reg("TfrmABC", frmABC);

using namespace language;

TfrmABC::TfrmABC(QWidget* parent) : TActivityForm(parent) {
    setupUi(this);
    setFixedSize(900, 675);
    Timer1 = new TTimer(this, kLetterGrowthMs, false);
    Timer2 = new TTimer(this, 4000, false);
    Timer2->setTag(1);
    connect(Timer1, &TTimer::OnTimer, this, &TfrmABC::Timer1Timer);
    connect(Timer2, &TTimer::OnTimer, this, &TfrmABC::Timer2Timer);
    wirePictureButtons();
    for (int i = 0; i < kLetterCount; ++i) {
        auto* letter = findChild<TImage*>(QStringLiteral("img") + QChar(u'a' + i));
        connect(letter, &TImage::OnClick, this, [this, i] { imgaClick(i); });
    }
    for (QLabel* l : {lbldx, lblxx, lblword})
        l->installEventFilter(this);
    connect(imgshow, &TImage::OnClick, this, &TfrmABC::imgshowClick);
    connect(imghelp, &TImage::OnClick, this, &TfrmABC::imghelpClick);
    connect(imgnext, &TImage::OnClick, this, &TfrmABC::imgnextClick);
    connect(imgfh, &TImage::OnClick, this, &TfrmABC::imgfhClick);
    pack_ = platform::ContentPack::load(QStringLiteral("pic"));
    centreOnScreen();
}

bool TfrmABC::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == lblword)
            imgshowClick();
        else
            lbldxClick(static_cast<QLabel*>(watched));
    }
    return TActivityForm::eventFilter(watched, event);
}

void TfrmABC::FormShow() {
    stopAuto();
    showLetter(0);
    playSound(letterSound(QStringLiteral("a")), false);
}

TForm::CloseAction TfrmABC::FormClose() {
    Timer1->setEnabled(false);
    stopAuto();
    imgshow->clearPicture();
    return CloseAction::Hide;
}

void TfrmABC::stopAuto() {
    Timer2->setEnabled(false);
    auto_.stop();
    Timer2->setTag(auto_.next());
}

// The letter with its word and picture, the big letters starting to grow.
void TfrmABC::showLetter(int letter) {
    lbldx->hide();
    lblxx->hide();
    lbldx->setText(capitalLetter(letter));
    lblxx->setText(smallLetter(letter));
    growth_.restart();
    showSizes();
    Timer1->setEnabled(true);
    lbldx->show();
    lblxx->show();
    showWord(letterWord(letter));
    QPixmap picture;
    if (pack_ && pack_->contains(letterWord(letter), QStringLiteral("JPG")))
        picture.loadFromData(pack_->read(letterWord(letter), QStringLiteral("JPG")), "JPG");
    imgshow->setPicture(picture);
}

// The sizes are point sizes of a 96-dpi screen. Each letter's label ends one descent
// below the baseline, so both letters stand on the board's red line as they grow.
void TfrmABC::showSizes() {
    const std::pair<QLabel*, int> letters[] = {{lbldx, growth_.capitalSize()},
                                               {lblxx, growth_.smallSize()}};
    for (auto [label, points] : letters) {
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(pointsToPixels(points));
        label->setFont(f);
        const int bottom = kLetterBaseline + QFontMetrics(f).descent();
        label->setGeometry(label->x(), bottom - label->height(), label->width(), label->height());
    }
}

// The example word in 56-pixel type, smaller where a long word would not fit its frame.
void TfrmABC::showWord(const QString& word) {
    QFont f = lblword->font();
    int px = 56;
    f.setPixelSize(px);
    while (px > 20 && QFontMetrics(f).horizontalAdvance(word) > lblword->width() - 8)
        f.setPixelSize(--px);
    lblword->setFont(f);
    lblword->setText(word);
}

void TfrmABC::imgaClick(int letter) {
    stopAuto();
    showLetter(letter);
    playSound(letterSound(capitalLetter(letter)));
}

void TfrmABC::Timer1Timer() {
    if (growth_.step())
        showSizes();
    else
        Timer1->setEnabled(false);
}

void TfrmABC::lbldxClick(QLabel* big) {
    playSound(letterSound(big->text()), false);
}

void TfrmABC::imgshowClick() {
    playSound(letterSound(lblword->text()), false);
}

void TfrmABC::imghelpClick() {
    auto_.start();
    Timer2->setEnabled(true);
}

void TfrmABC::Timer2Timer() {
    const int letter = auto_.tick();
    Timer2->setTag(auto_.next());
    if (letter < 0)
        return;
    showLetter(letter);
    playSound(letterSound(capitalLetter(letter)));
}

void TfrmABC::imgnextClick() {
    stopAuto();
    openFrom(this, QStringLiteral("Tfrmabcgame"), LeaveMode::Hide);
}

void TfrmABC::imgfhClick() {
    close();
}

QStringList TfrmABC::dataPaths() {
    QStringList paths;
    for (int i = 0; i < kLetterCount; ++i)
        paths << letterSound(capitalLetter(i)) << letterSound(smallLetter(i))
              << letterSound(letterWord(i))
              << QStringLiteral("Data\\kjfile\\pic.dat#JPG/") + letterWord(i);
    return paths;
}
