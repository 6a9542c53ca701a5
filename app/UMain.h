#pragma once
// The main window: the round hub with the section buttons, the child's photo, the
// music switch and help. Its creation sets up what every window shares: the click
// sound, the cursors, the true-colour flag, the sound library and the music.

#include "app/TForm.h"
#include "ui_UMain.h"

#include <QByteArray>
#include <QPointer>
#include <functional>
#include <memory>

class QFileDialog;
class QMenu;
class QAction;
class TThemedMenu;

class TFrmmain : public TForm, public Ui::TFrmmain {
    Q_OBJECT
public:
    explicit TFrmmain(QWidget* parent = nullptr);
    ~TFrmmain() override;

    QByteArray OkWave;
    QByteArray WrongWave;

    QMenu* popyy = nullptr;
    QAction* N14 = nullptr; // "修改当前大头贴"
    QAction* N7 = nullptr;  // "恢复默认图片"
    QMenu* pophelp = nullptr;
    QAction* W2 = nullptr;              // "给我写信(&W)"
    QAction* H1 = nullptr;              // "帮助(&H)"
    TThemedMenu* ThemedMenu1 = nullptr; // draws popyy and pophelp flat

    // Handlers, public so that tests drive them as the child would.
    void imgcloseClick();
    void imgktrwClick();
    void imgyygjClick();
    void imgwzsxClick();
    void imgywtdClick();
    void imgyzlyClick();
    void imgyyzzlClick();
    void imgkeyClick();
    void imgminiClick();
    void imgdttClick();
    void imghelpClick();
    void imghomeClick();
    void N14Click();
    void N7Click();
    void H1Click();
    void W2Click();
    void chkrecClick();
    void Label1Click();

    // Chooses the photo file; tests replace it. Empty = cancelled.
    static std::function<QString(QWidget*)> choosePhotoFile;
    // The file dialog the photo is chosen in, in Chinese.
    static std::unique_ptr<QFileDialog> photoDialog(QWidget* parent);
    // Where the menus pop up; tests replace it so nothing blocks.
    static std::function<void(QMenu*)> popupMenu;
    // Ends the program after the window closed; tests keep their process.
    static std::function<void()> terminateApplication;

    static QString mailLink();
    static QString homePage();
    // Shows the photo in the round frame (the frame hides when it cannot be read).
    void showPhoto(const QString& path);

protected:
    CloseAction FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void openSection(const QString& className);
    void imgbgMouseDown(Qt::MouseButton button);
    // Pops up a menu of a picture button; the menu (and a dialog one of its entries opens)
    // holds the mouse, so the picture is told afterwards when the mouse has left it.
    void popupFrom(TImage* button, QMenu* menu);

    QPoint dragOffset_;
    bool dragging_ = false;
};

extern QPointer<TFrmmain> Frmmain;
