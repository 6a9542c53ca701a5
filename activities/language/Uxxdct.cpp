#include "activities/language/Uxxdct.h"

#include "app/FormRegistry.h"
#include "app/ShellState.h"
#include "platform/ContentPack.h"

#include <QBuffer>
#include <QFontMetrics>

QPointer<Tfrmxxdct> frmxxdct;
static RegisterForm<Tfrmxxdct> reg("Tfrmxxdct", frmxxdct);

Tfrmxxdct::Tfrmxxdct(QWidget* parent) : TLanguageForm(parent) {
    setupUi(this);
    setFixedSize(900, 675);
    QFont chinese = lblchinese->font();
    chinese.setFamilies({QStringLiteral("楷体_GB2312"), QStringLiteral("Noto Serif CJK SC")});
    lblchinese->setFont(chinese);
    // The close decides about the music and the menu (not after a handover).
    stopsMusic_ = false;
    returnsToOpener_ = false;
    wirePictureButtons();
    connect(LSBList, &TFlatControl::OnClick, this, &Tfrmxxdct::LSBListClick);
    connect(imgpre, &TImage::OnClick, this, &Tfrmxxdct::imgpreClick);
    connect(imgnext, &TImage::OnClick, this, &Tfrmxxdct::imgnextClick);
    connect(imglx, &TImage::OnClick, this, &Tfrmxxdct::imglxClick);
    connect(imgauto, &TImage::OnClick, this, &Tfrmxxdct::imgautoClick);
    connect(imgclose, &TImage::OnClick, this, &QWidget::close);
    connect(cmbcontent, &TFlatComboBox::OnChange, this, [this] {
        browser_.showGroup(cmbcontent->currentIndex());
        fillList();
    });
}

void Tfrmxxdct::FormShow() {
    cmbcontent->setCurrentIndex(0);
    pack_ = platform::ContentPack::load(QStringLiteral("Fword"));
    shell::pauseMusicForActivity();
    browser_.showGroup(0);
    fillList();
}

void Tfrmxxdct::fillList() {
    LSBList->Items().Clear();
    for (const language::WordMeaning& w : language::groupWords(browser_.group()))
        LSBList->Items().Add(QString::fromUtf8(w.word));
    LSBList->SetItemIndex(browser_.index());
    if (browser_.index() >= 0) {
        LSBListClick();
        return;
    }
    // Nothing to show: no word of another group stays behind.
    lblenglish->clear();
    lblchinese->clear();
    lblchinese->setProperty("Hint", QString());
    clearMovie();
}

namespace {
// The label's type at `pixels`, or smaller where its text would run past the label.
void fitCaption(QLabel* label, int pixels) {
    QFont f = label->font();
    f.setPixelSize(pixels);
    const int room = label->contentsRect().width() - 8; // clear of what stands beside it
    while (pixels > 12 && QFontMetrics(f).horizontalAdvance(label->text()) > room)
        f.setPixelSize(--pixels);
    label->setFont(f);
}
} // namespace

void Tfrmxxdct::showCaptions() {
    lblenglish->setText(browser_.word());
    lblchinese->setText(browser_.meaningCaption());
    fitCaption(lblenglish, kEnglishPixels);
    fitCaption(lblchinese, kChinesePixels);
}

void Tfrmxxdct::LSBListClick() {
    if (!browser_.select(LSBList->ItemIndex()))
        return;
    showCaptions();
    lblchinese->setProperty("Hint", browser_.meaning());
    showMovie(browser_.word());
}

void Tfrmxxdct::clearMovie() {
    ShockwaveFlash1->Stop();
    ShockwaveFlash1->LoadMovie(0, QString());
}

void Tfrmxxdct::showMovie(const QString& word) {
    // A word without a movie leaves the player empty; the word and its meaning stay shown.
    QByteArray movie;
    if (pack_ && pack_->isValid() && pack_->contains(word, QStringLiteral("Flash")))
        movie = pack_->read(word, QStringLiteral("Flash"));
    if (movie.isEmpty()) {
        clearMovie();
        return;
    }
    QBuffer stream(&movie);
    stream.open(QIODevice::ReadOnly);
    ShockwaveFlash1->LoadMovieFromStream(0, stream);
}

void Tfrmxxdct::imgpreClick() {
    if (browser_.prior()) {
        LSBList->SetItemIndex(browser_.index());
        LSBListClick();
    }
}

void Tfrmxxdct::imgnextClick() {
    if (browser_.next()) {
        LSBList->SetItemIndex(browser_.index());
        LSBListClick();
    }
}

void Tfrmxxdct::imglxClick() {
    openLazy(QStringLiteral("TfrmEngLishZHLX"), setDeclared("Hint", QStringLiteral("word")));
    browser_.handOver(language::WordBrowser::Handover::Quiz);
    setHint(QStringLiteral("word"));
    close();
}

void Tfrmxxdct::imgautoClick() {
    ShockwaveFlash1->Stop();
    openLazy(QStringLiteral("Tfrmddp"), invoke("openedFromWordBrowser"));
    browser_.handOver(language::WordBrowser::Handover::PairGame);
    setHint(QStringLiteral("word"));
    close();
}

TForm::CloseAction Tfrmxxdct::FormClose() {
    ShockwaveFlash1->Stop();
    if (browser_.closeReturnsToMenu()) {
        shell::resumeMusicAfterActivity();
        recentreEnglishMenu();
    }
    return CloseAction::Free;
}

QStringList Tfrmxxdct::dataPaths() {
    QStringList paths;
    for (int g = 0; g < language::letterGroups().size(); ++g)
        for (const language::WordMeaning& w : language::groupWords(g))
            paths << packItemPath(QStringLiteral("Fword"), QStringLiteral("Flash"),
                                  QString::fromUtf8(w.word));
    return paths;
}
