#include "activities/chinese/Uszj.h"

#include "activities/chinese/PackMovie.h"
#include "app/FormRegistry.h"
#include "platform/ContentPack.h"

QPointer<Tfrmszj> frmszj;
static RegisterForm<Tfrmszj> reg("Tfrmszj", frmszj);

Tfrmszj::Tfrmszj(QWidget* parent) : TActivityForm(parent) {
    setupUi(this);
    setFixedSize(900, 675);
    wirePictureButtons();
    // The section buttons show their hover look themselves: their names ("img1",
    // "img11") leave no room for companion pictures.
    for (int n = 1; n <= chinese::kClassicSections; ++n) {
        auto* b = findChild<TImage*>(QStringLiteral("img%1").arg(n));
        connect(b, &TImage::OnClick, this, [this, n] { img1Click(n); });
        const QString rest = QStringLiteral(":/chinese/szj/section%1.png").arg(n);
        connect(b, &TImage::OnMouseEnter, b,
                [b, rest] { b->setPicture(QPixmap(QString(rest).replace(".png", "hover.png"))); });
        connect(b, &TImage::OnMouseLeave, b, [b, rest] { b->setPicture(QPixmap(rest)); });
        connect(b, &TImage::OnMouseDown, this, [] { playClick(); });
    }
    connect(imgexit, &TImage::OnClick, this, &Tfrmszj::imgexitClick);
    pack_ = platform::ContentPack::load(QStringLiteral("SZJ"));
    centreOnScreen();
}

void Tfrmszj::FormShow() {
    img1Click(1);
}

void Tfrmszj::img1Click(int section) {
    if (sections_.play(section))
        chinese::playPackMovie(ShockwaveFlash1, pack_, sections_.movie());
}

void Tfrmszj::imgexitClick() {
    close();
}

QStringList Tfrmszj::dataPaths() {
    QStringList paths;
    chinese::ClassicSections s;
    for (int n = 1; n <= chinese::kClassicSections; ++n) {
        s.play(n);
        paths << QStringLiteral("Data\\kjfile\\SZJ.dat#Flash/") + s.movie();
    }
    return paths;
}
