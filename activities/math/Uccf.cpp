#include "activities/math/Uccf.h"

#include "app/FormRegistry.h"

QPointer<Tfrmccf> frmccf;
static RegisterForm<Tfrmccf> reg("Tfrmccf", frmccf);

Tfrmccf::Tfrmccf(QWidget* parent) : TArithDrillForm(parent) {
    setupUi(this);
    setFixedSize(900, 675);
    bindDrill();
}

void Tfrmccf::NewQuestion() {
    platform::rng().randomize();
    lblkey->hide();
    current_ = math::makeMulDivQuestion(platform::rng(), multiplying());
    showQuestion(current_.q);
}

QStringList Tfrmccf::dataPaths() {
    return {QStringLiteral("DATA\\bgsnd\\right.WAV"), QStringLiteral("DATA\\bgsnd\\wrong.WAV")};
}
