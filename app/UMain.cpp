#include "app/UMain.h"

#include "app/FormRegistry.h"
#include "app/Guard.h"
#include "app/ShellState.h"
#include "app/StartupTrace.h"
#include "app/UbtnState.h"
#include "platform/AtomicFile.h"
#include "platform/CursorLoader.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "platform/ShellOpen.h"
#include "platform/SoundLibrary.h"
#include "platform/Translations.h"
#include "widgets/TFlatPanelUnit.h"
#include "widgets/ThemedMenu.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QMenu>
#include <QMouseEvent>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWindow>

QPointer<TFrmmain> Frmmain;

std::unique_ptr<QFileDialog> TFrmmain::photoDialog(QWidget* parent) {
    auto dlg = std::make_unique<QFileDialog>(
        parent, QStringLiteral("请选择您宝宝的图片，但注意尺寸大小！"));
    dlg->setNameFilter(QStringLiteral("*.jpg (*.jpg *.JPG *.jpeg *.JPEG)"));
    dlg->setDefaultSuffix(QStringLiteral("jpg"));
    dlg->setFileMode(QFileDialog::ExistingFile);
    platform::chineseFileDialog(*dlg);
    return dlg;
}

std::function<QString(QWidget*)> TFrmmain::choosePhotoFile = [](QWidget* parent) {
    const std::unique_ptr<QFileDialog> dlg = photoDialog(parent);
    return dlg->exec() == QDialog::Accepted && !dlg->selectedFiles().isEmpty()
               ? dlg->selectedFiles().first()
               : QString();
};

std::function<void(QMenu*)> TFrmmain::popupMenu = [](QMenu* m) { m->exec(QCursor::pos()); };

std::function<void()> TFrmmain::terminateApplication = [] {
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
};

namespace {
constexpr const char* kPhoto = "Data\\baby.jpg";
constexpr int kPhotoMax = 500;

QString photoPath() {
    // Written as "data\baby.jpg" in one place and "Data\baby.jpg" in another: one file.
    const QString p = platform::dataPath(QString::fromLatin1(kPhoto));
    return p;
}

bool sameFile(const QString& a, const QString& b) {
    const QFileInfo fa(a), fb(b);
    return fa.exists() && fb.exists() && fa.canonicalFilePath() == fb.canonicalFilePath();
}
} // namespace

QString TFrmmain::mailLink() {
    return QStringLiteral("mailto:hello@example.org?subject=") +
           QString::fromUtf8(QUrl::toPercentEncoding(QStringLiteral("关于Pelumo的建议"))) +
           QStringLiteral("&body=") +
           QString::fromUtf8(QUrl::toPercentEncoding(QStringLiteral("作者您好！")));
}

QString TFrmmain::homePage() {
    return QStringLiteral("https://www.example.org/pelumo/");
}

TFrmmain::TFrmmain(QWidget* parent) : TForm(parent, Qt::Window | Qt::FramelessWindowHint) {
    setupUi(this);
    TImage::readShownPictures(findChildren<TImage*>());
    startup::mark("main window pictures");
    Frmmain = this;
    // Its own button minimises the program; the task bar brings it back.
    setMayMinimise(true);
    setWindowTitle(QStringLiteral("Pelumo"));
    setFixedSize(900, 675);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xF7, 0xEB, 0x09));
    setPalette(pal);
    setAutoFillBackground(true);
    pnldtt->SetParentColor(false);
    pnldtt->SetColor(clWhite);
    // The photo lies over the picture that opens the photo menu: clicks go through to it,
    // so the photo can be changed again once it is set.
    pnldtt->setAttribute(Qt::WA_TransparentForMouseEvents);
    imgbaby->setAttribute(Qt::WA_TransparentForMouseEvents);

    popyy = new QMenu(this);
    N14 = popyy->addAction(QStringLiteral("修改当前大头贴"));
    N7 = popyy->addAction(QStringLiteral("恢复默认图片"));
    pophelp = new QMenu(this);
    W2 = pophelp->addAction(QStringLiteral("给我写信(&W)"));
    H1 = pophelp->addAction(QStringLiteral("帮助(&H)"));
    N14->setObjectName(QStringLiteral("N14"));
    N7->setObjectName(QStringLiteral("N7"));
    W2->setObjectName(QStringLiteral("W2"));
    H1->setObjectName(QStringLiteral("H1"));
    connect(N14, &QAction::triggered, this, [this] { guarded([this] { N14Click(); }); });
    connect(N7, &QAction::triggered, this, [this] { guarded([this] { N7Click(); }); });
    connect(W2, &QAction::triggered, this, [this] { guarded([this] { W2Click(); }); });
    connect(H1, &QAction::triggered, this, [this] { guarded([this] { H1Click(); }); });
    ThemedMenu1 = new TThemedMenu(this);
    ThemedMenu1->setObjectName(QStringLiteral("ThemedMenu1"));
    ThemedMenu1->SetFont(QFont(QStringLiteral("宋体"), 9));
    ThemedMenu1->SetThemedControls(TThemedTypes::xcMainMenu | TThemedTypes::xcPopupMenu);
    ThemedMenu1->SetGradient(true);
    ThemedMenu1->SetActive(true);

    wirePictureButtons();
    // The hover look of the photo's picture lies under the photo, not over it: with a
    // photo set, the photo is what shows.
    pnldtt->raise();
    const std::pair<TImage*, void (TFrmmain::*)()> clicks[] = {
        {imgclose, &TFrmmain::imgcloseClick}, {imgexit, &TFrmmain::imgcloseClick},
        {imgktrw, &TFrmmain::imgktrwClick},   {imgyygj, &TFrmmain::imgyygjClick},
        {imgwzsx, &TFrmmain::imgwzsxClick},   {imgywtd, &TFrmmain::imgywtdClick},
        {imgyzly, &TFrmmain::imgyzlyClick},   {imgyyzzl, &TFrmmain::imgyyzzlClick},
        {imgkey, &TFrmmain::imgkeyClick},     {imgmini, &TFrmmain::imgminiClick},
        {imgdtt, &TFrmmain::imgdttClick},     {imghelp, &TFrmmain::imghelpClick},
        {imghome, &TFrmmain::imghomeClick},
    };
    for (const auto& [img, handler] : clicks)
        connect(img, &TImage::OnClick, this, handler);
    connect(imgbg, &TImage::OnMouseDown, this,
            [this](Qt::MouseButton b, QPoint) { imgbgMouseDown(b); });
    imgbg->installEventFilter(this);
    connect(chkrec, &TCheckBox::OnClick, this, &TFrmmain::chkrecClick);
    Label1->installEventFilter(this);
    Label1->setCursor(Qt::PointingHandCursor);

    FormCreate();
}

TFrmmain::~TFrmmain() = default;

void TFrmmain::FormCreate() {
    // 1. Window shape: rounded corners of 53 px ellipses, the photo frame a circle.
    QPainterPath round;
    round.addRoundedRect(QRectF(0, 0, 900, 675), 26.5, 26.5);
    setMask(QRegion(round.toFillPolygon().toPolygon()));
    pnldtt->setMask(QRegion(0, 0, 335, 335, QRegion::Ellipse));

    // 2. True colour.
    swallowed([] {
        QScreen* s = QGuiApplication::primaryScreen();
        IsTrueColor = s && s->depth() >= 32;
    });

    // 3. The program's own sounds; only "wrong" (the click) is played.
    swallowed([this] {
        QFile ok(QStringLiteral(":/wav/ok")), wrong(QStringLiteral(":/wav/wrong"));
        if (ok.open(QIODevice::ReadOnly))
            OkWave = ok.readAll();
        if (wrong.open(QIODevice::ReadOnly))
            WrongWave = wrong.readAll();
        shell::setClickSound(WrongWave);
    });
    shell::setJudgementPictures(imgright->Picture(), imgwrong->Picture());
    shell::setMusicSwitch(chkrec);
    shell::setMainWindow(this);

    // 4, 5. Cursors: 1 the program's pointer, 2 and 3 for dragging games.
    swallowed([] {
        const char* files[] = {"DATA\\self.ani", "DATA\\jx.cur", "DATA\\move.ani"};
        for (int i = 0; i < 3; ++i) {
            const auto frames =
                platform::loadCursorFile(platform::dataPath(QString::fromLatin1(files[i])));
            if (!frames.empty())
                shell::setScreenCursor(i + 1, QCursor(QPixmap::fromImage(frames.front().image),
                                                      frames.front().hotspot.x(),
                                                      frames.front().hotspot.y()));
        }
    });
    shell::prepareNewWindow(this);

    // 6. The child's photo.
    swallowed([this] {
        if (QFile::exists(photoPath()))
            showPhoto(photoPath());
    });

    startup::mark("main window looks");
    // 7. Sound library.
    // A library that is not the right one was said once; its failures that follow from
    // that are not said again.
    auto& snd = platform::soundLibrary();
    const bool fits = shell::soundLibraryFits();
    const bool started = snd.Init(-1, 44100, 0, nullptr, nullptr);
    if (fits && !started)
        platform::showMessage(nullptr, QStringLiteral("初始化错误!"), QString(),
                              platform::MB_ICONERROR);

    // 8, 9. Background music, looping.
    swallowed([&snd] {
        BgMusicChannel =
            snd.StreamCreateFile(platform::dataPath(QStringLiteral("DATA\\Sound\\bg.mp3")), 4);
    });
    if (!snd.ChannelPlay(BgMusicChannel, false) && fits && started)
        platform::showMessage(nullptr, QStringLiteral("播放音乐文件失败!"), QString(),
                              platform::MB_ICONERROR);
    startup::mark("sound and music");
}

void TFrmmain::showPhoto(const QString& path) {
    if (imgbaby->loadFromFile(path))
        pnldtt->show();
    else
        pnldtt->hide();
}

TForm::CloseAction TFrmmain::FormClose() {
    platform::soundLibrary().Free();
    terminateApplication();
    return CloseAction::Hide;
}

void TFrmmain::imgcloseClick() {
    close();
}

void TFrmmain::openSection(const QString& className) {
    openFrom(this, className, LeaveMode::Hide);
}

void TFrmmain::imgktrwClick() {
    openSection(QStringLiteral("TFrmKtrw"));
}
void TFrmmain::imgyygjClick() {
    openSection(QStringLiteral("Tfrmyygj"));
}
void TFrmmain::imgwzsxClick() {
    openSection(QStringLiteral("TFrmWzsx"));
}
void TFrmmain::imgywtdClick() {
    openSection(QStringLiteral("Tfrmywtd"));
}
void TFrmmain::imgyzlyClick() {
    openSection(QStringLiteral("Tfrmyzly"));
}

void TFrmmain::imgyyzzlClick() {
    QWidget* w = openLazy(QStringLiteral("Tfrmyyzzl"));
    // The song player puts the window back from Tag when it closes.
    if (w && w->isVisible()) {
        setTag(Left());
        setLeft(-2000);
    }
}

void TFrmmain::imgkeyClick() {
    const FormEntry* e = FormRegistry::find(QStringLiteral("TfrmABCKeyboard"));
    if (!e)
        return;
    // The game knows this window as its opener and comes back here; only a game made
    // anew hides this window.
    const bool existed = e->instance() != nullptr;
    openFrom(this, QStringLiteral("TfrmABCKeyboard"), existed ? LeaveMode::Stay : LeaveMode::Hide);
}

void TFrmmain::imgminiClick() {
    showMinimized();
}
void TFrmmain::popupFrom(TImage* button, QMenu* menu) {
    popupMenu(menu);
    if (!button->rect().contains(button->mapFromGlobal(QCursor::pos())))
        SetBtnState(button, QStringLiteral("MVLeave"));
}

void TFrmmain::imgdttClick() {
    popupFrom(imgdtt, popyy);
}
void TFrmmain::imghelpClick() {
    popupFrom(imghelp, pophelp);
}
void TFrmmain::imghomeClick() {
    platform::shellOpen(homePage());
}

void TFrmmain::imgbgMouseDown(Qt::MouseButton button) {
    if (button != Qt::LeftButton)
        return;
    // Let the window manager move the borderless window; where it cannot, follow the
    // mouse ourselves.
    QWindow* win = windowHandle();
    dragging_ = !(win && win->startSystemMove());
    dragOffset_ = QCursor::pos() - pos();
}

bool TFrmmain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == imgbg && dragging_) {
        if (event->type() == QEvent::MouseMove) {
            move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - dragOffset_);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            dragging_ = false;
        }
    } else if (watched == Label1 && event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        guarded([this] { Label1Click(); });
        return true;
    }
    return TForm::eventFilter(watched, event);
}

void TFrmmain::chkrecClick() {
    auto& snd = platform::soundLibrary();
    if (chkrec->isChecked())
        snd.ChannelPlay(BgMusicChannel, false);
    else
        snd.ChannelStop(BgMusicChannel);
}

void TFrmmain::Label1Click() {
    chkrec->setChecked_(!chkrec->isChecked());
}

void TFrmmain::N14Click() {
    platform::showMessage(
        this,
        QStringLiteral(
            "请注意将您宝宝的图片大小修改为：图片长<500像素，图片宽<500像素!\r"
            "如果您的尺寸超出限制，因为会造成软件启动变慢，所以软件不会采用大尺寸图片。\r"
            "我们建议最佳尺寸为：图片长=335像素，图片宽=335像素！"),
        QStringLiteral("宝宝大头贴图片设置说明！"), platform::MB_ICONINFORMATION);
    swallowed([this] {
        const QString chosen = choosePhotoFile(this);
        if (chosen.isEmpty())
            return;
        QImageReader reader(chosen);
        const QSize size = reader.size();
        if (!size.isValid())
            return; // not a picture: nothing to say, as before
        const QString caption = QStringLiteral("宝宝大头贴图片设置出错！");
        QString refusal;
        if (size.width() > kPhotoMax && size.height() > kPhotoMax)
            refusal = QStringLiteral(
                "您的图片长度和宽度均大于500像素，请手动修改图片大小为500*500像素以内！");
        else if (size.width() > kPhotoMax)
            refusal =
                QStringLiteral("您的图片长度大于500像素，请手动修改图片大小为500*500像素以内！");
        else if (size.height() > kPhotoMax)
            refusal =
                QStringLiteral("您的图片宽度大于500像素，请手动修改图片大小为500*500像素以内！");
        if (!refusal.isEmpty()) {
            platform::showMessage(this, refusal, caption, platform::MB_ICONERROR);
            return;
        }
        imgbaby2->clearPicture();
        QCoreApplication::processEvents();

        // Copied whole into place, so that a failed or killed copy never loses the photo
        // there was nor leaves a partial file; choosing the current photo keeps it.
        const QString target = photoPath();
        bool ok = true;
        if (!sameFile(chosen, target)) {
            QFile src(chosen);
            QDir().mkpath(QFileInfo(target).absolutePath());
            ok = src.open(QIODevice::ReadOnly);
            const QByteArray bytes = ok ? src.readAll() : QByteArray();
            ok = ok && src.error() == QFileDevice::NoError &&
                 platform::replaceFileContents(target, bytes);
        }
        if (!ok) {
            platform::showMessage(
                this, QStringLiteral("设置宝宝大头贴出错，请确保未使用当前的宝宝大头贴图片！"),
                caption, platform::MB_ICONERROR);
            return;
        }
        showPhoto(target);
    });
}

void TFrmmain::N7Click() {
    const QString path = photoPath();
    if (!QFileInfo::exists(path))
        return;
    if (!QFile::remove(path)) {
        // The photo stays, so it stays shown.
        platform::showMessage(
            this, QStringLiteral("恢复默认图片出错，请确保未使用当前的宝宝大头贴图片！"),
            QStringLiteral("恢复默认大头贴图片出错！"), platform::MB_ICONERROR);
        return;
    }
    imgbaby->clearPicture();
    pnldtt->hide();
}

void TFrmmain::H1Click() {
    QCoreApplication::processEvents();
    platform::shellOpen(platform::programDir() + QStringLiteral("/Pelumo帮助.chm"));
}

void TFrmmain::W2Click() {
    if (!platform::shellOpen(mailLink()))
        platform::showMessage(
            this,
            QStringLiteral("无法加载邮件发送程序，请检查您的邮件发送程序的完整性！\r"
                           "您也可以通过网站的邮箱给我发信，感谢您的意见与建议！"),
            QStringLiteral("邮件程序加载失败！"), platform::MB_ICONINFORMATION);
}
