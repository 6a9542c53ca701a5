#pragma once
// What the two falling-answer quizzes share: a prompt is spoken, four answers fall down
// the panel, the child clicks the matching one; start, stop, repeat and the counters.

#include "activities/language/FallingQuizRules.h"
#include "activities/language/LanguageForm.h"
#include "activities/language/WordTables.h"
#include "app/TTimer.h"

#include <array>

class TImage;

class TFallingQuizForm : public TLanguageForm {
    Q_OBJECT
public:
    TTimer* Timer1 = nullptr; // the fall step
    TTimer* Timer2 = nullptr; // 1000 ms: the pause after a wrong answer

    const language::FallingQuiz& quiz() const { return quiz_; }

    void imgplayClick();
    void imgstopClick();
    void answerClick(int item);
    void Timer1Timer();
    void Timer2Timer();
    void imgreadClick();

protected:
    explicit TFallingQuizForm(const language::FallingLayout& layout, QWidget* parent);
    // After setupUi: the answer widgets (what takes the click, and what is shown).
    void bindQuiz(const std::array<QWidget*, 4>& clicks, const std::array<QWidget*, 4>& shown,
                  const QString& readCaption);
    void resetQuiz();
    void stopQuiz();

    // The text an item shows for an entry, and the prompt of the current question.
    virtual QString entryText(int entry) const = 0;
    virtual void setItemText(int item, const QString& text) = 0;
    virtual QString promptSound() const = 0;
    virtual void questionShown() {}
    virtual bool rightSoundPlays() const = 0;
    virtual bool canRepeat() const { return quiz_.asked(); }
    // The start button while running and the stop button while idle press silently.
    void pictureButtonDown(TImage* button) override;

private slots:
    void answerSlot();

private:
    void showQuestion();
    void placeItems();
    void setRunning(bool running);
    void updateCounters();

    language::FallingQuiz quiz_;
    std::array<QWidget*, 4> clicks_{};
    std::array<QWidget*, 4> shown_{};
    QString readCaption_;
};
