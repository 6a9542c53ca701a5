#pragma once
// The rhyme tables: the addition table up to 10 acted out with counting pictures, the
// multiplication table spoken line by line, and recitals of both.

#include "activities/math/KjbRules.h"
#include "app/TActivityForm.h"
#include "app/TTimer.h"
#include "ui_Ukjb.h"

#include <QPointer>
#include <optional>

class TFlatButton;

// 1 while the rhyme tables were opened from the mathematics menu (which then comes
// back when they close); the drills open them without setting it.
extern int KjbFromMenu;

class Tfrmkjb : public TActivityForm, public Ui::Tfrmkjb {
    Q_OBJECT
    // For openers that reach the window only by its class name.
    Q_PROPERTY(int KjbFromMenu READ fromMenu WRITE setFromMenu)

public:
    explicit Tfrmkjb(QWidget* parent = nullptr);
    // Every data file the window can ask for.
    static QStringList dataPaths();

    TTimer* Timer1 = nullptr; // steps the addition line, 1500 ms

    void FlatButton9Click(TFlatButton* line);
    void FlatButton90Click(TFlatButton* line);
    void Timer1Timer();
    void imgjfClick();
    void imgcfClick();
    void imgysClick();
    void imgfhClick();

    int step() const { return step_; }
    QList<TFlatButton*> additionButtons() const { return jfButtons_; }
    QList<TFlatButton*> multiplicationButtons() const { return cfButtons_; }
    QList<TImage*> smallPictures() const { return smalls_; }

    static int fromMenu() { return KjbFromMenu; }
    static void setFromMenu(int v) { KjbFromMenu = v; }

protected:
    void FormShow() override;
    CloseAction FormClose() override;
    // No click sound on these buttons.
    void pictureButtonDown(TImage*) override {}

private:
    void hideLine();
    void placePictures(int step);
    void speak(const QString& token);

    QList<TFlatButton*> jfButtons_;
    QList<TFlatButton*> cfButtons_;
    QList<TImage*> smalls_;
    QList<QLabel*> parts_;
    std::optional<math::AdditionLine> line_;
    int step_ = 0;
};

extern QPointer<Tfrmkjb> frmkjb;
