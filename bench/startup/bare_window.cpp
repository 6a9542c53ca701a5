// A bare Qt window showing one 900x675 picture: what start-up costs without the program.
// It marks the same steps as the program where it has them (see app/StartupTrace.h).
#include "app/StartupTrace.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

namespace {

using startup::mark;

class Picture : public QLabel {
protected:
    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        if (!painted_) {
            painted_ = true;
            QTimer::singleShot(0, [] { mark("first paint"); });
        }
    }

private:
    bool painted_ = false;
};

} // namespace

int main(int argc, char** argv) {
    mark("main");
    QApplication app(argc, argv);
    mark("application");
    QPixmap pm(900, 675);
    pm.fill(QColor(0xF7, 0xEB, 0x09));
    QPainter(&pm).drawEllipse(236, 169, 338, 338);
    Picture label;
    label.setWindowTitle(QStringLiteral("BareWindow"));
    label.setPixmap(pm);
    mark("main window built");
    label.show();
    mark("shown");
    return app.exec();
}
