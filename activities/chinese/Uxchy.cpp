#include "activities/chinese/Uxchy.h"

#include "activities/chinese/PackMovie.h"
#include "app/FormRegistry.h"
#include "platform/ContentPack.h"
#include "platform/ProgramDir.h"
#include "widgets/ThemedMenu.h"

#include <QMenu>
#include <QScreen>
#include <QShortcut>

QPointer<Tfrmxchy> frmxchy;
static RegisterForm<Tfrmxchy> reg("Tfrmxchy", frmxchy);

using chinese::IdiomBook;

Tfrmxchy::Tfrmxchy(QWidget* parent) : TActivityForm(parent) {
    setupUi(this);
    setFixedSize(900, 675);
    Timer1 = new TTimer(this, 12000, false);
    Timer2 = new TTimer(this, 10, false);
    connect(Timer1, &TTimer::OnTimer, this, &Tfrmxchy::Timer1Timer);
    connect(Timer2, &TTimer::OnTimer, this, &Tfrmxchy::Timer2Timer);
    for (int i = 0; i < book_.count(); ++i)
        lbml->Items().Add(book_.title(i));
    wirePictureButtons();
    // The list's click, which the keys that move its row send as well.
    connect(lbml, &TIListControl::OnClick, this, [this] {
        if (book_.select(lbml->ItemIndex()))
            lbmlClick();
    });
    // Esc leaves the full screen, whichever child has the keyboard.
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, this, [this] {
        if (btnpic->isVisible())
            btnpicClick();
    });
    connect(imgpre, &TImage::OnClick, this, &Tfrmxchy::imgpreClick);
    connect(imgstop, &TImage::OnClick, this, &Tfrmxchy::imgstopClick);
    connect(imgnext, &TImage::OnClick, this, &Tfrmxchy::imgnextClick);
    connect(imgfh, &TImage::OnClick, this, &Tfrmxchy::imgfhClick);
    connect(imgjieshi, &TImage::OnClick, this, &Tfrmxchy::imgjieshiClick);
    connect(imgliju, &TImage::OnClick, this, &Tfrmxchy::imglijuClick);
    connect(chkauto, &TFlatCheckBox::OnClick, this, &Tfrmxchy::chkautoClick);
    connect(btnpic, &TFlatButton::OnClick, this, &Tfrmxchy::btnpicClick);
    for (QWidget* w : {static_cast<QWidget*>(txttopic), static_cast<QWidget*>(lbllj),
                       static_cast<QWidget*>(lblfull)})
        w->installEventFilter(this);
    lblfull->setCursor(Qt::PointingHandCursor);
    buildPopup();
    CreateFormThemedMenu(this);
    centreOnScreen();
}

void Tfrmxchy::buildPopup() {
    popxcy = new QMenu(this);
    popxcy->addAction(QStringLiteral("---【 工具按钮 】---"))->setEnabled(false);
    popxcy->addAction(QStringLiteral("重    播"), this, &Tfrmxchy::N7Click);
    popxcy->addAction(QStringLiteral("上一个"), this, &Tfrmxchy::N8Click);
    popxcy->addAction(QStringLiteral("下一个"), this, &Tfrmxchy::imgnextClick);
    popxcy->addAction(QStringLiteral("返    回"), this, &Tfrmxchy::imgfhClick);
    popxcy->addAction(QStringLiteral("---【 动画列表 】---"))->setEnabled(false);
    for (int i = 0; i < book_.count(); ++i)
        popxcy->addAction(book_.title(i), this, [this, i] { N45Click(i); });
    ShockwaveFlash1->setPopupMenu(popxcy);
}

bool Tfrmxchy::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblfull && event->type() == QEvent::Enter) {
        imgfull2->show();
        imgfull1->hide();
    } else if (watched == lblfull && event->type() == QEvent::Leave) {
        imgfull1->show();
        imgfull2->hide();
    } else if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == txttopic)
            imgjieshiClick();
        else if (watched == lbllj)
            imglijuClick();
        else if (watched == lblfull)
            lblfullClick();
    }
    return TActivityForm::eventFilter(watched, event);
}

void Tfrmxchy::FormShow() {
    pnlmain->hide();
    for (QWidget* w : {imgstop, imgstop1, imgstop2, imgstop3})
        w->hide();
    imgpre->show();
    chkauto->SetChecked(false);
    chkauto->show();
    btnpic->hide();
    pack_ = platform::ContentPack::load(QStringLiteral("cy"));
    if (book_.firstShow() && book_.select(0))
        lbmlClick();
    chkauto->SetChecked(true);
    for (QWidget* w : {imgfull1, imgfull2})
        w->hide();
}

TForm::CloseAction Tfrmxchy::FormClose() {
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    return CloseAction::Free;
}

void Tfrmxchy::setTexts() {
    lbml->SetItemIndex(book_.index());
    lbltopic->setText(book_.idiom());
    txttopic->setText(book_.explanationText());
    lbllj->setText(book_.exampleText());
    imgjieshi->setVisible(platform::dataPathExists(book_.files().explanation));
    imgliju->setVisible(platform::dataPathExists(book_.files().example));
}

void Tfrmxchy::loadPicture() {
    if (!picshow->loadFromFile(platform::dataPath(book_.files().picture)))
        picshow->clearPicture();
}

void Tfrmxchy::loadMovie() {
    chinese::playPackMovie(ShockwaveFlash1, pack_, book_.movie());
    lbml->setFocus();
}

// Shows the selected idiom: its card, or its movie while the movie is on screen.
void Tfrmxchy::lbmlClick() {
    book_.cardShown();
    setTexts();
    if (book_.view() != IdiomBook::View::Movie) {
        loadPicture();
        playSound(book_.files().speech, false);
    }
    if (book_.view() == IdiomBook::View::Movie)
        loadMovie();
    else if (chkauto->Checked()) {
        Timer1->setEnabled(false);
        Timer1->setEnabled(true);
    }
}

void Tfrmxchy::imgpreClick() {
    if (!book_.enterMovie())
        return;
    pnlmain->show();
    imgxiantiao->show();
    imgstop->show();
    imgstop3->show();
    imgstop1->hide();
    imgstop2->hide();
    imgpre->hide();
    imgpre1->hide();
    imgpre2->hide();
    const int listed = book_.indexOf(lbltopic->text());
    if (listed >= 0)
        book_.select(listed);
    stopSound();
    loadMovie();
    imgfull1->show();
    lblfull->show();
    lblfull->raise();
    imgfull2->hide();
}

void Tfrmxchy::Timer1Timer() {
    Timer1->setEnabled(false);
    imgpreClick();
}

void Tfrmxchy::imgstopClick() {
    book_.backToCard();
    pnlmain->hide();
    ShockwaveFlash1->Stop();
    for (QWidget* w : {static_cast<QWidget*>(imgxiantiao), static_cast<QWidget*>(imgstop),
                       static_cast<QWidget*>(imgstop1), static_cast<QWidget*>(imgstop2),
                       static_cast<QWidget*>(imgstop3), static_cast<QWidget*>(btnpic),
                       static_cast<QWidget*>(lblfull), static_cast<QWidget*>(imgfull1),
                       static_cast<QWidget*>(imgfull2)})
        w->hide();
    imgpre->show();
    loadPicture();
}

void Tfrmxchy::imgnextClick() {
    if (book_.next())
        lbmlClick();
}

// The previous idiom, shown whole as the next one is.
void Tfrmxchy::N8Click() {
    if (book_.previous())
        lbmlClick();
}

void Tfrmxchy::N7Click() {
    chinese::playPackMovie(ShockwaveFlash1, pack_, book_.movie());
}

void Tfrmxchy::N45Click(int idiom) {
    if (!book_.select(idiom))
        return;
    chinese::playPackMovie(ShockwaveFlash1, pack_, book_.movie());
    setTexts();
    loadPicture();
}

void Tfrmxchy::imgjieshiClick() {
    playSound(book_.files().explanation, false);
}

void Tfrmxchy::imglijuClick() {
    playSound(book_.files().example, false);
}

void Tfrmxchy::chkautoClick() {
    Timer2->setEnabled(true);
}

void Tfrmxchy::Timer2Timer() {
    Timer2->setEnabled(false);
    switch (IdiomBook::autoCheck(chkauto->Checked(), pnlmain->isHidden())) {
    case IdiomBook::AutoStart::Cancel:
        Timer1->setEnabled(false);
        break;
    case IdiomBook::AutoStart::Arm:
        Timer1->setEnabled(true);
        break;
    case IdiomBook::AutoStart::Keep:
        break;
    }
}

void Tfrmxchy::lblfullClick() {
    if (!book_.enterFullScreen(chkauto->Checked()))
        return;
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QRect screen = this->screen() ? this->screen()->geometry() : QRect(0, 0, 1280, 1024);
    setGeometry(screen);
    reframe(Qt::Window | Qt::FramelessWindowHint, true);
    pnlmain->setGeometry(0, 0, screen.width(), screen.height());
    ShockwaveFlash1->setGeometry(0, 0, screen.width(), screen.height());
    pnlmain->raise();
    ShockwaveFlash1->show();
    for (QWidget* w : {static_cast<QWidget*>(lblfull), static_cast<QWidget*>(imgfull1),
                       static_cast<QWidget*>(imgfull2), static_cast<QWidget*>(chkauto)})
        w->hide();
    btnpic->move(screen.width() - btnpic->width() - 11, 2);
    btnpic->show();
    btnpic->raise();
}

void Tfrmxchy::btnpicClick() {
    bool autoOn = false;
    if (!book_.leaveFullScreen(&autoOn))
        return;
    btnpic->hide();
    chkauto->show();
    reframe(frame::Single, false);
    setFixedSize(900, 675);
    centreOnScreen();
    pnlmain->setGeometry(52, 92, 614, 470);
    ShockwaveFlash1->setGeometry(0, 0, 614, 470);
    pnlmain->show();
    imgstop->show();
    imgstop3->show();
    chkauto->SetChecked(autoOn);
    imgxiantiao->move(46, 87);
    imgxiantiao->show();
    lblfull->show();
    lblfull->raise();
    imgfull1->show();
    imgfull2->hide();
}

void Tfrmxchy::imgfhClick() {
    close();
}

QStringList Tfrmxchy::dataPaths() {
    QStringList paths;
    IdiomBook book;
    for (int i = 0; i < book.count(); ++i) {
        book.select(i);
        const chinese::IdiomFiles f = book.files();
        paths << QStringLiteral("Data\\kjfile\\cy.dat#Flash/") + book.movie() << f.picture
              << f.speech << f.explanation << f.example;
    }
    return paths;
}
