#include "activities/language/UABCKeyboard.h"

#include "app/FormRegistry.h"
#include "app/ShellState.h"
#include "platform/ProgramDir.h"
#include "platform/SoundLibrary.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
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
    speeds_ = {rb1, rb2, rb3};
    // A radio button draws its circle 3 px below its top and its caption from the top: in
    // type this size the words would hang below the circles. The buttons keep only their
    // circles; each word stands beside its circle, centred on it, and a click on it
    // chooses that speed as a click on the circle does.
    for (size_t i = 0; i < speeds_.size(); ++i) {
        auto* caption = new QLabel(speeds_[i]->Caption(), pnl_bottom);
        caption->setFont(speeds_[i]->font());
        caption->setAttribute(Qt::WA_TranslucentBackground);
        caption->setCursor(Qt::PointingHandCursor);
        caption->installEventFilter(this);
        caption->adjustSize();
        speedCaptions_[i] = caption;
        speeds_[i]->resize(speeds_[i]->IndicatorRect().right() + 3, speeds_[i]->height());
    }
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
    if (!speedCaptions_[0])
        return; // not built yet
    pnl_bottom->setGeometry(0, height() - 57, width(), 57);
    btnreturn->move(width() - btnreturn->width() - 25, btnreturn->y());
    // The speed choice and the counters stand left of the return button.
    int x = btnreturn->x() - 20;
    for (size_t i = speeds_.size(); i-- > 0;) {
        x -= speedCaptions_[i]->width() + 12;
        speedCaptions_[i]->move(x + 3, speedCaptions_[i]->y());
        x -= speeds_[i]->width();
        speeds_[i]->move(x, speeds_[i]->y());
    }
    for (QWidget* w : {static_cast<QWidget*>(Label4), static_cast<QWidget*>(lblwrong),
                       static_cast<QWidget*>(Label3), static_cast<QWidget*>(lblright),
                       static_cast<QWidget*>(Label2), static_cast<QWidget*>(lbltotal),
                       static_cast<QWidget*>(Label1)}) {
        x -= w->width();
        w->move(x, w->y());
    }
    placeSpeedCaptions();
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

// The middle of each word's ink on the middle of its circle. The ink is found in the word
// as drawn: its characters may come from a fallback face whose line is taller.
void TfrmABCKeyboard::placeSpeedCaptions() {
    for (size_t i = 0; i < speeds_.size(); ++i) {
        QLabel* caption = speedCaptions_[i];
        QImage drawn(caption->size(), QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        caption->render(&drawn, QPoint(), QRegion(), QWidget::DrawChildren);
        int top = -1, bottom = -1;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                if (qAlpha(drawn.pixel(x, y)) > 128) {
                    top = top < 0 ? y : top;
                    bottom = y;
                    break;
                }
        if (top < 0)
            continue;
        const QRect circle = speeds_[i]->IndicatorRect();
        const int circleMiddle2 = 2 * speeds_[i]->y() + circle.top() + circle.bottom();
        caption->move(caption->x(), (circleMiddle2 - top - bottom) / 2);
    }
}

bool TfrmABCKeyboard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        for (size_t i = 0; i < speeds_.size(); ++i)
            if (watched == speedCaptions_[i] && !speeds_[i]->Checked()) {
                speeds_[i]->SetChecked(true);
                return true;
            }
    return TActivityForm::eventFilter(watched, event);
}

// The chosen speed reads at a glance: its word lights up, the others stay white.
void TfrmABCKeyboard::showSpeedChoice() {
    for (size_t i = 0; i < speeds_.size(); ++i) {
        QPalette pal = speedCaptions_[i]->palette();
        pal.setColor(QPalette::WindowText, toQColor(speeds_[i]->Checked() ? kChosen : clWhite));
        speedCaptions_[i]->setPalette(pal);
    }
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
    // An explosion that has played to its end leaves the screen. Its player's own flag is
    // set at Play already: only the movie's report of playing counts as a start, so its
    // first report from the frame it was sent to does not end a burst that never drew.
    for (size_t i = 0; i < explosions_.size(); ++i)
        if (!bursts_[i].tick(explosions_[i]->MovieReportsPlaying()))
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
