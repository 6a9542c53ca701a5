#pragma once
// The English menu.

#include "app/SectionMenu.h"

#include <QPointer>

class Tfrmyygj : public TSectionMenu {
    Q_OBJECT
public:
    Tfrmyygj();
};

extern QPointer<Tfrmyygj> frmyygj;
