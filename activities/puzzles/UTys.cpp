#include "activities/puzzles/UTys.h"

#include "activities/puzzles/PuzzleDialogs.h"
#include "app/FormRegistry.h"
#include "platform/ContentPack.h"

#include <QBuffer>
#include <QLabel>
#include <QMouseEvent>

QPointer<Tfrmtys> frmtys;
static RegisterForm<Tfrmtys> reg("Tfrmtys", frmtys);

namespace {
const QColor kPlain(0, 0, 255);
} // namespace

Tfrmtys::Tfrmtys(QWidget* parent) : TActivityForm(parent, Qt::Window | puzzles::kSystemMenuFrame) {
    setupUi(this);
    setFixedSize(900, 675);
    setAttribute(Qt::WA_DeleteOnClose);
    ShockwaveFlash1->setLoop(true);
    ShockwaveFlash1->setScaleMode(0);
    ShockwaveFlash1->setQuality(1);
    wirePictureButtons();
    connect(imgpre, &TImage::OnClick, this, &Tfrmtys::imgpreClick);
    connect(imgnext, &TImage::OnClick, this, &Tfrmtys::imgnextClick);
    connect(imgfh, &TImage::OnClick, this, &QWidget::close);
    connect(imgml, &TImage::OnMouseMove, pnlml, &QWidget::show);
    // A press, too: a finger on a touch screen comes without a hover.
    connect(imgml, &TImage::OnMouseDown, pnlml, &QWidget::show);
    connect(imgbg, &TImage::OnClick, pnlml, &QWidget::hide);
    for (TImage* b : {imgfh, imgpre, imgnext})
        connect(b, &TImage::OnMouseDown, pnlml, &QWidget::hide);
    for (size_t i = 0; i < titles_.size(); ++i) {
        const puzzles::ColouringTitle& t = puzzles::kColouringTitles[i];
        QLabel* l = titles_[i] = child<QLabel>(("Label" + QByteArray::number(t.label)).constData());
        l->setProperty("Tag", t.movie);
        l->installEventFilter(this);
        setLook(l, false, kPlain);
    }
}

QLabel* Tfrmtys::title(int label) const {
    for (size_t i = 0; i < titles_.size(); ++i)
        if (puzzles::kColouringTitles[i].label == label)
            return titles_[i];
    return nullptr;
}

void Tfrmtys::FormShow() {
    pack_ = platform::ContentPack::load(QStringLiteral("Tys"));
    int movies = 0;
    while (pack_->contains(puzzles::ColouringNavigator::resourceName(movies + 1),
                           QStringLiteral("Flash")))
        ++movies;
    nav_ = puzzles::ColouringNavigator(movies);
    // All titles look alike, as their shared handlers make them; only the pointer tells
    // a title with a movie from one without.
    for (QLabel* t : titles_)
        if (nav_.canChoose(t->property("Tag").toInt()))
            t->setCursor(Qt::PointingHandCursor);
        else
            t->unsetCursor();
    play(1);
}

void Tfrmtys::play(int movie) {
    QByteArray bytes =
        pack_->read(puzzles::ColouringNavigator::resourceName(movie), QStringLiteral("Flash"));
    QBuffer stream(&bytes);
    stream.open(QIODevice::ReadOnly);
    ShockwaveFlash1->LoadMovieFromStream(0, stream);
    ShockwaveFlash1->SetFocus();
}

void Tfrmtys::Label9Click(QLabel* t) {
    if (!nav_.choose(t->property("Tag").toInt()))
        return;
    play(nav_.current());
    setLook(t, false, kPlain);
    pnlml->hide();
}

void Tfrmtys::imgpreClick() {
    if (nav_.previous())
        play(nav_.current());
}

void Tfrmtys::imgnextClick() {
    if (nav_.next())
        play(nav_.current());
}

void Tfrmtys::setLook(QLabel* t, bool underline, const QColor& colour) {
    QFont f = t->font();
    f.setUnderline(underline);
    t->setFont(f);
    t->setStyleSheet(QStringLiteral("color: %1;").arg(colour.name()));
}

bool Tfrmtys::eventFilter(QObject* watched, QEvent* event) {
    auto* t = qobject_cast<QLabel*>(watched);
    if (!t || t->parent() != pnlml)
        return TActivityForm::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Enter:
        setLook(t, true, QColor(255, 0, 0));
        break;
    case QEvent::Leave:
        setLook(t, false, kPlain);
        break;
    case QEvent::MouseButtonPress:
        setLook(t, true, QColor(128, 0, 0));
        t->move(t->pos() + QPoint(2, 2));
        break;
    case QEvent::MouseButtonRelease: {
        t->move(t->pos() - QPoint(2, 2));
        const auto* m = static_cast<QMouseEvent*>(event);
        if (m->button() == Qt::LeftButton && t->rect().contains(m->position().toPoint()))
            Label9Click(t);
        break;
    }
    default:
        break;
    }
    return false;
}

TForm::CloseAction Tfrmtys::FormClose() {
    return CloseAction::Free;
}

QStringList Tfrmtys::dataPaths() {
    QStringList paths;
    for (int n = 1; n <= 4; ++n)
        paths << packItemPath(QStringLiteral("Tys"), QStringLiteral("Flash"),
                              puzzles::ColouringNavigator::resourceName(n));
    return paths;
}
