#include "activities/puzzles/SongPlayerRules.h"

#include <algorithm>

namespace puzzles {

const std::array<SongListInfo, 3>& songLists() {
    static const std::array<SongListInfo, 3> table = {{
        {SongList::English, "Essong", "Data\\kjfile\\Essong.dat", "lbyyeg", "imgEnSong", "popyyeg",
         27},
        {SongList::Chinese, "CHsong", "Data\\kjfile\\CHsong.dat", "lbywlbyy", "imgchsong", "popyy",
         68},
        {SongList::Rhymes, "tongyao", "Data\\kjfile\\tongyao.dat", "lbty", "imgtongyao",
         "popTongYao", 65},
    }};
    return table;
}

const SongListInfo& songListInfo(SongList list) {
    return songLists()[static_cast<size_t>(list)];
}

QStringList parseTitles(const QString& text) {
    QStringList titles;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            titles << line;
    }
    return titles;
}

std::vector<PopupEntry> popupEntries(const QStringList& titles) {
    std::vector<PopupEntry> entries = {
        {QStringLiteral("---【 工具按钮 】---"), PopupAction::None},
        {QString(), PopupAction::Separator},
        {QStringLiteral("重    播"), PopupAction::Replay},
        {QStringLiteral("上一首"), PopupAction::Previous},
        {QStringLiteral("下一首"), PopupAction::Next},
        {QStringLiteral("返    回"), PopupAction::Back},
        {QString(), PopupAction::Separator},
        {QStringLiteral("---【 播放列表 】---"), PopupAction::None},
        {QString(), PopupAction::Separator},
    };
    for (int i = 0; i < titles.size(); ++i)
        entries.push_back({titles[i], PopupAction::Song, i});
    return entries;
}

bool SongPlayer::chooseList(SongList list, int count) {
    if (loaded_ && list == list_)
        return false;
    loaded_ = true;
    list_ = list;
    count_ = std::max(0, count);
    selected_ = count_ > 0 ? 0 : -1;
    rest_ = 0;
    if (list == SongList::Rhymes)
        auto_ = false;
    return true;
}

QString SongPlayer::item() const {
    if (!loaded_ || selected_ < 0 || selected_ >= count_)
        return {};
    return QString::fromLatin1(songListInfo(list_).prefix) + QString::number(selected_ + 1);
}

QString SongPlayer::select(int index) {
    if (index < 0 || index >= count_)
        return {};
    selected_ = index;
    rest_ = 0;
    return item();
}

QString SongPlayer::replay() {
    rest_ = 0;
    return item();
}

QString SongPlayer::previous() {
    return selected_ > 0 ? select(selected_ - 1) : QString();
}

QString SongPlayer::next() {
    return selected_ >= 0 && selected_ + 1 < count_ ? select(selected_ + 1) : QString();
}

QString SongPlayer::popupChoice(int menuPosition) {
    setAutoPlay(false);
    return select(menuPosition - kPopupFixedEntries);
}

void SongPlayer::setAutoPlay(bool on) {
    auto_ = on;
    rest_ = 0;
}

SongPlayer::Tick SongPlayer::tick(bool atLastFrame) {
    if (!auto_)
        return Tick::Stopped;
    rest_ = atLastFrame ? rest_ + 1 : 0;
    if (rest_ < kRestTicks)
        return Tick::Wait;
    if (next().isEmpty()) {
        setAutoPlay(false);
        return Tick::Stopped;
    }
    return Tick::PlayNext;
}

} // namespace puzzles
