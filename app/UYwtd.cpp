#include "app/UYwtd.h"

#include "content/tables/MenuButtons.h"

QPointer<Tfrmywtd> frmywtd;
static RegisterForm<Tfrmywtd> registered("Tfrmywtd", frmywtd);

namespace {

std::vector<MenuCommand> table() {
    const auto park = LeaveMode::Park;
    return {
        MenuCommand::player(menus::ywtd::kPinyin, "学拼音"),
        MenuCommand::openNew(menus::ywtd::kCharacters, "Tfrmxhz", park),
        MenuCommand::openNew(menus::ywtd::kIdioms, "Tfrmxchy", park),
        MenuCommand::player(menus::ywtd::kPoems, "学古诗"),
        MenuCommand::open(menus::ywtd::kThreeCharacterClassic, "Tfrmszj", park),
        MenuCommand::player(menus::ywtd::kDiziGui, "弟子规"),
        MenuCommand::player(menus::ywtd::kGames, "趣味游戏"),
        // The riddle browser opens on its brain teasers with the answer covered.
        MenuCommand::open(menus::ywtd::kBrainTeasers, "Tfrmjzw", LeaveMode::Hide,
                          invoke("selectBrainTeasers"), invoke("coverAnswer")),
        MenuCommand::open(menus::ywtd::kTongueTwisters, "Tfrmrkl", LeaveMode::Hide,
                          setDeclared("Caption", QStringLiteral("绕口令"))),
        MenuCommand::player(menus::ywtd::kEncyclopedia, "百科知识"),
        MenuCommand::player(menus::ywtd::kFairyTales, "童话故事"),
        MenuCommand::player(menus::ywtd::kFables, "寓言故事"),
        MenuCommand::exit(),
    };
}

} // namespace

Tfrmywtd::Tfrmywtd() : TSectionMenu(QStringLiteral("语文天地"), QStringLiteral("ywtd"), table()) {}
