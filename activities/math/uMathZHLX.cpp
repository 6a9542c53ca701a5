#include "activities/math/uMathZHLX.h"

#include "app/FormRegistry.h"
#include "ui_uMathZHLX.h"

QPointer<TfrmMathZHLX> frmMathZHLX;
static RegisterForm<TfrmMathZHLX> reg("TfrmMathZHLX", frmMathZHLX);

TfrmMathZHLX::TfrmMathZHLX(QWidget* parent)
    : TQuizForm({QStringLiteral("Data\\XML\\sxzhlx.xml"), quiz::TopicSeries::Order::Random, true},
                parent),
      ui_(std::make_unique<Ui::TfrmMathZHLX>()) {
    ui_->setupUi(this);
    bindControls();
}

TfrmMathZHLX::~TfrmMathZHLX() = default;
