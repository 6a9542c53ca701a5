#include "app/UYYgj.h"

#include "content/tables/MenuButtons.h"

#include "app/ShellState.h"

QPointer<Tfrmyygj> frmyygj;
static RegisterForm<Tfrmyygj> registered("Tfrmyygj", frmyygj);

namespace {

std::vector<MenuCommand> table() {
    const auto park = LeaveMode::Park;
    MenuCommand quiz = MenuCommand::open(menus::yygj::kQuiz, "TfrmEngLishZHLX", LeaveMode::Hide,
                                         // By this sign the quiz returns to this menu.
                                         setDeclared("Hint", QStringLiteral("yygj")));
    quiz.first = [] { shell::pauseMusicForActivity(); };
    return {
        MenuCommand::open(menus::yygj::kAbc, "TfrmABC", LeaveMode::Hide),
        MenuCommand::open(menus::yygj::kPhonetics, "Tfrmxyb", park),
        MenuCommand::open(menus::yygj::kWords, "Tfrmxxdct", park),
        MenuCommand::player(menus::yygj::kSpeaking, "开心说英语"),
        MenuCommand::player(menus::yygj::kGames, "快乐游戏"),
        MenuCommand::player(menus::yygj::kStories, "英语故事"),
        MenuCommand::open(menus::yygj::kPairs, "Tfrmddp", park),
        quiz,
        MenuCommand::exit(),
    };
}

} // namespace

Tfrmyygj::Tfrmyygj() : TSectionMenu(QStringLiteral("英语广角"), QStringLiteral("yygj"), table()) {}
