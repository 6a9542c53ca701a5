#include "activities/chinese/XchyRules.h"

namespace chinese {

const Table& idiomTable() {
    static const Table t = loadTable(QStringLiteral("cy"), 3);
    return t;
}

IdiomFiles idiomFiles(const QString& idiom) {
    return {QStringLiteral("DATA\\picture\\xchy\\") + idiom + QStringLiteral(".jpg"),
            QStringLiteral("DATA\\Sound\\") + idiom + QStringLiteral(".mp3"),
            QStringLiteral("DATA\\sound\\xchy\\") + idiom + QStringLiteral("1.mp3"),
            QStringLiteral("DATA\\sound\\xchy\\") + idiom + QStringLiteral("2.mp3")};
}

IdiomBook::IdiomBook(Table rows) : rows_(std::move(rows)) {}

IdiomBook::IdiomBook() : IdiomBook(idiomTable()) {}

bool IdiomBook::select(int i) {
    if (i < 0 || i >= count())
        return false;
    index_ = i;
    return true;
}

int IdiomBook::indexOf(const QString& idiom) const {
    for (int i = 0; i < count(); ++i)
        if (rows_[i].value(0) == idiom)
            return i;
    return -1;
}

QString IdiomBook::title(int i) const {
    return i >= 0 && i < count() ? rows_[i].value(0) : QString();
}

QString IdiomBook::idiom() const {
    return title(index_);
}

QString IdiomBook::explanationText() const {
    return count() ? QStringLiteral("    ") + rows_[index_].value(1) : QString();
}

QString IdiomBook::exampleText() const {
    return count() ? QStringLiteral("    ") + rows_[index_].value(2) : QString();
}

QString IdiomBook::movie() const {
    return QStringLiteral("cy") + QString::number(index_ + 1);
}

bool IdiomBook::enterMovie() {
    if (view_ != View::Card)
        return false;
    view_ = View::Movie;
    return true;
}

bool IdiomBook::enterFullScreen(bool autoChecked) {
    if (view_ != View::Movie)
        return false;
    savedAuto_ = autoChecked;
    view_ = View::FullScreen;
    return true;
}

bool IdiomBook::leaveFullScreen(bool* autoChecked) {
    if (view_ != View::FullScreen)
        return false;
    view_ = View::Movie;
    if (autoChecked)
        *autoChecked = savedAuto_;
    return true;
}

IdiomBook::AutoStart IdiomBook::autoCheck(bool autoChecked, bool cardShown) {
    if (!autoChecked)
        return AutoStart::Cancel;
    return cardShown ? AutoStart::Arm : AutoStart::Keep;
}

} // namespace chinese
