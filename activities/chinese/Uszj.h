#pragma once
// The Three Character Classic: a button per section plays the section's movie.

#include "activities/chinese/SzjRules.h"
#include "app/TActivityForm.h"
#include "ui_Uszj.h"

#include <QPointer>
#include <memory>

namespace platform {
class ContentPack;
}

class Tfrmszj : public TActivityForm, public Ui::Tfrmszj {
    Q_OBJECT
public:
    explicit Tfrmszj(QWidget* parent = nullptr);

    // Every data file the window can ask for.
    static QStringList dataPaths();

    void img1Click(int section);
    void imgexitClick();

    const chinese::ClassicSections& sections() const { return sections_; }

protected:
    void FormShow() override;
    CloseAction FormClose() override { return CloseAction::Free; }

private:
    std::shared_ptr<platform::ContentPack> pack_;
    chinese::ClassicSections sections_;
};

extern QPointer<Tfrmszj> frmszj;
