#pragma once
// The tongue-twister reader: an introduction, then the twisters picked from the list
// or paged through.

#include "activities/chinese/RklRules.h"
#include "app/TActivityForm.h"
#include "ui_Urkl.h"

#include <QPointer>

class Tfrmrkl : public TActivityForm, public Ui::Tfrmrkl {
    Q_OBJECT
public:
    explicit Tfrmrkl(QWidget* parent = nullptr);

    void cmbnumberClick();
    void imgpreClick();
    void imgnextClick();
    void imgfhClick();

    const chinese::TwisterReader& reader() const { return reader_; }

protected:
    void FormShow() override;

private:
    void showTwister();
    void showText(const QString& text);

    chinese::TwisterReader reader_;
};

extern QPointer<Tfrmrkl> frmrkl;
