#include "platform/Translations.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace platform {

namespace {

// Texts that Qt's own translation leaves in English: the kinds of entries in the file
// dialog, which moved to a class of their own that the translation does not know yet.
class MissingQtTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* sourceText, const char* = nullptr,
                      int = -1) const override {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return {};
        static const struct {
            const char* source;
            const char* chinese;
        } texts[] = {{"Folder", "文件夹"}, {"File", "文件"},  {"%1 File", "%1 文件"},
                     {"Drive", "驱动器"},  {"Alias", "替身"}, {"Shortcut", "快捷方式"},
                     {"Unknown", "未知"}};
        for (const auto& t : texts)
            if (qstrcmp(sourceText, t.source) == 0)
                return QString::fromUtf8(t.chinese);
        return {};
    }
    bool isEmpty() const override { return false; }
};

} // namespace

bool installChineseTranslations(QApplication& app) {
    QApplication::installTranslator(new MissingQtTexts(&app));
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
