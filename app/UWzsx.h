#pragma once
// The mathematics menu.

#include "app/SectionMenu.h"

#include <QPointer>

class TFrmWzsx : public TSectionMenu {
    Q_OBJECT
public:
    TFrmWzsx();
};

extern QPointer<TFrmWzsx> FrmWzsx;
