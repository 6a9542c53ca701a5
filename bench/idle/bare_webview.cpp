// The yardstick of the idle figures: a bare Qt window holding one idle web view that
// shows a still 900x675 page, on a private profile as the program's players use.
#include <QApplication>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWebEngineProfile profile; // off the record
    QWebEngineView view;
    view.setPage(new QWebEnginePage(&profile, &view));
    view.setWindowTitle(QStringLiteral("BareWebView"));
    view.setFixedSize(900, 675);
    view.setHtml(QStringLiteral("<html><body style=\"margin:0;background:#8cc8f0\">"
                                "<div style=\"margin:200px auto;width:300px;height:200px;"
                                "background:#f7eb09;border-radius:40px\"></div></body></html>"));
    view.show();
    const int code = app.exec();
    view.setPage(nullptr);
    return code;
}
