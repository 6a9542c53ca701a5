#include "activities/language/UXYB.h"

#include "app/FormRegistry.h"
#include "platform/ContentPack.h"
#include "widgets/ThemedMenu.h"

#include <QBuffer>
#include <QMenu>
#include <QMouseEvent>
#include <QPainterPath>
#include <QRegion>

QPointer<Tfrmxyb> frmxyb;
static RegisterForm<Tfrmxyb> reg("Tfrmxyb", frmxyb);

namespace {
QList<QLabel*> groupLabels(QWidget* panel) {
    QList<QLabel*> labels;
    for (int k = 1; k <= 7; ++k)
        labels << panel->findChild<QLabel*>(QStringLiteral("Label%1").arg(k));
    return labels;
}

void setLook(QLabel* l, const char* colour, bool underline) {
    l->setStyleSheet(QStringLiteral("color: %1; font-family: \"微软雅黑\"; font-size: 16px; "
                                    "font-weight: bold; text-decoration: %2;")
                         .arg(QLatin1String(colour),
                              underline ? QStringLiteral("underline") : QStringLiteral("none")));
}
} // namespace

Tfrmxyb::Tfrmxyb(QWidget* parent) : TActivityForm(parent) {
    setupUi(this);
    setFixedSize(900, 675);
    stopsMusic_ = false;
    // The group list is a rounded card.
    QPainterPath rounded;
    rounded.addRoundedRect(QRectF(pnlml->rect()), 29, 29);
    pnlml->setMask(QRegion(rounded.toFillPolygon().toPolygon()));
    for (QLabel* l : groupLabels(pnlml)) {
        l->installEventFilter(this);
        l->setCursor(Qt::PointingHandCursor);
    }
    wirePictureButtons();
    connect(imyyy, &TImage::OnMouseMove, this, &Tfrmxyb::imyyyMouseMove);
    connect(imgml, &TImage::OnMouseMove, this, &Tfrmxyb::imgmlMouseMove);
    connect(imgbg, &TImage::OnClick, this, &Tfrmxyb::hideList);
    for (TImage* b : {imgfh, imgpre, imgnext}) {
        connect(b, &TImage::OnMouseMove, this, &Tfrmxyb::hideList);
        connect(b, &TImage::OnMouseDown, this, &Tfrmxyb::hideList);
    }
    connect(imgpre, &TImage::OnClick, this, &Tfrmxyb::imgpreClick);
    connect(imgnext, &TImage::OnClick, this, &Tfrmxyb::imgnextClick);
    connect(imgfh, &TImage::OnClick, this, &Tfrmxyb::imgfhClick);
    popyb = new QMenu(this);
    popyb->addAction(QStringLiteral("上一组"), this, &Tfrmxyb::imgpreClick);
    popyb->addAction(QStringLiteral("下一组"), this, &Tfrmxyb::imgnextClick);
    popyb->addAction(QStringLiteral("返    回"), this, &Tfrmxyb::imgfhClick);
    ShockwaveFlash1->setPopupMenu(popyb);
    CreateFormThemedMenu(this);
    centreOnScreen();
}

bool Tfrmxyb::eventFilter(QObject* watched, QEvent* event) {
    auto* l = qobject_cast<QLabel*>(watched);
    if (!l)
        return TActivityForm::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Enter:
        setLook(l, "#ff0000", true);
        break;
    case QEvent::Leave:
        setLook(l, "#000000", false);
        break;
    case QEvent::MouseButtonPress:
        setLook(l, "#800000", true);
        l->move(l->pos() + QPoint(2, 2));
        break;
    case QEvent::MouseButtonRelease:
        l->move(l->pos() - QPoint(2, 2));
        if (l->rect().contains(static_cast<QMouseEvent*>(event)->pos()))
            Label9Click(l);
        break;
    default:
        break;
    }
    return TActivityForm::eventFilter(watched, event);
}

void Tfrmxyb::FormShow() {
    pack_ = platform::ContentPack::load(QStringLiteral("ENG_XYB"));
    book_.reset();
    playGroup();
}

void Tfrmxyb::playGroup() {
    lbltitle->setText(book_.title());
    if (!pack_ || !pack_->contains(book_.movieName(), QStringLiteral("Flash")))
        return;
    QByteArray movie = pack_->read(book_.movieName(), QStringLiteral("Flash"));
    QBuffer stream(&movie);
    stream.open(QIODevice::ReadOnly);
    ShockwaveFlash1->LoadMovieFromStream(0, stream);
    ShockwaveFlash1->SetFocus();
}

void Tfrmxyb::hideList() {
    book_.closeList();
    pnlml->hide();
}

void Tfrmxyb::imyyyMouseMove() {
    book_.openVowels();
    pnlml->move(book_.listLeft(), pnlml->y());
    Label7->setVisible(book_.seventhShown());
    pnlml->show();
    pnlml->raise();
}

void Tfrmxyb::imgmlMouseMove() {
    book_.openConsonants();
    pnlml->move(book_.listLeft(), pnlml->y());
    Label7->setVisible(book_.seventhShown());
    pnlml->show();
    pnlml->raise();
}

void Tfrmxyb::Label9Click(QLabel* group) {
    if (book_.choose(group->property("Tag").toInt()))
        playGroup();
    pnlml->hide();
}

void Tfrmxyb::imgpreClick() {
    if (book_.previous())
        playGroup();
}

void Tfrmxyb::imgnextClick() {
    if (book_.next())
        playGroup();
}

void Tfrmxyb::imgfhClick() {
    close();
}

QStringList Tfrmxyb::dataPaths() {
    QStringList paths;
    for (int g = 1; g <= 7; ++g) {
        if (g <= 6)
            paths << QStringLiteral("Data\\kjfile\\ENG_XYB.dat#Flash/Y%1").arg(g);
        paths << QStringLiteral("Data\\kjfile\\ENG_XYB.dat#Flash/F%1").arg(g);
    }
    return paths;
}
