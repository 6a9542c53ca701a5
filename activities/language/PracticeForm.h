#pragma once
// What the two picture practices share: hear a word, click its picture. Pictures grow
// between two gradient bars under the mouse; a click is judged once, signed and counted,
// and after a 600 ms pause the next question follows.

#include "activities/language/LanguageForm.h"
#include "activities/language/PracticeRules.h"
#include "app/TTimer.h"
#include "widgets/FlatUtils.h"

#include <memory>
#include <vector>

class TImage;
class TGradientLabel;
class TFlatRadioButton;
class TFlatButton;

class TPicturePracticeForm : public TLanguageForm {
    Q_OBJECT
public:
    TTimer* Timer1 = nullptr; // 10 ms: growth
    TTimer* Timer2 = nullptr; // 300 ms: the pause after a click

    const language::PicturePractice& practice() const { return *practice_; }

    void NewQuestion();
    void pictureMouseMove(int slot);
    void imgbgMouseMove();
    void Timer1Timer();
    void pictureClick(int slot);
    void Timer2Timer();
    void btnsentence1Click();

protected:
    TPicturePracticeForm(const language::PracticeLayout& layout,
                         const std::vector<language::WordRow>& words, QWidget* parent);
    // Finds the named children once the layout is set up.
    void bindPractice(const QStringList& pictureNames, TColor barColour, int barSteps);
    void startPractice(bool englishVoice);
    void stopPractice();

private:
    void saySoon();
    void showQuestion();
    void resetPicture(int slot);

    std::unique_ptr<language::PicturePractice> practice_;
    std::vector<TImage*> pictures_;
    TGradientLabel* lbltop_ = nullptr;
    TGradientLabel* lblbot_ = nullptr;
    QLabel* lblright_ = nullptr;
    QLabel* lblkey_ = nullptr;
    QLabel* counters_[3] = {};
    TFlatRadioButton* rbchinese_ = nullptr;
    TFlatRadioButton* rbenglish_ = nullptr;
    int hover_ = -1;
    bool asked_ = false;
};
