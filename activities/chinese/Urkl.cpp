#include "activities/chinese/Urkl.h"

#include "app/FormRegistry.h"
#include "platform/MessageService.h"

QPointer<Tfrmrkl> frmrkl;
static RegisterForm<Tfrmrkl> reg("Tfrmrkl", frmrkl);

using chinese::TwisterReader;

Tfrmrkl::Tfrmrkl(QWidget* parent) : TActivityForm(parent) {
    setupUi(this);
    setFixedSize(800, 600);
    stopsMusic_ = false;
    for (int i = 0; i < reader_.count(); ++i)
        cmbnumber->Items().Add(chinese::twisterTable()[i].value(0));
    wirePictureButtons();
    // The list's click, which the keys that move its row send as well.
    connect(cmbnumber, &TIListControl::OnClick, this, &Tfrmrkl::cmbnumberClick);
    connect(imgpre, &TImage::OnClick, this, &Tfrmrkl::imgpreClick);
    connect(imgnext, &TImage::OnClick, this, &Tfrmrkl::imgnextClick);
    connect(imgfh, &TImage::OnClick, this, &Tfrmrkl::imgfhClick);
    centreOnScreen();
}

void Tfrmrkl::FormShow() {
    reader_.reset();
    cmbnumber->SetItemIndex(-1);
    const chinese::Twister intro = chinese::twisterIntroduction();
    lbltopic->setText(intro.title);
    showText(intro.text);
}

void Tfrmrkl::showTwister() {
    cmbnumber->SetItemIndex(reader_.index());
    lbltopic->setText(reader_.title());
    showText(chinese::screenText(reader_.text()));
}

// Long texts (the introduction) in a smaller size, so that they fit the board.
void Tfrmrkl::showText(const QString& text) {
    txttopic->setStyleSheet(
        QStringLiteral("color: #1f2937; font-family: \"微软雅黑\"; font-size: %1px;")
            .arg(text.size() > 150 ? 20 : 26));
    txttopic->setText(text);
}

void Tfrmrkl::cmbnumberClick() {
    if (reader_.select(cmbnumber->ItemIndex()))
        showTwister();
}

void Tfrmrkl::imgnextClick() {
    if (reader_.next() == TwisterReader::Paging::AtLast)
        platform::showMessage(this, TwisterReader::lastMessage(), TwisterReader::caption(),
                              platform::MB_ICONINFORMATION);
    else
        showTwister();
}

void Tfrmrkl::imgpreClick() {
    if (reader_.previous() == TwisterReader::Paging::AtFirst)
        platform::showMessage(this, TwisterReader::firstMessage(), TwisterReader::caption(),
                              platform::MB_ICONINFORMATION);
    else
        showTwister();
}

void Tfrmrkl::imgfhClick() {
    close();
}
