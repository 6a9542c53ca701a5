#include "activities/chinese/UJzw.h"

#include "app/FormRegistry.h"
#include "platform/MessageService.h"

#include <QFontMetrics>

QPointer<Tfrmjzw> frmjzw;
static RegisterForm<Tfrmjzw> reg("Tfrmjzw", frmjzw);

using chinese::Collection;
using chinese::RiddleBrowser;

Tfrmjzw::Tfrmjzw(QWidget* parent) : TActivityForm(parent) {
    setupUi(this);
    setFixedSize(800, 600);
    stopsMusic_ = false;
    for (QWidget* cover : {static_cast<QWidget*>(imgjzw1), static_cast<QWidget*>(imgcmy1),
                           static_cast<QWidget*>(imgxhy1), static_cast<QWidget*>(imganswer1)})
        cover->setAttribute(Qt::WA_TransparentForMouseEvents);
    wirePictureButtons();
    connect(imgjzw, &TImage::OnClick, this, [this] { categoryClick(Collection::Teasers); });
    connect(imgcmy, &TImage::OnClick, this, [this] { categoryClick(Collection::Riddles); });
    connect(imgxhy, &TImage::OnClick, this, [this] { categoryClick(Collection::Sayings); });
    connect(cmbnumber, &TFlatComboBox::OnChange, this, &Tfrmjzw::cmbnumberChange);
    connect(imgkey, &TImage::OnClick, this, &Tfrmjzw::imgkeyClick);
    connect(imganswer, &TImage::OnClick, this, &Tfrmjzw::imganswerClick);
    connect(imgpre, &TImage::OnClick, this, &Tfrmjzw::imgpreClick);
    connect(imgnext, &TImage::OnClick, this, &Tfrmjzw::imgnextClick);
    connect(imgfh, &TImage::OnClick, this, &Tfrmjzw::imgfhClick);
    centreOnScreen();
}

void Tfrmjzw::selectBrainTeasers() {
    browser_.setCollection(Collection::Teasers);
    showCategory();
}

void Tfrmjzw::coverAnswer() {
    imgkey->show();
    imgkey3->show();
    imgkey1->hide();
    imgKeyOK->hide();
}

void Tfrmjzw::FormShow() {
    browser_.setAlwaysShow(false);
    imganswer1->hide();
    fillNumbers();
    browser_.select(0);
    showItem();
    lblkey->hide();
}

TForm::CloseAction Tfrmjzw::FormClose() {
    cmbnumber->clear();
    return CloseAction::Hide;
}

void Tfrmjzw::fillNumbers() {
    cmbnumber->clear();
    for (int n = 1; n <= browser_.count(); ++n)
        cmbnumber->AddItem(QString::number(n));
}

void Tfrmjzw::showCategory() {
    imgjzw1->setVisible(browser_.collection() == Collection::Teasers);
    imgcmy1->setVisible(browser_.collection() == Collection::Riddles);
    imgxhy1->setVisible(browser_.collection() == Collection::Sayings);
}

void Tfrmjzw::categoryClick(Collection c) {
    if (!browser_.setCollection(c))
        return;
    showCategory();
    fillNumbers();
    showItem();
}

void Tfrmjzw::cmbnumberChange() {
    browser_.select(cmbnumber->currentIndex());
    showItem();
}

void Tfrmjzw::showItem() {
    if (cmbnumber->currentIndex() != browser_.index())
        cmbnumber->setCurrentIndex(browser_.index());
    lblkey->setText(chinese::screenText(browser_.answer()));
    txttopic->setText(chinese::screenText(browser_.question()));
    txttopic->setAlignment(browser_.centred() ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    fitQuestion();
    showAnswerState();
}

// A centred question is a short one: it stays on its line (in smaller type where the full
// size would leave its last character alone on a line of its own). Long ones wrap.
void Tfrmjzw::fitQuestion() {
    QFont f = txttopic->font();
    int px = kQuestionPixels;
    f.setPixelSize(px);
    if (browser_.centred()) {
        const QStringList lines = txttopic->text().split(QLatin1Char('\n'));
        auto widest = [&] {
            int w = 0;
            for (const QString& line : lines)
                w = std::max(w, QFontMetrics(f).horizontalAdvance(line));
            return w;
        };
        while (px > 20 && widest() > txttopic->contentsRect().width())
            f.setPixelSize(--px);
    }
    txttopic->setFont(f);
}

void Tfrmjzw::showAnswerState() {
    const bool shown = browser_.answerShown();
    imgkey->setVisible(!shown);
    imgkey3->setVisible(!shown);
    imgkey1->hide();
    imgkey2->hide();
    imgKeyOK->setVisible(shown);
    lblkey->setVisible(shown);
}

void Tfrmjzw::imgkeyClick() {
    browser_.revealAnswer();
    showAnswerState();
}

void Tfrmjzw::imganswerClick() {
    browser_.toggleAlwaysShow();
    imganswer1->setVisible(browser_.alwaysShow());
    showAnswerState();
}

void Tfrmjzw::imgpreClick() {
    if (browser_.previous() == RiddleBrowser::Paging::AtFirst)
        platform::showMessage(this, RiddleBrowser::firstMessage(), RiddleBrowser::caption(),
                              platform::MB_ICONINFORMATION);
    else
        showItem();
}

void Tfrmjzw::imgnextClick() {
    if (browser_.next() == RiddleBrowser::Paging::AtLast)
        platform::showMessage(this, RiddleBrowser::lastMessage(), RiddleBrowser::caption(),
                              platform::MB_ICONINFORMATION);
    else
        showItem();
}

void Tfrmjzw::imgfhClick() {
    close();
}
