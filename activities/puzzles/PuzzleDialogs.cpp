#include "activities/puzzles/PuzzleDialogs.h"

#include "app/ShellState.h"
#include "app/TImage.h"
#include "app/UbtnState.h"

#include <QSet>

namespace puzzles {

namespace {
ModalRunner& runner() {
    static ModalRunner r;
    return r;
}
} // namespace

void setModalRunner(ModalRunner r) {
    runner() = std::move(r);
}

int runModal(QDialog& dialog) {
    return runner() ? runner()(dialog) : dialog.exec();
}

void wireDialogButtons(QWidget* dialog) {
    const QList<TImage*> images = dialog->findChildren<TImage*>();
    QSet<QString> names;
    for (TImage* i : images)
        names.insert(i->objectName());
    for (TImage* img : images) {
        const QString name = img->objectName();
        if (name.size() > 1 && name.back().isDigit() && names.contains(name.chopped(1))) {
            img->setAttribute(Qt::WA_TransparentForMouseEvents);
            img->raise();
            continue;
        }
        if (img->Tag() >= 0)
            continue;
        QObject::connect(img, &TImage::OnMouseEnter, dialog,
                         [img] { SetBtnState(img, QStringLiteral("MVEnter")); });
        QObject::connect(img, &TImage::OnMouseLeave, dialog,
                         [img] { SetBtnState(img, QStringLiteral("MVLeave")); });
        QObject::connect(img, &TImage::OnMouseDown, dialog, [img] {
            SetBtnState(img, QStringLiteral("MVDown"));
            shell::playClick();
        });
        QObject::connect(img, &TImage::OnMouseUp, dialog,
                         [img] { SetBtnState(img, QStringLiteral("MVUp")); });
    }
}

} // namespace puzzles
