#pragma once
// The movie host controls that forms place: TFlashHostControl, a windowed player,
// and TTransparentFlashHostControl (TransparentFlashHostControl.h), which draws over
// its form.
//
// A form loads a movie from a stream and drives its root timeline; the control keeps
// the calls in order until its player can take them, keeps the published player
// properties, and answers frame questions at once from the state the player reports.
// Right click opens the control's PopupMenu (the player's own menu only with
// StandartMenu), a left release inside raises OnClick, and Esc goes to the form.

#include "controlbase/FlatDrag.h"
#include "flashhost/BackendProvider.h"
#include "flashhost/CommandQueue.h"
#include "flashhost/FlashProps.h"
#include "flashhost/MovieBackend.h"
#include "flashhost/ZoomView.h"

#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>

namespace flashhost {
// No movie of this program comes near this size: a larger one (declared or given) is
// refused before anything of it is unpacked.
inline constexpr qsizetype kMaxMovieBytes = 64 * 1024 * 1024;
} // namespace flashhost

class QIODevice;

// A player call that failed, or that this player cannot make at all.
class ESafecallException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The shift state of OnMouseDown carries this beside the keys on a double click.
inline const Qt::KeyboardModifiers ssDouble(Qt::KeyboardModifier(0x80000000u));

#define PELUMO_FLASH_PROPERTY(Type, Name)                                                          \
    Type Name() const {                                                                            \
        return props_.Name;                                                                        \
    }                                                                                              \
    void set##Name(const Type& value) {                                                            \
        props_.Name = value;                                                                       \
        propsChanged();                                                                            \
    }

class TFlashHostControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Movie READ Movie WRITE setMovie)
    Q_PROPERTY(int FrameNum READ FrameNum WRITE setFrameNum)
    Q_PROPERTY(bool Playing READ Playing WRITE setPlaying)
    Q_PROPERTY(int Quality READ Quality WRITE setQuality)
    Q_PROPERTY(int ScaleMode READ ScaleMode WRITE setScaleMode)
    Q_PROPERTY(int AlignMode READ AlignMode WRITE setAlignMode)
    Q_PROPERTY(int BackgroundColor READ BackgroundColor WRITE setBackgroundColor)
    Q_PROPERTY(bool Loop READ Loop WRITE setLoop)
    Q_PROPERTY(QString WMode READ WMode WRITE setWMode)
    Q_PROPERTY(QString SAlign READ SAlign WRITE setSAlign)
    Q_PROPERTY(bool Menu READ Menu WRITE setMenu)
    Q_PROPERTY(QString Base READ Base WRITE setBase)
    Q_PROPERTY(QString Scale READ Scale WRITE setScale)
    Q_PROPERTY(bool DeviceFont READ DeviceFont WRITE setDeviceFont)
    Q_PROPERTY(bool EmbedMovie READ EmbedMovie WRITE setEmbedMovie)
    Q_PROPERTY(QString BGColor READ BGColor WRITE setBGColor)
    Q_PROPERTY(QString Quality2 READ Quality2 WRITE setQuality2)
    Q_PROPERTY(QString SWRemote READ SWRemote WRITE setSWRemote)
    Q_PROPERTY(QString Stacking READ Stacking WRITE setStacking)
    Q_PROPERTY(QString FlashVars READ FlashVars WRITE setFlashVars)
    Q_PROPERTY(QString AllowScriptAccess READ AllowScriptAccess WRITE setAllowScriptAccess)
    Q_PROPERTY(QString MovieData READ MovieData WRITE setMovieData)
    Q_PROPERTY(bool AllowFullscreen READ AllowFullscreen WRITE setAllowFullscreen)
    Q_PROPERTY(bool StandartMenu READ StandartMenu WRITE setStandartMenu)
    Q_PROPERTY(int ReadyState READ ReadyState)
    Q_PROPERTY(int TotalFrames READ TotalFrames)

public:
    explicit TFlashHostControl(QWidget* parent = nullptr);
    ~TFlashHostControl() override;

    // The whole stream, read from its start whatever its position, becomes the movie of
    // `layer`; the caller keeps the stream. An empty or damaged movie for layer 0 blanks
    // the control and raises loadFailed. Other layers play over layer 0's movie (and
    // need one); a damaged movie leaves them as they were.
    void LoadMovieFromStream(int layer, QIODevice& stream);
    void PutMovieFromStream(QIODevice& stream);
    // A stream for the caller to fill with a movie; deleting it loads the movie.
    std::unique_ptr<QIODevice> LoadMovieUsingStream(int layer);
    std::unique_ptr<QIODevice> PutMovieUsingStream();

    void Play();
    void Stop();
    void GotoFrame(int frameNum); // frames count from 0; the movie stops there
    bool IsPlaying() const;       // True without a player
    // Whether the movie itself has reported its timeline moving since the last call:
    // IsPlaying turns true at Play already, before the player has drawn a frame.
    bool MovieReportsPlaying() const { return backend_ && reportedSeq_ >= seq_ && playing_; }
    int CurrentFrame() const;
    int TotalFrames() const;
    // As OnReadyStateChange last said: 0 loading, 3 running, 4 complete; 0 without a movie.
    int ReadyState() const;
    int FlashVersion() const; // -1 without a player
    void SetFocus();

    // The rest of the player's interface. Each answers its default (0, empty, True for
    // FrameLoaded) without a player. Targets name clips as the player takes them ("/" or
    // "" the root, "/a/b", "a.b", "_root.a", "_level1/a"); frames count from 0. The root's
    // frame, label and frame counts are answered from what the movie reports; the other
    // questions (GetVariable, TGetProperty*, CallFunction, TCurrentFrame of a clip) ask the
    // movie and wait for it a short while, without user input meanwhile. A call that finds
    // no loaded movie, gets no answer, is made while another waits, or that the player
    // cannot make (TCurrentLabel of a clip) raises ESafecallException, as a failing player
    // call does.
    void SetZoomRect(int left, int top, int right, int bottom);
    void Zoom(int factor);
    void Pan(int x, int y, int mode);
    void Back();    // one frame back, stopped there
    void Forward(); // one frame on, stopped there
    void Rewind();  // the first frame, stopped there
    void StopPlay();
    int PercentLoaded() const; // movies come whole from memory: 100 once in
    bool FrameLoaded(int frameNum) const;
    // The movie at `url` (relative to Base, served through the events below) into
    // `layer`; "" empties the layer. Other schemes are refused: the host is offline.
    void LoadMovie(int layer, const QString& url);
    void TGotoFrame(const QString& target, int frameNum);
    void TGotoLabel(const QString& target, const QString& label);
    int TCurrentFrame(const QString& target);
    QString TCurrentLabel(const QString& target);
    void TPlay(const QString& target);
    void TStopPlay(const QString& target);
    void SetVariable(const QString& name, const QString& value);
    QString GetVariable(const QString& name);
    void TSetProperty(const QString& target, int property, const QString& value);
    QString TGetProperty(const QString& target, int property);
    void TCallFrame(const QString& target, int frameNum);
    void TCallLabel(const QString& target, const QString& label);
    void TSetPropertyNum(const QString& target, int property, double value);
    double TGetPropertyNum(const QString& target, int property);
    double TGetPropertyAsNumber(const QString& target, int property);
    QString CallFunction(const QString& request);
    // The answer the movie's external call gets (from an OnFlashCall handler).
    void SetReturnValue(const QString& returnValue);

    // Dragging the control onto another (DragMode, DragCursor, and the drag events on
    // DragDock(): OnStartDrag, OnDragOver, OnDragDrop, OnEndDrag), as other controls do.
    DRAG_DOCK_ACCESSORS(dragDock_)

    QMenu* PopupMenu() const { return popupMenu_; }
    void setPopupMenu(QMenu* menu) { popupMenu_ = menu; }
    bool StandartMenu() const { return props_.StandartMenu; }
    void setStandartMenu(bool on);

    // Setting Movie loads it (LoadMovie into layer 0).
    QString Movie() const { return props_.Movie; }
    void setMovie(const QString& url);
    // With a loaded movie these answer and drive the movie; otherwise the kept value.
    int FrameNum() const;
    void setFrameNum(const int& frame);
    bool Playing() const;
    void setPlaying(const bool& on);
    // Quality (0 low, 1 high, 2 auto-low, 3 auto-high) and Quality2 ("Low", "Medium",
    // "High", "Best", "AutoLow", "AutoHigh") are one setting, as are BackgroundColor
    // ($00BBGGRR, -1 the movie's own) and BGColor ("#RRGGBB"): the later write wins.
    int Quality() const { return props_.Quality; }
    void setQuality(const int& quality);
    // ScaleMode (0 ShowAll, 1 NoBorder, 2 ExactFit, 3 NoScale) and Scale, AlignMode
    // (1 left, 2 right, 4 top, 8 bottom) and SAlign ("TL"...) are one setting each.
    int ScaleMode() const { return props_.ScaleMode; }
    void setScaleMode(const int& mode);
    int AlignMode() const { return props_.AlignMode; }
    void setAlignMode(const int& mode);
    int BackgroundColor() const { return props_.BackgroundColor; }
    void setBackgroundColor(const int& color);
    PELUMO_FLASH_PROPERTY(bool, Loop)
    QString WMode() const { return props_.WMode; }
    void setWMode(const QString& value);
    QString SAlign() const { return props_.SAlign; }
    void setSAlign(const QString& align);
    PELUMO_FLASH_PROPERTY(bool, Menu)
    PELUMO_FLASH_PROPERTY(QString, Base)
    QString Scale() const { return props_.Scale; }
    void setScale(const QString& scale);
    PELUMO_FLASH_PROPERTY(bool, DeviceFont)
    PELUMO_FLASH_PROPERTY(bool, EmbedMovie)
    QString BGColor() const { return props_.BGColor; }
    void setBGColor(const QString& color);
    QString Quality2() const { return props_.Quality2; }
    void setQuality2(const QString& quality);
    PELUMO_FLASH_PROPERTY(QString, SWRemote)
    PELUMO_FLASH_PROPERTY(QString, Stacking)
    PELUMO_FLASH_PROPERTY(QString, FlashVars)
    PELUMO_FLASH_PROPERTY(QString, AllowScriptAccess)
    PELUMO_FLASH_PROPERTY(QString, MovieData)
    PELUMO_FLASH_PROPERTY(bool, AllowFullscreen)

    bool hasPlayer() const { return backend_ != nullptr; }
    flashhost::MovieBackend* backend() const { return backend_; }
    // The SWF version of the loaded movie; 0 before the first load.
    int movieVersion() const { return movieVersion_; }
    // False while the player is suspended (hidden, or parked off the screen).
    bool isPlayerActive() const { return active_; }

    QSize sizeHint() const override { return QSize(100, 100); }

signals:
    void OnFSCommand(const QString& command, const QString& args);
    void OnClick();
    void OnDblClick();
    // The keyboard focus came into the control, or left it for another control of the
    // program (not when the whole window lost it).
    void OnEnter();
    void OnExit();
    // Control coordinates; `shift` holds ssDouble on a double click. A right release never
    // comes: it opens the PopupMenu.
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void OnReadyStateChange(int newState);
    void OnProgress(int percentDone); // movies come whole from memory: 100 once in
    // A file the movie asks for beside it (`url` relative to the movie): a handler of
    // the first may fill the stream and set `handled`; else what the second writes
    // serves it; else a stream the third hands out (the control owns it: it goes back
    // through the fourth once read, then is deleted); else the file comes from Base.
    void OnLoadExternalResourceEx(const QString& url, QIODevice& stream, bool& handled);
    void OnLoadExternalResource(const QString& url, QIODevice& stream);
    void OnLoadExternalResourceAsync(const QString& path, QIODevice*& stream);
    void OnUnloadExternalResourceAsync(QIODevice* stream);
    // An external call of the movie ("<invoke name=...>"); never with AllowScriptAccess
    // "never".
    void OnFlashCall(const QString& request);
    void loadFailed();

protected:
    TFlashHostControl(flashhost::BackendKind kind, QWidget* parent);
    // Makes the player unless there is one already.
    void createPlayer();
    virtual void setupPlayerView(QWidget* view);

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    flashhost::FlashProps props_;
    bool forceTransparent_ = false;

private:
    void propsChanged();
    // The player's version as the calls are gated: at most 8, -1 without a player.
    int gateVersion() const;
    void submitFrame(const flashhost::FrameOp& op);
    void scheduleFlush();
    void flush();
    void runLoad(int loadId, const std::vector<flashhost::FrameOp>& prelude);
    void setReadyState(int state);
    void onBackendReady();
    void onMovieReady();
    void onLoadFailed();
    void onFrameState(int frame0, bool playing, int seq);
    void onFsCommand(const QString& command, const QString& args);
    void onFlashCall(const QString& request, QString* answer);
    void onExternalResource(const QString& url, std::optional<flashhost::ServedResource>* served);
    void startLoad(const QByteArray& bytes);
    void loadLayer(int layer, const QByteArray& bytes);
    // The bytes of the movie at `url` as LoadMovie finds it.
    std::optional<QByteArray> movieAt(const QString& url);
    void clearMovie();
    void failLoad();
    // A call into the loaded movie's clips (none without a movie or below `gate`).
    void submitMovieCall(int gate, const flashhost::FrameOp& op);
    // Asks the loaded movie and waits for the answer; raises when there is none.
    QVariant askMovie(const char* call, const QString& callback, const QVariantList& args);
    QVariant propertyOf(const char* call, const QString& target, int property);
    bool prepareZoom();
    void applyZoom();
    void watchInput(QWidget* widget);
    bool routeInput(QEvent* event);
    // A press, move or release that belongs to a drag of the control.
    bool routeDrag(QEvent* event);
    void focusMoved(QEvent* event);
    void scheduleActivityCheck();
    void updateActivity();
    bool shouldBeActive() const;

    flashhost::BackendKind kind_;
    flashhost::MovieBackend* backend_ = nullptr;
    flashhost::CommandQueue queue_;
    std::optional<flashhost::MovieToLoad> pendingMovie_;
    TDragDock* dragDock_;
    bool entered_ = false;
    QPointer<QMenu> popupMenu_;
    QPointer<QWidget> input_;
    QPointer<QWidget> watchedWindow_;
    bool flushScheduled_ = false;
    bool activityScheduled_ = false;
    bool active_ = true;
    int loadId_ = 0;
    int seq_ = 0;
    int reportedSeq_ = -1; // the call the movie's last report knew of
    int movieVersion_ = 0;
    std::map<int, QString> labels_; // the root's frame labels by frame
    QSizeF stageSize_;
    flashhost::ZoomView zoom_;
    QString returnValue_;
    int totalFrames_ = 0;
    int readyState_ = 0;
    int frame_ = 0;
    bool playing_ = false;
};

// Whether the stand-in player can run here (its files present and the host started).
bool IsFlashInstalled();

// Whether a form can be made per-pixel translucent here (MakeParentTransparent).
bool IsTransparencySupported();

// Pixels to HIMETRIC units (hundredths of a millimetre) and back, at `dpiX` and `dpiY`
// pixels per inch, rounded halves away from zero; -1 on an axis without pixels per inch
// or beyond an int. Without them, the screen's logical pixels per inch.
QPoint PixelsToHimetric(const QPoint& pixels, int dpiX, int dpiY);
QPoint HimetricToPixels(const QPoint& himetric, int dpiX, int dpiY);
QPoint PixelsToHimetric(const QPoint& pixels);
QPoint HimetricToPixels(const QPoint& himetric);
inline QSize PixelsToHimetric(const QSize& pixels) {
    const QPoint p = PixelsToHimetric(QPoint(pixels.width(), pixels.height()));
    return QSize(p.x(), p.y());
}
inline QSize HimetricToPixels(const QSize& himetric) {
    const QPoint p = HimetricToPixels(QPoint(himetric.width(), himetric.height()));
    return QSize(p.x(), p.y());
}
