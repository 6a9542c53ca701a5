#include "app/UKtrw.h"

#include "content/tables/MenuButtons.h"

#include "platform/Random.h"

QPointer<TFrmKtrw> FrmKtrw;
static RegisterForm<TFrmKtrw> registered("TFrmKtrw", FrmKtrw);

namespace {

std::vector<MenuCommand> table() {
    return {
        MenuCommand::open(menus::ktrw::kQuiz, "TfrmKtrwZhlx", LeaveMode::Hide),
        MenuCommand::exit(),
    };
}

// Every other command of the movie opens the picture browser on the animals.
MenuCommand animals() {
    return MenuCommand::open(
        "", "TFrmKtrwAll", LeaveMode::Hide,
        FormSettings([](QWidget*) { platform::rng().randomize(); }) + invoke("showAnimalsTitle") +
            setDeclared("Caption", QStringLiteral("Pelumo______【看图认物】")));
}

} // namespace

TFrmKtrw::TFrmKtrw()
    : TSectionMenu(QStringLiteral("看图认物"), QStringLiteral("ktrw"), table(), animals()) {}
