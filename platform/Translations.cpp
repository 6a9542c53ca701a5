#include "platform/Translations.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace platform {

bool installChineseTranslations(QApplication& app) {
    // qtbase holds the texts of the widgets' dialogs and buttons.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QApplication::installTranslator(translator);
}

} // namespace platform
