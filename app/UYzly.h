#pragma once
// The puzzle-park menu.

#include "app/SectionMenu.h"

#include <QPointer>

class Tfrmyzly : public TSectionMenu {
    Q_OBJECT
public:
    Tfrmyzly();
};

extern QPointer<Tfrmyzly> frmyzly;
