#include "activities/language/UABCKeyboard.h"

#include "app/FormRegistry.h"
#include "app/ShellState.h"
#include "platform/ProgramDir.h"
#include "platform/SoundLibrary.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QScreen>

QPointer<TfrmABCKeyboard> frmABCKeyboard;
static RegisterForm<TfrmABCKeyboard> reg("TfrmABCKeyboard", frmABCKeyboard);

using language::KeyboardGame;

TfrmABCKeyboard::TfrmABCKeyboard(QWidget* parent)
    : TActivityForm(parent, Qt::Window | Qt::FramelessWindowHint), game_(platform::rng()) {
    setupUi(this);
    stopsMusic_ = false;
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("TfrmABCKeyboard { background: #000000; }"));
    setFocusPolicy(Qt::StrongFocus);
    for (QWidget* w : {static_cast<QWidget*>(btnreturn), static_cast<QWidget*>(rb1),
                       static_cast<QWidget*>(rb2), static_cast<QWidget*>(rb3)})
        w->setFocusPolicy(Qt::NoFocus);
    for (int k = 0; k < language::kFallerCount; ++k)
        labels_[size_t(k)] = findChild<QLabel*>(QStringLiteral("lbl%1").arg(k + 1));
    explosions_ = {flashword, flashword2, flashword3};
    QFile lose(QStringLiteral(":/flash/lose"));
    if (lose.open(QIODevice::ReadOnly)) {
        const QByteArray movie = lose.readAll();
        for (TTransparentFlashHostControl* player : explosions_) {
            QByteArray copy = movie;
            QBuffer stream(&copy);
            stream.open(QIODevice::ReadOnly);
            player->LoadMovieFromStream(0, stream);
        }
    }
    Timer1 = new TTimer(this, 38, false);
    connect(Timer1, &TTimer::OnTimer, this, &TfrmABCKeyboard::Timer1Timer);
    connect(btnreturn, &TFlatButton::OnClick, this, &TfrmABCKeyboard::btnreturnClick);
    const std::pair<TFlatRadioButton*, KeyboardGame::Speed> speeds[] = {
        {rb1, KeyboardGame::Speed::Slow},
        {rb2, KeyboardGame::Speed::Middle},
        {rb3, KeyboardGame::Speed::Fast}};
    for (auto [rb, speed] : speeds) {
        rb->SetColorBorder(clWhite);
        rb->SetColorDot(kChosen);
        connect(rb, &TFlatRadioButton::OnClick, this, [this, rb, speed] {
            if (rb->Checked())
                game_.setSpeed(speed);
            showSpeedChoice();
        });
    }
    if (const QScreen* s = QGuiApplication::primaryScreen())
        setGeometry(s->geometry());
    shell::soundLibraryFits();
    platform::soundLibrary().Init(-1, 44100, 0, nullptr, nullptr);
}

TfrmABCKeyboard::~TfrmABCKeyboard() {
    platform::soundLibrary().StreamFree(stream_);
}

void TfrmABCKeyboard::resizeEvent(QResizeEvent* e) {
    TActivityForm::resizeEvent(e);
    pnl_bottom->setGeometry(0, height() - 57, width(), 57);
    btnreturn->move(width() - btnreturn->width() - 25, btnreturn->y());
    // The speed choice and the counters stand left of the return button.
    int x = btnreturn->x() - 20;
    for (QWidget* w : {static_cast<QWidget*>(rb3), static_cast<QWidget*>(rb2),
                       static_cast<QWidget*>(rb1), static_cast<QWidget*>(Label4),
                       static_cast<QWidget*>(lblwrong), static_cast<QWidget*>(Label3),
                       static_cast<QWidget*>(lblright), static_cast<QWidget*>(Label2),
                       static_cast<QWidget*>(lbltotal), static_cast<QWidget*>(Label1)}) {
        x -= w->width();
        w->move(x, w->y());
    }
    lblstate->resize(std::max(200, x - lblstate->x() - 10), lblstate->height());
    fitStatus();
}

// The status stays on one line: its type shrinks where the line would not fit.
void TfrmABCKeyboard::fitStatus() {
    QFont f = lblstate->font();
    int px = kStatusPixels;
    f.setPixelSize(px);
    while (px > 10 && QFontMetrics(f).horizontalAdvance(lblstate->text()) > lblstate->width())
        f.setPixelSize(--px);
    lblstate->setFont(f);
}

// The chosen speed reads at a glance: its caption lights up, the others stay white.
void TfrmABCKeyboard::showSpeedChoice() {
    for (TFlatRadioButton* rb : {rb1, rb2, rb3})
        rb->SetFontColor(rb->Checked() ? kChosen : clWhite);
}

void TfrmABCKeyboard::showStatus(const QString& text) {
    lblstate->setText(text);
    fitStatus();
}

void TfrmABCKeyboard::FormShow() {
    showFullScreen();
    showStatus(KeyboardGame::startText());
    rb2->SetChecked(true);
    showSpeedChoice();
    platform::rng().randomize(); // once per game
    game_.start(width());
    showCounters();
    showStatus(KeyboardGame::startText());
    placeLabels();
    for (size_t i = 0; i < explosions_.size(); ++i) {
        explosions_[i]->hide();
        bursts_[i] = {};
    }
    Timer1->setInterval(38);
    Timer1->setEnabled(true);
    activateWindow();
    setFocus();
}

TForm::CloseAction TfrmABCKeyboard::FormClose() {
    platform::soundLibrary().StreamFree(stream_);
    stream_ = 0;
    Timer1->setEnabled(false);
    // The window that opened the game comes to the front again, also where it stayed
    // behind the full-screen game.
    if (QWidget* opener = openerOf(this)) {
        opener->show();
        opener->activateWindow();
    }
    return CloseAction::Hide;
}

void TfrmABCKeyboard::placeLabels() {
    for (int k = 0; k < language::kFallerCount; ++k) {
        const language::Faller& f = game_.fallers()[size_t(k)];
        QLabel* l = labels_[size_t(k)];
        if (l->text() != QString(f.ch))
            l->setText(QString(f.ch));
        l->move(f.left, f.top);
    }
}

void TfrmABCKeyboard::showCounters() {
    lbltotal->setText(QString::number(game_.total()));
    lblright->setText(QString::number(game_.right()));
    lblwrong->setText(QString::number(game_.missed()));
}

void TfrmABCKeyboard::Timer1Timer() {
    if (game_.tick(pnl_bottom->y())) {
        showCounters();
        showStatus(game_.statusText());
    }
    placeLabels();
    // An explosion that has played to its end leaves the screen.
    for (size_t i = 0; i < explosions_.size(); ++i)
        if (!bursts_[i].tick(explosions_[i]->IsPlaying()))
            explosions_[i]->hide();
}

void TfrmABCKeyboard::keyPressEvent(QKeyEvent* e) {
    if (!e->text().isEmpty())
        FormKeyPress(e->text().at(0));
}

void TfrmABCKeyboard::FormKeyPress(QChar key) {
    const KeyboardGame::KeyResult r = game_.key(key);
    if (r.kind == KeyboardGame::Key::Ignored)
        return;
    if (r.kind == KeyboardGame::Key::Hit) {
        // A player counts as playing from the hit on, before its movie reports it.
        auto busy = [this](size_t i) { return bursts_[i].shown() || explosions_[i]->IsPlaying(); };
        const auto which = size_t(language::explosionPlayer(busy(0), busy(1)));
        TTransparentFlashHostControl* boom = explosions_[which];
        bursts_[which].start();
        boom->move(r.left, r.top);
        boom->show();
        boom->raise();
        boom->GotoFrame(0);
        boom->Play();
    }
    placeLabels();
    showCounters();
    showStatus(game_.statusText());
    playEffect(r.kind == KeyboardGame::Key::Hit ? QStringLiteral("ding.wav")
                                                : QStringLiteral("wrong.WAV"));
}

void TfrmABCKeyboard::playEffect(const QString& file) {
    auto& snd = platform::soundLibrary();
    snd.StreamFree(stream_);
    stream_ = snd.StreamCreateFile(platform::dataPath(QStringLiteral("Data\\bgsnd\\") + file), 0);
    snd.ChannelPlay(stream_, false);
}

void TfrmABCKeyboard::btnreturnClick() {
    close();
}

QStringList TfrmABCKeyboard::dataPaths() {
    return {QStringLiteral("Data\\bgsnd\\ding.wav"), QStringLiteral("Data\\bgsnd\\wrong.WAV")};
}
