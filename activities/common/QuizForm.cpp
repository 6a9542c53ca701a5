#include "activities/common/QuizForm.h"

#include "app/ShellState.h"
#include "app/TCheckBox.h"
#include "app/TImage.h"
#include "app/TTimer.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "platform/Random.h"
#include "widgets/FlatButtons.h"
#include "widgets/TFlatPanelUnit.h"

#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <stdexcept>

namespace {

constexpr int kRightPause = 1000;
constexpr int kWrongPause = 4000;
// The caption of the error boxes the program shows for failures it cannot mend.
constexpr const char* kErrorCaption = "Pelumo";

QString pictureFile(const QString& name) {
    return QStringLiteral("data\\picture\\zhlx\\") + name;
}

QString picturePath(const QString& name) {
    return platform::dataPath(pictureFile(name));
}

} // namespace

TQuizForm::TQuizForm(Settings settings, QWidget* parent)
    : TActivityForm(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowCloseButtonHint),
      settings_(std::move(settings)) {
    // The quizzes leave the background music as it is.
    stopsMusic_ = false;
    Timer1 = new TTimer(this, kRightPause, false);
    connect(Timer1, &TTimer::OnTimer, this, [this] { Timer1Timer(); });
}

void TQuizForm::bindControls() {
    setFixedSize(900, 675);
    lbltopic = child<QLabel>("lbltopic");
    lbltotal = child<QLabel>("lbltotal");
    lblright = child<QLabel>("lblright");
    lblwrong = child<QLabel>("lblwrong");
    pnlabcd = child<TFlatPanel>("pnlabcd");
    picabcd = child<TImage>("picabcd");
    pnlpicmany = child<TFlatPanel>("pnlpicmany");
    bevmove = child<QFrame>("bevmove");
    imgjudge = child<TImage>("imgjudge");
    imgjudge1 = child<TImage>("imgjudge1");
    imgjudge2 = child<TImage>("imgjudge2");
    imgjudge3 = child<TImage>("imgjudge3");
    imgfh = child<TImage>("imgfh");
    imgright = child<TImage>("imgright");
    imgwrong = child<TImage>("imgwrong");
    imgnext = findChild<TImage*>(QStringLiteral("imgnext"));
    if (settings_.plainTextPanel) {
        pnlNoPic = child<TFlatPanel>("pnlNoPic");
        lblBotTopic = child<QLabel>("lblBotTopic");
    }

    const char* letters[] = {"a", "b", "c", "d"};
    for (int i = 0; i < 4; ++i) {
        btn[i] = child<TFlatButton>(QByteArray("btn" + QByteArray::number(i + 1)).constData());
        if (settings_.plainTextPanel)
            btnPlain[i] = child<TFlatButton>(QByteArray("btn").append(letters[i]).constData());
    }
    for (TFlatButton* b : btn)
        connect(b, &TFlatButton::OnClick, this, [this, b] { btn1Click(b); });
    for (TFlatButton* b : btnPlain)
        if (b)
            connect(b, &TFlatButton::OnClick, this, [this, b] { btn1Click(b); });
    for (int i = 0; i < 6; ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        imgmany[i] = child<TImage>(QByteArray("imgmany" + n).constData());
        chk[i] = child<TCheckBox>(QByteArray("chk" + n).constData());
        TImage* img = imgmany[i];
        img->setCursor(Qt::PointingHandCursor);
        connect(img, &TImage::OnClick, this, [this, i] { imgmanyClick(i + 1); });
        connect(img, &TImage::OnMouseMove, this, [this, img] { imgmany1MouseMove(img); });
    }
    pnlpicmany->setMouseTracking(true);
    connect(pnlpicmany, &TFlatPanel::OnMouseMove, this, [this] { pnlpicmanyMouseMove(); });
    bevmove->setAttribute(Qt::WA_TransparentForMouseEvents);

    connect(imgjudge, &TImage::OnClick, this, [this] { imgjudgeClick(); });
    connect(imgfh, &TImage::OnClick, this, [this] { imgfhClick(); });
    if (imgnext)
        connect(imgnext, &TImage::OnClick, this, [this] { imgnextClick(); });
    wirePictureButtons();

    for (TImage* b : {imgjudge, imgnext, imgfh})
        if (b)
            b->setCursor(shell::screenCursor(3));
    // Answer buttons: bold type of 20 pixels, 21 for the questions in words.
    auto boldPixels = [](int px) {
        QFont f(QStringLiteral("微软雅黑"));
        f.setPixelSize(px);
        f.setBold(true);
        return f;
    };
    for (TFlatButton* b : btn) {
        b->setCursor(shell::screenCursor(1));
        b->setFont(boldPixels(20));
    }
    for (TFlatButton* b : btnPlain) {
        if (!b)
            continue;
        b->setCursor(shell::screenCursor(1));
        b->setFont(boldPixels(21));
    }
    // The signs come over whatever panel the answer was given on.
    imgright->raise();
    imgwrong->raise();
    centreOnScreen();
}

bool TQuizForm::pausing() const {
    return Timer1->Enabled();
}

QString TQuizForm::attr(const QString& topic, const char* name) const {
    return ReadXMLAttr(XMLRead, topic, QLatin1String(name));
}

QString TQuizForm::currentAttr(const char* name) const {
    return attr(series_.currentTopic(), name);
}

void TQuizForm::FormShow() {
    Timer1->setEnabled(false);
    enablePanels();
    series_.clear();
    for (QLabel* c : {lbltotal, lblright, lblwrong})
        c->setText(QStringLiteral("0"));
    platform::rng().randomize();

    const QString path = platform::dataPath(settings_.bank);
    QStringList topics;
    try {
        XMLRead.LoadFromFile(path);
        topics = ReadXMLList(path, kTopicElement, kTopicKey);
    } catch (const EXmlBankError& e) {
        failOpening(e.message());
        return;
    }
    if (topics.isEmpty()) {
        failOpening(QStringLiteral("题库“%1”里没有题目。").arg(QFileInfo(path).fileName()));
        return;
    }
    series_.choose(topics, settings_.order, platform::rng());
    ShowTopic(series_.currentTopic());
}

void TQuizForm::failOpening(const QString& why) {
    XMLRead.Clear();
    series_.clear();
    showNoTopic();
    platform::showMessage(this, why + QStringLiteral("\r请检查题库文件后再试。"),
                          QLatin1String(kErrorCaption), platform::MB_ICONERROR);
    // Back to the menu once the opening has finished.
    QTimer::singleShot(0, this, [this] { close(); });
}

void TQuizForm::showNoTopic() {
    imgright->hide();
    imgwrong->hide();
    lbltopic->clear();
    lbltopic->show();
    bevmove->hide();
    pnlabcd->hide();
    pnlpicmany->hide();
    if (pnlNoPic)
        pnlNoPic->hide();
    useJudge(false);
}

void TQuizForm::useJudge(bool on) {
    imgjudge->setVisible(on);
    imgjudge1->hide();
    imgjudge2->hide();
    imgjudge3->setVisible(!on);
}

void TQuizForm::ShowTopic(const QString& T) {
    imgright->hide();
    imgwrong->hide();
    lbltopic->setText(T);
    bevmove->hide();
    const quiz::Kind kind = quiz::kindOf(attr(T, "TopicType"));
    if (kind != quiz::Kind::PlainText && pnlNoPic) {
        lbltopic->show();
        pnlNoPic->hide();
    }
    switch (kind) {
    case quiz::Kind::TextChoice: {
        useJudge(false);
        pnlpicmany->hide();
        pnlabcd->show();
        const char* names[] = {"A", "B", "C", "D"};
        for (int i = 0; i < 4; ++i)
            btn[i]->SetCaption(attr(T, names[i]).trimmed());
        const QList<int> tops =
            quiz::textChoiceTops(quiz::textChoiceButtons(btn[2]->Caption(), btn[3]->Caption()));
        for (int i = 0; i < 4; ++i) {
            btn[i]->setVisible(i < tops.size());
            if (i < tops.size())
                btn[i]->move(btn[i]->x(), tops[i]);
        }
        // Never the picture of the topic before.
        picabcd->clearPicture();
        const QString pic = attr(T, "pic1");
        if (!picabcd->loadFromFile(picturePath(pic)))
            platform::showMessage(this, QStringLiteral("无法打开图片文件“%1”。").arg(pic),
                                  QLatin1String(kErrorCaption), platform::MB_ICONERROR);
        break;
    }
    case quiz::Kind::SinglePick:
        useJudge(false);
        pnlabcd->hide();
        ShowPictures(T, false);
        pnlpicmany->show();
        break;
    case quiz::Kind::MultiPick:
        useJudge(true);
        pnlabcd->hide();
        for (TCheckBox* c : chk)
            c->setChecked(false);
        ShowPictures(T, true);
        pnlpicmany->show();
        break;
    case quiz::Kind::PlainText: {
        // Only the mixed quiz has a panel for it; elsewhere only the question changes.
        if (!pnlNoPic)
            break;
        useJudge(false);
        lbltopic->hide();
        lblBotTopic->setText(T);
        pnlpicmany->hide();
        pnlNoPic->show();
        pnlabcd->hide();
        const char* names[] = {"A", "B", "C", "D"};
        for (int i = 0; i < 4; ++i)
            btnPlain[i]->SetCaption(attr(T, names[i]));
        const QList<int> lefts = quiz::plainTextLefts(
            quiz::plainTextButtons(btnPlain[2]->Caption(), btnPlain[3]->Caption()));
        for (int i = 0; i < 4; ++i) {
            btnPlain[i]->setVisible(i < lefts.size());
            if (i < lefts.size())
                btnPlain[i]->move(lefts[i], btnPlain[i]->y());
        }
        break;
    }
    }
}

void TQuizForm::ShowPictures(const QString& T, bool multiPick) {
    const QString pic6 = attr(T, "pic6").trimmed();
    const QString pic5 = attr(T, "pic5").trimmed();
    const QString pic4 = attr(T, "pic4").trimmed();
    const QString pic3 = attr(T, "pic3").trimmed();
    const QString bwhite = attr(T, "bwhite").trimmed();
    pnlpicmany->SetTransparent(bwhite != QLatin1String("1"));

    const int n = quiz::pictureCount(pic3, pic4, pic5, pic6);
    const quiz::PictureLayout layout = quiz::pictureLayout(n);
    for (int i = 0; i < 6; ++i) {
        const bool used = i < n;
        chk[i]->setVisible(multiPick && used);
        imgmany[i]->setVisible(used);
        // A picture that does not load leaves its place empty, never the topic before's.
        imgmany[i]->clearPicture();
        if (!used)
            continue;
        imgmany[i]->setGeometry(QRect(layout.pictures[i], QSize(layout.size, layout.size)));
        chk[i]->move(layout.checkBoxes[i]);
    }
    for (int i = 0; i < n; ++i)
        imgmany[i]->loadFromFile(
            picturePath(attr(T, QByteArray("pic" + QByteArray::number(i + 1)).constData())));
}

void TQuizForm::btn1Click(TFlatButton* sender) {
    if (pausing() || series_.isEmpty() || !sender)
        return;
    pnlabcd->setEnabled(false);
    if (pnlNoPic)
        pnlNoPic->setEnabled(false);
    answered(quiz::letterRight(currentAttr("TopicKey"), sender->property("Hint").toString()));
}

void TQuizForm::imgmanyClick(int number) {
    if (pausing() || series_.isEmpty() || number < 1 || number > 6)
        return;
    if (!chk[0]->isHidden()) {
        // Picking several: the picture ticks or unticks its box.
        TCheckBox* box = chk[number - 1];
        box->setChecked(!box->isChecked());
        return;
    }
    pnlpicmany->setEnabled(false);
    answered(quiz::pickRight(currentAttr("TopicKey"), number));
}

void TQuizForm::imgjudgeClick() {
    if (pausing() || series_.isEmpty() || imgjudge->isHidden())
        return;
    pnlpicmany->setEnabled(false);
    quiz::Ticks ticks{};
    for (int i = 0; i < 6; ++i)
        ticks[i] = !chk[i]->isHidden() && chk[i]->isChecked();
    answered(quiz::ticksRight(currentAttr("TopicKey"), ticks));
}

void TQuizForm::countUp(QLabel* counter) {
    counter->setText(QString::number(counter->text().toInt() + 1));
}

void TQuizForm::answered(bool right) {
    countUp(lbltotal);
    countUp(right ? lblright : lblwrong);
    // The pause starts before the sound, so that nothing answers twice even while a
    // failure box is up.
    Timer1->setInterval(right ? kRightPause : kWrongPause);
    Timer1->setEnabled(true);
    playJudgement(right);
    (right ? imgright : imgwrong)->show();
}

void TQuizForm::Timer1Timer() {
    Timer1->setEnabled(false);
    enablePanels();
    advance();
}

void TQuizForm::imgnextClick() {
    if (pausing())
        return;
    advance();
}

void TQuizForm::advance() {
    if (series_.isEmpty())
        return;
    series_.advance();
    ShowTopic(series_.currentTopic());
}

void TQuizForm::enablePanels() {
    pnlpicmany->setEnabled(true);
    pnlabcd->setEnabled(true);
    if (pnlNoPic)
        pnlNoPic->setEnabled(true);
}

void TQuizForm::imgmany1MouseMove(TImage* sender) {
    if (!sender)
        return;
    const int side = sender->width() + 4;
    bevmove->setGeometry(sender->x() - 2, sender->y() - 2, side, side);
    bevmove->show();
}

void TQuizForm::pnlpicmanyMouseMove() {
    bevmove->hide();
}

void TQuizForm::imgfhClick() {
    close();
}

TForm::CloseAction TQuizForm::FormClose() {
    Timer1->setEnabled(false);
    enablePanels();
    return CloseAction::Hide;
}

QStringList TQuizForm::bankPaths(const QString& bank) {
    QStringList paths = {bank, QStringLiteral("DATA\\bgsnd\\right.WAV"),
                         QStringLiteral("DATA\\bgsnd\\wrong.WAV")};
    TXMLDocument doc;
    try {
        doc.LoadFromFile(platform::dataPath(bank));
    } catch (const EXmlBankError&) {
        return paths;
    }
    for (const TXMLDocument::Element& e : doc.ChildElements())
        for (int i = 1; i <= 6; ++i)
            if (const auto pic = e.attribute(QStringLiteral("pic%1").arg(i));
                pic && !pic->trimmed().isEmpty())
                paths << pictureFile(*pic);
    paths.removeDuplicates();
    return paths;
}
