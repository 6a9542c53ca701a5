#pragma once
// The song player's rules: the three song lists (pack, item names, popup menu), the
// selected song with replay, previous and next, and the automatic mode that moves on
// once a song's movie has stood on its last frame for a moment.

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace puzzles {

enum class SongList { English, Chinese, Rhymes };

struct SongListInfo {
    SongList list;
    const char* prefix; // song k of the list is the pack item prefix + k, from 1
    const char* pack;   // the content pack, named as the program names it
    const char* titles; // the hidden list of titles
    const char* button; // the list's picture button; its "current" picture adds "1"
    const char* popup;  // the movie's popup menu
    int count;          // songs in the pack
};

const std::array<SongListInfo, 3>& songLists();
const SongListInfo& songListInfo(SongList list);

// Titles, one a line; blank lines and lines starting with '#' are skipped.
QStringList parseTitles(const QString& text);

// The popup: nine fixed entries (tool buttons, then the list header), then one entry
// per song in list order.
constexpr int kPopupFixedEntries = 9;
enum class PopupAction { None, Separator, Replay, Previous, Next, Back, Song };
struct PopupEntry {
    QString caption;
    PopupAction action = PopupAction::None;
    int song = -1; // 0-based, for PopupAction::Song
};
std::vector<PopupEntry> popupEntries(const QStringList& titles);

class SongPlayer {
public:
    // What a Timer2 tick decided.
    enum class Tick { Wait, PlayNext, Stopped };
    // Timer2 ticks (250 ms each) a finished song rests on its last frame before the next.
    static constexpr int kRestTicks = 4;

    // Makes `list` (of `count` songs) current with its first song selected; false and
    // nothing changed when it already is current. The nursery rhymes end the automatic
    // mode.
    bool chooseList(SongList list, int count);
    SongList list() const { return list_; }
    bool hasList() const { return loaded_; }
    int count() const { return count_; }
    int selected() const { return selected_; }

    // The pack item of the selected song ("CHsong3"); empty when none is selected.
    QString item() const;

    // Each returns the item to play now, or an empty string when nothing plays.
    QString select(int index);             // a song of the visible list
    QString replay();                      // the selected song again
    QString previous();                    // nothing on the first song
    QString next();                        // the last song stays selected and nothing plays
    QString popupChoice(int menuPosition); // also switches the automatic mode off

    bool autoPlay() const { return auto_; }
    void setAutoPlay(bool on);
    // Timer2's Tag: ticks the current song has stood on its last frame.
    int restTicks() const { return rest_; }
    // One Timer2 tick; `atLastFrame` tells whether the movie stands on its last frame.
    // PlayNext has selected the next song; Stopped ends the mode after the last song.
    Tick tick(bool atLastFrame);

private:
    SongList list_ = SongList::Chinese;
    bool loaded_ = false;
    int count_ = 0;
    int selected_ = -1;
    bool auto_ = false;
    int rest_ = 0;
};

} // namespace puzzles
