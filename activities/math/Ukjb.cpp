#include "activities/math/Ukjb.h"

#include "app/ActivitySound.h"
#include "app/FormRegistry.h"
#include "platform/ProgramDir.h"
#include "platform/Random.h"
#include "widgets/FlatButtons.h"

int KjbFromMenu = 0;

QPointer<Tfrmkjb> frmkjb;
static RegisterForm<Tfrmkjb> reg("Tfrmkjb", frmkjb);

Tfrmkjb::Tfrmkjb(QWidget* parent) : TActivityForm(parent) {
    setupUi(this);
    setFixedSize(900, 675);
    stopsMusic_ = false;
    // The menu comes back only when the menu opened the tables (see FormClose).
    returnsToOpener_ = false;
    Timer1 = new TTimer(this, 1500, false);
    connect(Timer1, &TTimer::OnTimer, this, &Tfrmkjb::Timer1Timer);

    for (const math::RhymeCell& c : math::additionTable())
        for (TFlatButton* b : pnljf->findChildren<TFlatButton*>())
            if (b->Caption() == c.caption)
                jfButtons_ << b;
    for (const math::RhymeCell& c : math::multiplicationTable())
        for (TFlatButton* b : pnlcf->findChildren<TFlatButton*>())
            if (b->Caption() == c.caption)
                cfButtons_ << b;
    for (TFlatButton* b : jfButtons_)
        connect(b, &TFlatButton::OnClick, this, [this, b] { FlatButton9Click(b); });
    for (TFlatButton* b : cfButtons_)
        connect(b, &TFlatButton::OnClick, this, [this, b] { FlatButton90Click(b); });
    for (int i = 1; i <= 10; ++i)
        smalls_ << findChild<TImage*>(QStringLiteral("imgsmall%1").arg(i));
    parts_ = {lbl1, lbl2, lbl3, lbl4, lbl5};

    wirePictureButtons();
    connect(imgjf, &TImage::OnClick, this, &Tfrmkjb::imgjfClick);
    connect(imgcf, &TImage::OnClick, this, &Tfrmkjb::imgcfClick);
    connect(imgys, &TImage::OnClick, this, &Tfrmkjb::imgysClick);
    connect(imgfh, &TImage::OnClick, this, &Tfrmkjb::imgfhClick);
}

void Tfrmkjb::hideLine() {
    for (TImage* s : smalls_)
        s->hide();
    for (QLabel* l : parts_)
        l->hide();
    shp1->hide();
    shp2->hide();
    shpshow->hide();
}

void Tfrmkjb::FormShow() {
    hideLine();
    shpcf->hide();
    lblcf->hide();
}

TForm::CloseAction Tfrmkjb::FormClose() {
    Timer1->setEnabled(false);
    stopSound();
    if (KjbFromMenu == 1) {
        KjbFromMenu = 0;
        returnToOpener(this);
    }
    return CloseAction::Hide;
}

void Tfrmkjb::speak(const QString& token) {
    if (!token.isEmpty())
        playSound(math::rhymeSoundPath(token), true);
}

void Tfrmkjb::placePictures(int step) {
    const QList<int> lefts = line_->pictureLefts(step);
    for (int i = 0; i < lefts.size() && i < smalls_.size(); ++i) {
        smalls_[i]->move(lefts[i], smalls_[i]->y());
        smalls_[i]->show();
    }
}

void Tfrmkjb::FlatButton9Click(TFlatButton* line) {
    QPixmap picture;
    picture.load(platform::dataPath(QStringLiteral("Data\\sound\\Number\\") +
                                    QString::number(platform::rng().random(1, 9)) +
                                    QStringLiteral(".jpg")));
    for (TImage* s : smalls_)
        s->setPicture(picture);
    line_.emplace(line->Caption());
    hideLine();
    step_ = 1;
    speak(line_->spokenToken(1));
    smalls_.back()->move(math::kSmallLastLeft, smalls_.back()->y());
    lbl1->setText(line_->tokens()[0]);
    lbl1->show();
    placePictures(1);
    Timer1->setEnabled(true);
}

void Tfrmkjb::Timer1Timer() {
    ++step_;
    if (step_ >= 6 || !line_) {
        Timer1->setEnabled(false);
        return;
    }
    const bool acted = pnlcf->isHidden();
    if (step_ == 3 && acted)
        placePictures(3);
    if (step_ == 5 && acted) {
        placePictures(5);
        const auto [left1, width1] = line_->firstFrame();
        const auto [left2, width2] = line_->secondFrame();
        shp1->setGeometry(left1, shp1->y(), width1, shp1->height());
        shp2->setGeometry(left2, shp2->y(), width2, shp2->height());
        shp1->show();
        shp2->show();
    }
    if (step_ != 5 || acted)
        speak(line_->spokenToken(step_));
    if (acted) {
        QLabel* part = parts_[step_ - 1];
        part->setText(line_->tokens()[step_ - 1]);
        part->show();
        if (step_ == 5)
            shpshow->show();
    }
}

void Tfrmkjb::FlatButton90Click(TFlatButton* line) {
    Timer1->setEnabled(false);
    stopSound();
    shpshow->hide();
    lblcf->setText(line->Caption());
    shpcf->show();
    lblcf->show();
    lblcf->raise();
    playSound(math::rhymeSoundPath(line->Caption()), true);
}

void Tfrmkjb::imgjfClick() {
    stopSound();
    pnljf->show();
    pnlcf->hide();
}

void Tfrmkjb::imgcfClick() {
    Timer1->setEnabled(false);
    stopSound();
    hideLine();
    shpcf->hide();
    lblcf->hide();
    pnljf->hide();
    pnlcf->show();
}

void Tfrmkjb::imgysClick() {
    Timer1->setEnabled(false);
    hideLine();
    shpcf->hide();
    lblcf->hide();
    playSound(math::rhymeSoundPath(pnlcf->isHidden() ? QStringLiteral("jf") : QStringLiteral("cf")),
              true);
}

void Tfrmkjb::imgfhClick() {
    close();
}

QStringList Tfrmkjb::dataPaths() {
    QStringList paths = {math::rhymeSoundPath(QStringLiteral("jf")),
                         math::rhymeSoundPath(QStringLiteral("cf"))};
    for (const math::RhymeCell& cell : math::additionTable())
        for (const QString& token : math::additionTokens(cell.caption))
            paths << math::rhymeSoundPath(token);
    for (const math::RhymeCell& cell : math::multiplicationTable())
        paths << math::rhymeSoundPath(cell.caption);
    for (int n = 1; n < 9; ++n)
        paths << QStringLiteral("Data\\sound\\Number\\%1.jpg").arg(n);
    paths.removeDuplicates();
    return paths;
}
