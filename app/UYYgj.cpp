#include "app/UYYgj.h"

#include "app/ShellState.h"

QPointer<Tfrmyygj> frmyygj;
static RegisterForm<Tfrmyygj> registered("Tfrmyygj", frmyygj);

namespace {

std::vector<MenuCommand> table() {
    const auto park = LeaveMode::Park;
    MenuCommand quiz = MenuCommand::open("综合练习", "TfrmEngLishZHLX", LeaveMode::Hide,
                                         // By this sign the quiz returns to this menu.
                                         setDeclared("Hint", QStringLiteral("yygj")));
    quiz.first = [] { shell::pauseMusicForActivity(); };
    return {
        MenuCommand::open("学ABC", "TfrmABC", LeaveMode::Hide),
        MenuCommand::open("学音标", "Tfrmxyb", park),
        MenuCommand::open("小小单词通", "Tfrmxxdct", park),
        MenuCommand::player("开心说英语", "开心说英语"),
        MenuCommand::player("快乐游戏", "快乐游戏"),
        MenuCommand::player("英语故事", "英语故事"),
        MenuCommand::open("对对碰", "Tfrmddp", park),
        quiz,
        MenuCommand::exit(),
    };
}

} // namespace

Tfrmyygj::Tfrmyygj() : TSectionMenu(QStringLiteral("英语广角"), QStringLiteral("yygj"), table()) {}
