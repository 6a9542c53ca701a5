#include "activities/language/UABCGame.h"

#include "app/FormRegistry.h"
#include "app/ShellState.h"

QPointer<Tfrmabcgame> frmabcgame;
static RegisterForm<Tfrmabcgame> reg("Tfrmabcgame", frmabcgame);

Tfrmabcgame::Tfrmabcgame(QWidget* parent) : TFallingQuizForm(language::letterGameLayout(), parent) {
    setupUi(this);
    // Music stops at showing and is left to the letters window on close.
    stopsMusic_ = false;
    bindQuiz({lbla, lblb, lblc, lbld}, {imga, imgb, imgc, imgd}, QStringLiteral("ABC游戏说明！"));
    connect(imgread, &TImage::OnMouseMove, imgread1, &QWidget::show);
    connect(imgbg, &TImage::OnMouseMove, this, [this] {
        imgread1->hide();
        imgstop1->hide();
    });
}

void Tfrmabcgame::FormShow() {
    shell::pauseMusicForActivity();
    resetQuiz();
}

void Tfrmabcgame::setItemText(int item, const QString& text) {
    std::array<TClickLabel*, 4>{lbla, lblb, lblc, lbld}[static_cast<size_t>(item)]->setText(text);
}

QString Tfrmabcgame::promptSound() const {
    return language::soundPath(entryText(quiz().answerEntry()));
}

TForm::CloseAction Tfrmabcgame::FormClose() {
    stopQuiz();
    return CloseAction::Hide;
}

QStringList Tfrmabcgame::dataPaths() {
    QStringList paths = language::judgementPaths();
    for (char c = 'A'; c <= 'Z'; ++c)
        paths << language::soundPath(QString(QLatin1Char(c)));
    return paths;
}
