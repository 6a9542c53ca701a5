#include "platform/Translations.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QTreeView>

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

// The file model's sizes and dates written in Chinese.
class ChineseSizesAndDates : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    enum { kSizeColumn = 1, kDateColumn = 3 };
    QVariant data(const QModelIndex& index, int role) const override {
        auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files)
            return QIdentityProxyModel::data(index, role);
        const QLocale chinese(QLocale::Chinese, QLocale::China);
        const QModelIndex file = mapToSource(index);
        if (index.column() == kSizeColumn && !files->isDir(file))
            return chinese.formattedDataSize(files->size(file));
        if (index.column() == kDateColumn)
            return chinese.toString(files->lastModified(file), QLocale::ShortFormat);
        return QIdentityProxyModel::data(index, role);
    }
};

} // namespace

void chineseFileDialog(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new ChineseSizesAndDates(&dialog));
    dialog.setLocale(QLocale(QLocale::Chinese, QLocale::China));
    // The size, kind and date columns follow what they hold (their widths were set for
    // short English texts); the name column takes the rest.
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int c = 1; c < header->count(); ++c)
            header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    }
}

bool installChineseTranslations(QApplication& app) {
    // Texts that come from the locale rather than a translation (the kinds of files the
    // file dialog names) in Chinese as well.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
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
