#include "activities/math/URwz.h"

#include "app/FormRegistry.h"
#include "ui_URwz.h"

QPointer<Tfrmrwz> frmrwz;
static RegisterForm<Tfrmrwz> reg("Tfrmrwz", frmrwz);

Tfrmrwz::Tfrmrwz(QWidget* parent)
    : TQuizForm(
          {QStringLiteral("Data\\XML\\认位置.xml"), quiz::TopicSeries::Order::FirstReversed, false},
          parent),
      ui_(std::make_unique<Ui::Tfrmrwz>()) {
    ui_->setupUi(this);
    bindControls();
}

Tfrmrwz::~Tfrmrwz() = default;
