#include "app/UYzly.h"

QPointer<Tfrmyzly> frmyzly;
static RegisterForm<Tfrmyzly> registered("Tfrmyzly", frmyzly);

namespace {

std::vector<MenuCommand> table() {
    const auto hide = LeaveMode::Hide;
    return {
        MenuCommand::open("找不同", "Tfrmzbn", hide),
        MenuCommand::open("猜数字", "TfrmguessNumber", hide),
        MenuCommand::open("拼图形", "Tfrmptx", hide),
        MenuCommand::open("涂颜色", "Tfrmtys", LeaveMode::Park),
        MenuCommand::open("归分类", "Tfrmgfl", hide),
        MenuCommand::exit(),
    };
}

} // namespace

Tfrmyzly::Tfrmyzly() : TSectionMenu(QStringLiteral("益智乐园"), QStringLiteral("yzly"), table()) {}
