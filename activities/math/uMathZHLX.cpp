#include "activities/math/uMathZHLX.h"

#include "app/FormRegistry.h"

QPointer<TfrmMathZHLX> frmMathZHLX;
static RegisterForm<TfrmMathZHLX> reg("TfrmMathZHLX", frmMathZHLX);

TfrmMathZHLX::TfrmMathZHLX(QWidget* parent)
    : TQuizForm({kBank, quiz::TopicSeries::Order::Random, true}, parent) {
    setupUi(this);
    bindControls();
}
