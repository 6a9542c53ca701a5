#pragma once
// Colouring: plays the colouring movies of "Tys.dat"; all colouring happens inside them.

#include "activities/puzzles/TysRules.h"
#include "app/TActivityForm.h"
#include "ui_UTys.h"

#include <QPointer>
#include <array>
#include <memory>

namespace platform {
class ContentPack;
}
class QLabel;

class Tfrmtys : public TActivityForm, public Ui::Tfrmtys {
    Q_OBJECT
public:
    explicit Tfrmtys(QWidget* parent = nullptr);
    // Every data file the window can ask for.
    static QStringList dataPaths();

    void Label9Click(QLabel* title);
    void imgpreClick();
    void imgnextClick();
    const puzzles::ColouringNavigator& navigator() const { return nav_; }
    QLabel* title(int label) const; // LabelN, null for a number without a title

protected:
    void FormShow() override;
    CloseAction FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void play(int movie);
    static void setLook(QLabel* title, bool underline, const QColor& colour);

    std::shared_ptr<platform::ContentPack> pack_;
    std::array<QLabel*, puzzles::kColouringTitles.size()> titles_{};
    puzzles::ColouringNavigator nav_;
};

extern QPointer<Tfrmtys> frmtys;
