#pragma once
// The plain check box of the class library: setting Checked in code runs OnClick,
// which several windows rely on (a label beside the box toggles it that way).

#include <QCheckBox>

class TCheckBox : public QCheckBox {
    Q_OBJECT
    Q_PROPERTY(bool Checked READ Checked WRITE setChecked_)

public:
    explicit TCheckBox(QWidget* parent = nullptr);
    bool Checked() const { return isChecked(); }
    // Runs OnClick when the state changes.
    void setChecked_(bool c);

signals:
    void OnClick();

protected:
    void nextCheckState() override;
};
