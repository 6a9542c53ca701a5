#include "app/UWzsx.h"

QPointer<TFrmWzsx> FrmWzsx;
static RegisterForm<TFrmWzsx> registered("TFrmWzsx", FrmWzsx);

namespace {

std::vector<MenuCommand> table() {
    const auto hide = LeaveMode::Hide;
    return {
        MenuCommand::open("学数字", "TFrmReadNumbers", hide),
        MenuCommand::open("认图形", "Tfrmrwz", hide),
        MenuCommand::open("综合练习", "TfrmMathZHLX", hide),
        MenuCommand::open("数一数", "Tfrmsys", hide),
        MenuCommand::open("比一比", "Tfrmbyb", hide),
        MenuCommand::open("找规律", "Tfrmzgl", hide),
        MenuCommand::open("加减法", "Tfrmjjf", hide),
        MenuCommand::open("乘除法", "Tfrmccf", hide),
        MenuCommand::player("数学游戏", "数学游戏"),
        MenuCommand::player("数学课件", "数学课件"),
        // The rhyme tables bring this menu back themselves when they know they came from it.
        MenuCommand::open("口诀表", "Tfrmkjb", hide, {}, setDeclared("KjbFromMenu", 1)),
        MenuCommand::exit(),
    };
}

} // namespace

TFrmWzsx::TFrmWzsx() : TSectionMenu(QStringLiteral("玩转数学"), QStringLiteral("wzsx"), table()) {}
