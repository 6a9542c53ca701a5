#include "activities/chinese/Uxhz.h"

#include "activities/chinese/PackMovie.h"
#include "app/FormRegistry.h"
#include "platform/ContentPack.h"
#include "platform/ProgramDir.h"

#include <QMouseEvent>

QPointer<Tfrmxhz> frmxhz;
static RegisterForm<Tfrmxhz> reg("Tfrmxhz", frmxhz);

namespace {
constexpr int kAutoStep = 6000; // the automatic learning moves on every six seconds
}

Tfrmxhz::Tfrmxhz(QWidget* parent) : TActivityForm(parent) {
    setupUi(this);
    setFixedSize(900, 675);
    Timer1 = new TTimer(this, kAutoStep, false);
    connect(Timer1, &TTimer::OnTimer, this, &Tfrmxhz::Timer1Timer);
    for (int i = 1; i <= 17; ++i)
        cmbnumber->AddItem(QStringLiteral("第%1阶").arg(i));
    cmbnumber->AddItem(QStringLiteral("全　部"));
    cmbnumber->setCurrentIndex(0);
    pack_ = platform::ContentPack::load(QStringLiteral("XHZ"));
    for (int i = 0; i < chinese::kCharacterCount; ++i)
        lbml->Items().Add(chinese::characterView(i).character);
    wirePictureButtons();
    // The list's click, which the keys that move its row send as well.
    connect(lbml, &TIListControl::OnClick, this, &Tfrmxhz::lbmlClick);
    connect(imgback, &TImage::OnClick, this, &Tfrmxhz::imgbackClick);
    connect(imgnext, &TImage::OnClick, this, &Tfrmxhz::imgnextClick);
    connect(imgprac, &TImage::OnClick, this, &Tfrmxhz::imgpracClick);
    connect(imgexit, &TImage::OnClick, this, &Tfrmxhz::imgexitClick);
    connect(Image1, &TImage::OnClick, this, &Tfrmxhz::Image1Click);
    connect(ShockwaveFlash1, &TFlashHostControl::OnClick, this, &Tfrmxhz::ShockwaveFlash1Click);
    connect(chkrec, &TFlatCheckBox::OnClick, this, &Tfrmxhz::chkrecClick);
    for (QWidget* w : {static_cast<QWidget*>(lbltopic), static_cast<QWidget*>(lblpinyin)}) {
        w->installEventFilter(this);
        w->setCursor(Qt::PointingHandCursor);
    }
    centreOnScreen();
}

bool Tfrmxhz::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lbltopic && event->type() == QEvent::Enter) {
        lbltopic->setStyleSheet(QStringLiteral(
            "color: #ff0000; font-family: \"微软雅黑\"; font-size: 44px; font-weight: bold;"));
        pnlci->SetColor(0x00F7F7DF);
    } else if (watched == lbltopic && event->type() == QEvent::Leave) {
        lbltopic->setStyleSheet(
            QStringLiteral("color: #000000; font-family: \"微软雅黑\"; font-size: 44px;"));
        pnlci->SetColor(0x00FFFFFF);
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == lbltopic)
            Image1Click();
        else if (watched == lblpinyin)
            ShockwaveFlash1Click();
    }
    return TActivityForm::eventFilter(watched, event);
}

void Tfrmxhz::FormShow() {
    lesson_.select(0);
    showCharacter();
}

TForm::CloseAction Tfrmxhz::FormClose() {
    Timer1->setEnabled(false);
    return CloseAction::Free;
}

// The movie first; then the word, the pinyin and the picture (left empty when it is
// missing); the character is spoken in every case.
void Tfrmxhz::showCharacter() {
    const chinese::CharacterView v = lesson_.view();
    lbml->SetItemIndex(lesson_.index());
    chinese::playPackMovie(ShockwaveFlash1, pack_, v.movie);
    lbml->setFocus();
    lbltopic->setText(v.word);
    lblpinyin->setText(v.pinyin);
    if (!picshow->loadFromFile(platform::dataPath(v.picture)))
        picshow->clearPicture();
    playSound(v.speech, false);
}

void Tfrmxhz::lbmlClick() {
    if (lesson_.select(lbml->ItemIndex()))
        showCharacter();
}

void Tfrmxhz::imgbackClick() {
    if (lesson_.back())
        showCharacter();
}

void Tfrmxhz::imgnextClick() {
    if (lesson_.next())
        showCharacter();
}

void Tfrmxhz::imgpracClick() {
    chinese::playPackMovie(ShockwaveFlash1, pack_, lesson_.view().movie);
    playSound(lesson_.view().speech, false);
}

void Tfrmxhz::Image1Click() {
    playSound(lesson_.view().wordSpeech, false);
}

void Tfrmxhz::ShockwaveFlash1Click() {
    playSound(lesson_.view().speech, false);
}

void Tfrmxhz::chkrecClick() {
    Timer1->setEnabled(chkrec->Checked());
}

// The automatic learning: the next character, until the last one.
void Tfrmxhz::Timer1Timer() {
    if (lesson_.next())
        showCharacter();
    else
        chkrec->SetChecked(false);
}

void Tfrmxhz::imgexitClick() {
    close();
}

QStringList Tfrmxhz::dataPaths() {
    QStringList paths;
    for (int i = 0; i < chinese::kCharacterCount; ++i) {
        const chinese::CharacterView v = chinese::characterView(i);
        paths << QStringLiteral("Data\\kjfile\\XHZ.dat#Flash/") + v.movie << v.picture << v.speech
              << v.wordSpeech;
    }
    return paths;
}
