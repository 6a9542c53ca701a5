#include "app/UYzly.h"

#include "content/tables/MenuButtons.h"

QPointer<Tfrmyzly> frmyzly;
static RegisterForm<Tfrmyzly> registered("Tfrmyzly", frmyzly);

namespace {

std::vector<MenuCommand> table() {
    const auto hide = LeaveMode::Hide;
    return {
        MenuCommand::open(menus::yzly::kSpotDifference, "Tfrmzbn", hide),
        MenuCommand::open(menus::yzly::kGuessNumber, "TfrmguessNumber", hide),
        MenuCommand::open(menus::yzly::kJigsaw, "Tfrmptx", hide),
        MenuCommand::open(menus::yzly::kColouring, "Tfrmtys", LeaveMode::Park),
        MenuCommand::open(menus::yzly::kSorting, "Tfrmgfl", hide),
        MenuCommand::exit(),
    };
}

} // namespace

Tfrmyzly::Tfrmyzly() : TSectionMenu(QStringLiteral("益智乐园"), QStringLiteral("yzly"), table()) {}
