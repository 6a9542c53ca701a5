#pragma once
// What the three question-bank quizzes share: ten topics of a bank shown one after
// the other as a question with pictures or answer buttons, the counters, the right or
// wrong sound and sign, and the pause before the next topic. A quiz's own unit holds
// its layout (.ui) and its settings.

#include "activities/common/QuizRules.h"
#include "activities/common/UReadXML.h"
#include "app/TActivityForm.h"

#include <array>

class QFrame;
class QLabel;
class TCheckBox;
class TFlatButton;
class TFlatPanel;
class TImage;
class TTimer;

class TQuizForm : public TActivityForm {
    Q_OBJECT
public:
    struct Settings {
        QString bank;                   // "Data\XML\数一数.xml"
        quiz::TopicSeries::Order order; // how the ten topics are chosen
        bool plainTextPanel = false;    // plain-text topics get their own panel
    };

    explicit TQuizForm(Settings settings, QWidget* parent = nullptr);
    // The bank, every picture its topics name and the right/wrong sounds.
    static QStringList bankPaths(const QString& bank);

    TXMLDocument XMLRead;     // the bank, loaded at each showing
    TTimer* Timer1 = nullptr; // the pause after an answer

    // Handlers, public so that tests drive them as the child would.
    void ShowTopic(const QString& T);
    void ShowPictures(const QString& T, bool multiPick);
    void btn1Click(TFlatButton* sender);
    void imgmanyClick(int number); // picture 1..6
    void imgjudgeClick();
    void imgnextClick();
    void Timer1Timer();
    void imgmany1MouseMove(TImage* sender);
    void pnlpicmanyMouseMove();
    void imgfhClick();

    const quiz::TopicSeries& series() const { return series_; }
    // An answer was given and the next topic has not come yet.
    bool pausing() const;

protected:
    // Finds the components by name and connects them; the quiz calls it after setupUi.
    void bindControls();

    void FormShow() override;
    CloseAction FormClose() override;

private:
    void answered(bool right);
    void advance();
    void enablePanels();
    void showNoTopic();
    void failOpening(const QString& why);
    QString attr(const QString& topic, const char* name) const;
    QString currentAttr(const char* name) const;
    void useJudge(bool on);
    void countUp(QLabel* counter);

    Settings settings_;
    quiz::TopicSeries series_;

    QLabel* lbltopic = nullptr;
    QLabel* lbltotal = nullptr;
    QLabel* lblright = nullptr;
    QLabel* lblwrong = nullptr;
    TFlatPanel* pnlabcd = nullptr;
    TImage* picabcd = nullptr;
    std::array<TFlatButton*, 4> btn{};
    TFlatPanel* pnlpicmany = nullptr;
    std::array<TImage*, 6> imgmany{};
    std::array<TCheckBox*, 6> chk{};
    QFrame* bevmove = nullptr;
    TFlatPanel* pnlNoPic = nullptr; // mixed quiz only
    QLabel* lblBotTopic = nullptr;
    std::array<TFlatButton*, 4> btnPlain{}; // btna..btnd
    TImage* imgjudge = nullptr;
    TImage* imgjudge1 = nullptr;
    TImage* imgjudge2 = nullptr;
    TImage* imgjudge3 = nullptr;
    TImage* imgnext = nullptr; // not on the mixed quiz
    TImage* imgfh = nullptr;
    TImage* imgright = nullptr;
    TImage* imgwrong = nullptr;
};
