#include "activities/math/usys.h"

#include "app/FormRegistry.h"

QPointer<Tfrmsys> frmsys;
static RegisterForm<Tfrmsys> reg("Tfrmsys", frmsys);

Tfrmsys::Tfrmsys(QWidget* parent)
    : TQuizForm({kBank, quiz::TopicSeries::Order::Random, false}, parent) {
    setupUi(this);
    bindControls();
}
