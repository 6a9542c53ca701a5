#include "app/UYwtd.h"

QPointer<Tfrmywtd> frmywtd;
static RegisterForm<Tfrmywtd> registered("Tfrmywtd", frmywtd);

namespace {

// Settings that call a method the window declares.
FormSettings invoke(const char* method) {
    return [method](QWidget* w) { QMetaObject::invokeMethod(w, method); };
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
        // The riddle browser opens on its brain teasers with the answer covered.
        MenuCommand::open("ddn", "Tfrmjzw", LeaveMode::Hide, invoke("brainTeaserMode"),
                          invoke("coverAnswer")),
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
