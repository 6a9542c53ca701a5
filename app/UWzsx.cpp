#include "app/UWzsx.h"

#include "content/tables/MenuButtons.h"

QPointer<TFrmWzsx> FrmWzsx;
static RegisterForm<TFrmWzsx> registered("TFrmWzsx", FrmWzsx);

namespace {

std::vector<MenuCommand> table() {
    const auto hide = LeaveMode::Hide;
    return {
        MenuCommand::open(menus::wzsx::kNumbers, "TFrmReadNumbers", hide),
        MenuCommand::open(menus::wzsx::kShapes, "Tfrmrwz", hide),
        MenuCommand::open(menus::wzsx::kQuiz, "TfrmMathZHLX", hide),
        MenuCommand::open(menus::wzsx::kCounting, "Tfrmsys", hide),
        MenuCommand::open(menus::wzsx::kCompare, "Tfrmbyb", hide),
        MenuCommand::open(menus::wzsx::kPatterns, "Tfrmzgl", hide),
        MenuCommand::open(menus::wzsx::kAddSubtract, "Tfrmjjf", hide),
        MenuCommand::open(menus::wzsx::kMultiplyDivide, "Tfrmccf", hide),
        MenuCommand::player(menus::wzsx::kGames, "数学游戏"),
        MenuCommand::player(menus::wzsx::kLessons, "数学课件"),
        // The rhyme tables bring this menu back themselves when they know they came from it.
        MenuCommand::open(menus::wzsx::kRhymeTable, "Tfrmkjb", hide, {},
                          setDeclared("KjbFromMenu", 1)),
        MenuCommand::exit(),
    };
}

} // namespace

TFrmWzsx::TFrmWzsx() : TSectionMenu(QStringLiteral("玩转数学"), QStringLiteral("wzsx"), table()) {}
