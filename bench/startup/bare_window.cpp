// A bare Qt window showing one 900x675 picture: what start-up costs without the program.
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QPixmap pm(900, 675);
    pm.fill(QColor(0xF7, 0xEB, 0x09));
    QPainter(&pm).drawEllipse(236, 169, 338, 338);
    QLabel label;
    label.setWindowTitle(QStringLiteral("BareWindow"));
    label.setPixmap(pm);
    label.show();
    return app.exec();
}
