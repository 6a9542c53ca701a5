#include "app/UYwtd.h"

QPointer<Tfrmywtd> frmywtd;
static RegisterForm<Tfrmywtd> registered("Tfrmywtd", frmywtd);

namespace {

// The riddle browser opens on its brain teasers with the answer covered.
void brainTeasersBefore(QWidget* w) {
    setChildVisible(w, "imgjzw1", true);
    setChildVisible(w, "imgcmy1", false);
    setChildVisible(w, "imgxhy1", false);
}

void brainTeasersAfter(QWidget* w) {
    setChildVisible(w, "imgkey", true);
    setChildVisible(w, "imgkey3", true);
    setChildVisible(w, "imgkey1", false);
    setChildVisible(w, "imgKeyOK", false);
}

std::vector<MenuCommand> table() {
    const auto park = LeaveMode::Park;
    return {
        MenuCommand::player("xpy", "学拼音"),
        MenuCommand::openNew("xhz", "Tfrmxhz", park),
        MenuCommand::openNew("xcy", "Tfrmxchy", park),
        MenuCommand::player("xgs", "学古诗"),
        MenuCommand::open("szj", "Tfrmszj", park),
        MenuCommand::player("dzg", "弟子规"),
        MenuCommand::player("qwyx", "趣味游戏"),
        MenuCommand::open("ddn", "Tfrmjzw", LeaveMode::Hide, brainTeasersBefore, brainTeasersAfter),
        MenuCommand::open("rkl", "Tfrmrkl", LeaveMode::Hide,
                          [](QWidget* w) { w->setProperty("Caption", QStringLiteral("绕口令")); }),
        MenuCommand::player("bkzs", "百科知识"),
        MenuCommand::player("thgs", "童话故事"),
        MenuCommand::player("yygs", "寓言故事"),
        MenuCommand::exit(),
    };
}

} // namespace

Tfrmywtd::Tfrmywtd() : TSectionMenu(QStringLiteral("语文天地"), QStringLiteral("ywtd"), table()) {}
