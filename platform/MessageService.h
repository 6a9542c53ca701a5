#pragma once
// Modal message boxes with the platform's flag numbers and Chinese button texts.
// Tests install a recorder so that nothing ever waits in a modal loop.

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;

namespace platform {

// Flags as the program passes them: icon in the high nibble, buttons in the low one.
enum MessageFlags : int {
    MB_OK = 0,
    MB_OKCANCEL = 1,
    MB_YESNOCANCEL = 3,
    MB_YESNO = 4,
    MB_ICONERROR = 16,
    MB_ICONQUESTION = 32,
    MB_ICONWARNING = 48,
    MB_ICONINFORMATION = 64,
};

// What the box returns: the button pressed.
enum MessageResult : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDYES = 6,
    IDNO = 7,
};

struct MessageCall {
    QString text; // as passed, "\r" not yet turned into a line break
    QString caption;
    int flags = 0;
    QWidget* owner = nullptr; // the window the box stands above
};

// The window a box without a given owner belongs to: the active window, else the
// front-most visible one that stays on top. A box without an owner goes under a window
// that stays on top, where no one sees it while it takes every click; so while such a
// window shows, the box stays on top too.
QWidget* messageOwner(QWidget* parent);

// Shows a message box and returns the button pressed. A null parent gives the box to
// `messageOwner`.
int showMessage(QWidget* parent, const QString& text, const QString& caption, int flags);

// The text as the box shows it: "\r\n" and "\r" become line breaks.
QString messageDisplayText(const QString& text);

// Replaces the boxes; the handler answers at once. Pass nullptr to restore the real boxes.
using MessageHandler = std::function<int(const MessageCall&)>;
void setMessageHandler(MessageHandler handler);

// Records every message and answers with the queued results (IDOK / the first button when
// the queue is empty). Installs itself while it lives.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void queueAnswer(int result) { answers_.push_back(result); }
    const std::vector<MessageCall>& calls() const { return calls_; }
    void clear() { calls_.clear(); }

private:
    std::vector<MessageCall> calls_;
    std::vector<int> answers_;
};

} // namespace platform
