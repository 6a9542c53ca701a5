#pragma once
// The splash shown while the main window is built.

#include "ui_USplash.h"

#include <QPointer>
#include <QWidget>

class Tfrmsplash : public QWidget, public Ui::Tfrmsplash {
    Q_OBJECT
public:
    explicit Tfrmsplash(QWidget* parent = nullptr);
};

extern QPointer<Tfrmsplash> frmsplash;
