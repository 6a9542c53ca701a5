#include "activities/math/URwz.h"

#include "app/FormRegistry.h"

QPointer<Tfrmrwz> frmrwz;
static RegisterForm<Tfrmrwz> reg("Tfrmrwz", frmrwz);

Tfrmrwz::Tfrmrwz(QWidget* parent)
    : TQuizForm({kBank, quiz::TopicSeries::Order::FirstReversed, false}, parent) {
    setupUi(this);
    bindControls();
}
