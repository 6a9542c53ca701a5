#include "app/Ukjxx.h"

#include "app/FormRegistry.h"
#include "app/Guard.h"
#include "app/MissingPlayer.h"
#include "app/MoviePlayback.h"
#include "app/ShellState.h"
#include "app/TTimer.h"
#include "platform/ContentPack.h"
#include "widgets/ThemedMenu.h"

#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>

QPointer<Tfrmkjxx> frmkjxx;
static RegisterForm<Tfrmkjxx> registered("Tfrmkjxx", frmkjxx);

namespace kjxx {

const std::vector<Category>& categories() {
    static const std::vector<Category> table = {
        {"数学游戏", "sxyx", "imgkjxx", "lbkjxx", "popkjxx", "---【 数学游戏列表 】---",
         "TFrmWzsx"},
        {"数学课件", "sxkj", "imgsxkj", "lbsx_kj", "popsxkj", "---【 数学课件列表 】---",
         "TFrmWzsx"},
        {"开心说英语", "Eng_Listen", "imgrcyy", "lbrcyy", "poprcyy", "---【 开心说英语列表 】---",
         "Tfrmyygj"},
        {"英语故事", "EStory", "imgyygs", "lbyygs", "popyygs", "---【 英语故事列表 】---",
         "Tfrmyygj"},
        {"快乐游戏", "EGame", "imgyy_Game", "lbyy_Game", "popyy_game", "---【 快乐游戏列表 】---",
         "Tfrmyygj"},
        {"学拼音", "xpy", "imgxpy", "lbxpy", "popxpy", "---【 学拼音列表 】---", "Tfrmywtd"},
        {"学古诗", "gushi", "imgxts", "lbxts", "popxts", "---【 学古诗列表 】---", "Tfrmywtd"},
        {"寓言故事", "CStory", "imgyuyan", "lbyuyan", "popyuyan", "---【寓言故事列表 】---",
         "Tfrmywtd"},
        {"趣味游戏", "YWYX", "imgywyx", "lbywyx", "popywyx", "---【 趣味游戏列表 】---",
         "Tfrmywtd"},
        {"弟子规", "dzg", "imgdzg", "lbdzg", "popdzg", "---【 弟子规列表 】---", "Tfrmywtd"},
        {"百科知识", "baike", "imgYW_baike", "lbyw_baike", "PopYW_baike",
         "---【 百科知识列表 】---", "Tfrmywtd"},
        {"童话故事", "Tonghua", "imgyw_Tonghua", "lbyw_TongHua", "Popyw_Tonghua",
         "---【童话故事列表 】---", "Tfrmywtd"},
    };
    return table;
}

const Category* categoryByName(const QString& name) {
    for (const Category& c : categories())
        if (name == QString::fromUtf8(c.name))
            return &c;
    return nullptr;
}

std::vector<Lesson> parseLessons(const QString& text) {
    std::vector<Lesson> lessons;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype tab = line.lastIndexOf(QLatin1Char('\t'));
        Lesson lesson;
        lesson.title = line;
        if (tab > 0) {
            bool ok = false;
            const int frame = line.mid(tab + 1).trimmed().toInt(&ok);
            if (ok) {
                lesson.title = line.left(tab).trimmed();
                lesson.startFrame = std::max(0, frame);
            }
        }
        lessons.push_back(lesson);
    }
    return lessons;
}

std::vector<Lesson> lessonsOf(const Category& category) {
    QFile f(QStringLiteral(":/kjxx/") + QString::fromUtf8(category.prefix) +
            QStringLiteral(".txt"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return parseLessons(QString::fromUtf8(f.readAll()));
}

bool movieTakesFocus(const QString& prefix) {
    static const QStringList games = {"sxyx", "sxkj", "EGame", "CStory", "YWYX"};
    return games.contains(prefix);
}

bool playsOnFromStartFrame(const QString& prefix) {
    return prefix != QLatin1String("sxyx");
}

} // namespace kjxx

using kjxx::Category;

Tfrmkjxx::Tfrmkjxx(QWidget* parent)
    : TForm(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                        Qt::WindowStaysOnTopHint) {
    setupUi(this);
    FormCreate();
}

Tfrmkjxx::~Tfrmkjxx() = default;

void Tfrmkjxx::FormCreate() {
    setFixedSize(900, 675);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    pnlmain->SetColor(clBlack);
    pnlmain->SetColorHighLight(0x00505050);
    pnlmain->SetColorShadow(0x00505050);
    MyShockwaveFlash1->setWMode(QStringLiteral("Window"));
    MyShockwaveFlash1->setScale(QStringLiteral("ShowAll"));
    MyShockwaveFlash1->setQuality(1);
    MyShockwaveFlash1->setQuality2(QStringLiteral("High"));

    lbml->SetGUIStyle(TIGUIListControl::lcgLowered);
    lbml->SetColor(0x00424142);
    lbml->SetAutoItemHeight(false);
    lbml->SetItemHeight(30);
    lbml->SetTwoLineItems(true);
    chkrec->SetCaption(QStringLiteral("全屏观看"));
    chkrec->SetTransparent(true);
    chkrec->SetFontColor(clWhite);
    fullScreen_ = std::make_unique<MovieFullScreen>(this, pnlmain, btnpic);

    // The hidden title lists and the popups come from one table, so they agree.
    for (const Category& c : kjxx::categories()) {
        const std::vector<kjxx::Lesson> lessons = kjxx::lessonsOf(c);
        QStringList titles;
        for (const kjxx::Lesson& l : lessons)
            titles << l.title;
        if (auto* store = findChild<TFlatListBox*>(QString::fromLatin1(c.listBox)))
            store->SetItems(titles);
        popups_[QString::fromLatin1(c.popup)] = buildPopup(c, lessons);
    }

    CreateFormThemedMenu(this);
    wirePictureButtons();
    const std::pair<TImage*, void (Tfrmkjxx::*)()> clicks[] = {
        {imgplay, &Tfrmkjxx::imgplayClick},
        {imgback, &Tfrmkjxx::imgbackClick},
        {imgnext, &Tfrmkjxx::imgnextClick},
        {imgexit, &Tfrmkjxx::imgexitClick},
    };
    for (const auto& [img, handler] : clicks)
        connect(img, &TImage::OnClick, this,
                [this, h = handler] { guarded([this, h] { (this->*h)(); }); });
    connect(lbml, &TFlatControl::OnClick, this, [this] { guarded([this] { lbmlClick(); }); });
    connect(chkrec, &TFlatControl::OnClick, this, [this] { guarded([this] { chkrecClick(); }); });
    connect(btnpic, &TFlatControl::OnClick, this, [this] { guarded([this] { btnpicClick(); }); });

    tmr1 = new TTimer(this, 300, false);
    connect(tmr1, &TTimer::OnTimer, this, [this] { guarded([this] { tmr1Timer(); }); });
    if (!IsFlashInstalled())
        tmr1->setEnabled(true);
    centreOnScreen();
}

QMenu* Tfrmkjxx::buildPopup(const Category& c, const std::vector<kjxx::Lesson>& lessons) {
    auto* menu = new QMenu(this);
    menu->setObjectName(QString::fromLatin1(c.popup));
    const bool songs = QLatin1String(c.prefix) == QLatin1String("dzg");
    const auto command = [this, menu](const QString& text, void (Tfrmkjxx::*handler)()) {
        connect(menu->addAction(text), &QAction::triggered, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    menu->addAction(QStringLiteral("---【 工具按钮 】---"))->setEnabled(false);
    menu->addSeparator();
    command(QStringLiteral("重    播"), &Tfrmkjxx::imgplayClick);
    command(songs ? QStringLiteral("上一首") : QStringLiteral("上一个"), &Tfrmkjxx::imgbackClick);
    command(songs ? QStringLiteral("下一首") : QStringLiteral("下一个"), &Tfrmkjxx::imgnextClick);
    command(QStringLiteral("返    回"), &Tfrmkjxx::imgexitClick);
    menu->addSeparator();
    menu->addAction(QString::fromUtf8(c.header))->setEnabled(false);
    menu->addSeparator();
    for (const kjxx::Lesson& lesson : lessons) {
        QAction* entry = menu->addAction(lesson.title);
        entry->setData(lesson.startFrame); // the start frame rides on the entry
        connect(entry, &QAction::triggered, this,
                [this, entry] { guarded([this, entry] { N47Click(entry); }); });
    }
    return menu;
}

QMenu* Tfrmkjxx::popupMenu(const QString& popupName) const {
    const auto it = popups_.find(popupName);
    return it == popups_.end() ? nullptr : it->second;
}

void Tfrmkjxx::playFirstLesson() {
    lbml->SetItemIndex(0);
    lbmlClick();
}

void Tfrmkjxx::openCategory(const QString& category) {
    const Category* chosen = kjxx::categoryByName(category);
    setCaption(category);
    lbml->Items().Clear();
    for (const Category& c : kjxx::categories())
        if (auto* img = findChild<TImage*>(QString::fromLatin1(c.titleImage)))
            img->setVisible(&c == chosen);
    imgprac->hide();
    imgprac3->hide();
    if (chosen)
        if (auto* store = findChild<TFlatListBox*>(QString::fromLatin1(chosen->listBox)))
            lbml->SetItems(store->ItemsList());
}

const Category* Tfrmkjxx::visibleCategory() const {
    for (const Category& c : kjxx::categories()) {
        const auto* img = findChild<TImage*>(QString::fromLatin1(c.titleImage));
        if (img && !img->isHidden())
            return &c;
    }
    return nullptr;
}

void Tfrmkjxx::FormShow() {
    shell::pauseMusicForActivity();
    const Category* c = visibleCategory();
    if (!c)
        return;
    MyShockwaveFlash1->setPopupMenu(popupMenu(QString::fromLatin1(c->popup)));
    prefix_ = QString::fromLatin1(c->prefix);
    pack_ = platform::ContentPack::load(prefix_);
    lbml->SetItemIndex(0);
}

int Tfrmkjxx::startFrameOf(int index) const {
    const Category* c = visibleCategory();
    QMenu* menu = c ? popupMenu(QString::fromLatin1(c->popup)) : nullptr;
    const QList<QAction*> entries = menu ? menu->actions() : QList<QAction*>();
    const qsizetype at = index + kjxx::kFixedEntries;
    return at >= 0 && at < entries.size() ? entries.at(at)->data().toInt() : 0;
}

void Tfrmkjxx::loadSelected() {
    const int index = lbml->ItemIndex();
    if (index < 0)
        return;
    const QString item = prefix_ + QString::number(index + 1);
    loadPackMovie(*MyShockwaveFlash1, pack_.get(), item);
    const int start = startFrameOf(index);
    if (start > 0) {
        MyShockwaveFlash1->GotoFrame(start);
        if (kjxx::playsOnFromStartFrame(prefix_))
            MyShockwaveFlash1->Play();
    }
}

void Tfrmkjxx::lbmlClick() {
    const int index = lbml->ItemIndex();
    if (index < 0 || index >= lbml->Items().Count())
        return;
    lbltopic->setText(QStringLiteral("【") + lbml->Items()[index] + QStringLiteral("】"));
    // The lesson playing stays marked and in view, whichever way it was chosen and
    // wherever the focus goes.
    lbml->SetActiveItem(index);
    const int rows = lbml->FullRows();
    if (index < lbml->TopIndex())
        lbml->SetTopIndex(index);
    else if (index >= lbml->TopIndex() + rows)
        lbml->SetTopIndex(index - rows + 1);
    loadSelected();
    if (kjxx::movieTakesFocus(prefix_))
        MyShockwaveFlash1->SetFocus();
    else
        lbml->setFocus();
}

void Tfrmkjxx::selectAndPlay(int index) {
    lbml->SetItemIndex(index);
    lbmlClick();
}

void Tfrmkjxx::imgplayClick() {
    loadSelected();
    MyShockwaveFlash1->SetFocus();
}

void Tfrmkjxx::imgbackClick() {
    const int index = lbml->ItemIndex();
    if (index <= 0)
        return;
    selectAndPlay(index - 1);
}

void Tfrmkjxx::imgnextClick() {
    const int index = lbml->ItemIndex();
    if (index >= lbml->Items().Count() - 1)
        return;
    selectAndPlay(index + 1);
}

void Tfrmkjxx::N47Click(QAction* entry) {
    auto* menu = qobject_cast<QMenu*>(entry ? entry->parent() : nullptr);
    if (!menu)
        return;
    selectAndPlay(int(menu->actions().indexOf(entry)) - kjxx::kFixedEntries);
}

void Tfrmkjxx::imgexitClick() {
    close();
}

bool Tfrmkjxx::inFullScreen() const {
    return fullScreen_->active();
}

void Tfrmkjxx::chkrecClick() {
    // Unchecking it on the way back from full screen must not enter it again.
    if (!chkrec->Checked())
        return;
    fullScreen_->enter();
    chkrec->hide();
}

void Tfrmkjxx::btnpicClick() {
    chkrec->show();
    chkrec->SetChecked(false);
    fullScreen_->leave({900, 675}, {14, 83, 697, 577});
}

void Tfrmkjxx::FormKeyDown(int key) {
    if (key == Qt::Key_Escape && inFullScreen())
        btnpicClick();
}

void Tfrmkjxx::keyPressEvent(QKeyEvent* e) {
    guarded([this, e] { FormKeyDown(e->key()); });
    TForm::keyPressEvent(e);
}

void Tfrmkjxx::tmr1Timer() {
    tmr1->setEnabled(false);
    showMissingPlayerNotice(this);
}

TForm::CloseAction Tfrmkjxx::FormClose() {
    if (const Category* c = visibleCategory())
        if (const FormEntry* menu = FormRegistry::find(QString::fromLatin1(c->menu)))
            if (auto* form = qobject_cast<TForm*>(menu->instance()))
                form->recentreHorizontally();
    shell::resumeMusicAfterActivity();
    for (const Category& c : kjxx::categories())
        if (auto* img = findChild<TImage*>(QString::fromLatin1(c.titleImage)))
            img->hide();
    imgplay->show();
    imgprac->hide();
    imgprac1->hide();
    btnpic->hide(); // a window of its own: it would outlive the form by a moment
    if (frmkjxx == this)
        frmkjxx = nullptr;
    return CloseAction::Free;
}

QStringList Tfrmkjxx::dataPaths() {
    QStringList paths;
    for (const kjxx::Category& c : kjxx::categories()) {
        const QString prefix = QString::fromUtf8(c.prefix);
        const std::vector<kjxx::Lesson> lessons = kjxx::lessonsOf(c);
        for (size_t i = 0; i < lessons.size(); ++i)
            paths << packItemPath(prefix, QStringLiteral("Flash"), prefix + QString::number(i + 1));
    }
    return paths;
}
