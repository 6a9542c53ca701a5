#pragma once
// The Chinese menu.

#include "app/SectionMenu.h"

#include <QPointer>

class Tfrmywtd : public TSectionMenu {
    Q_OBJECT
public:
    Tfrmywtd();
};

extern QPointer<Tfrmywtd> frmywtd;
