#include "activities/math/UJJF.h"

#include "app/FormRegistry.h"
#include "platform/ProgramDir.h"

QPointer<Tfrmjjf> frmjjf;
static RegisterForm<Tfrmjjf> reg("Tfrmjjf", frmjjf);

Tfrmjjf::Tfrmjjf(QWidget* parent) : TArithDrillForm(parent) {
    setupUi(this);
    setFixedSize(900, 675);
    for (int i = 1; i <= 18; ++i)
        pics_ << findChild<TImage*>(QStringLiteral("pic%1").arg(i));
    bindDrill();
    connect(imggame, &TImage::OnClick, this, &Tfrmjjf::imggameClick);
}

int Tfrmjjf::range() const {
    if (rb1->Checked())
        return 10;
    if (rb2->Checked())
        return 20;
    return 100;
}

void Tfrmjjf::NewQuestion() {
    platform::rng().randomize();
    lblkey->hide();
    current_ = math::makeAddSubQuestion(platform::rng(), range());
    const int top = current_.pictureMode ? 144 : 176;
    lbltopic->move(lbltopic->x(), top);
    lblkey->move(lblkey->x(), top);
    bevtop->setVisible(current_.pictureMode);
    lblpic->setVisible(current_.pictureMode);
    for (TImage* p : pics_)
        p->hide();
    if (current_.pictureMode)
        showPictures(current_);
    showQuestion(current_.q);
}

void Tfrmjjf::showPictures(const math::AddSubQuestion& s) {
    QPixmap picture;
    picture.load(platform::dataPath(math::countingPicturePath(s.picture)));
    for (TImage* p : pics_)
        p->setPicture(picture);
    lblpic->setText(math::operatorSign(s.subtract));
    const math::PictureRowSize size = math::pictureRowSize(s.a + s.b);
    QFont f = lblpic->font();
    f.setPointSize(size.point);
    lblpic->setFont(f);
    for (TImage* p : pics_)
        p->resize(size.side, size.side);
    TImage* first = pics_[0];
    first->move(115, first->y());
    first->show();
    lblpic->setGeometry(0, first->y(), size.side, size.side);
    for (int i = 2; i <= s.a; ++i) {
        pics_[i - 1]->move(pics_[i - 2]->x() + size.side, first->y());
        pics_[i - 1]->show();
    }
    lblpic->move(pics_[s.a - 1]->x() + size.side, first->y());
    pics_[s.a]->move(lblpic->x() + lblpic->width(), first->y());
    pics_[s.a]->show();
    for (int i = s.a + 2; i <= s.a + s.b; ++i) {
        pics_[i - 1]->move(pics_[i - 2]->x() + size.side, first->y());
        pics_[i - 1]->show();
    }
}

void Tfrmjjf::imggameClick() {
    openLazy(QStringLiteral("Tfrmnumgame"));
}

QStringList Tfrmjjf::dataPaths() {
    QStringList paths = {QStringLiteral("DATA\\bgsnd\\right.WAV"),
                         QStringLiteral("DATA\\bgsnd\\wrong.WAV")};
    for (int n = 1; n <= 8; ++n)
        paths << math::countingPicturePath(n);
    return paths;
}
