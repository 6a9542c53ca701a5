#pragma once
// Phonetic symbols: the lesson movie of a vowel or consonant group, chosen from the
// group list that opens over the two menu buttons.

#include "activities/language/XybRules.h"
#include "app/TActivityForm.h"
#include "ui_UXYB.h"

#include <QPointer>
#include <memory>

class QMenu;
namespace platform {
class ContentPack;
}

class Tfrmxyb : public TActivityForm, public Ui::Tfrmxyb {
    Q_OBJECT
public:
    explicit Tfrmxyb(QWidget* parent = nullptr);

    // Every data file the window can ask for.
    static QStringList dataPaths();

    void imyyyMouseMove();
    void imgmlMouseMove();
    void Label9Click(QLabel* group);
    void imgpreClick();
    void imgnextClick();
    void imgfhClick();

    const language::PhoneticBook& book() const { return book_; }
    QMenu* popyb = nullptr;

protected:
    void FormShow() override;
    CloseAction FormClose() override { return CloseAction::Free; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void playGroup();
    void hideList();

    std::shared_ptr<platform::ContentPack> pack_;
    language::PhoneticBook book_;
};

extern QPointer<Tfrmxyb> frmxyb;
