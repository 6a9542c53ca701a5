#pragma once
// The picture-recognition menu: the mixed practice, and the animal browser for every other
// command of its movie.

#include "app/SectionMenu.h"

#include <QPointer>

class TFrmKtrw : public TSectionMenu {
    Q_OBJECT
public:
    TFrmKtrw();
};

extern QPointer<TFrmKtrw> FrmKtrw;
