#pragma once
// The idiom lessons: a card per idiom (the idiom, its explanation, an example, a
// picture and spoken sounds) and a short movie; the card and the movie take turns,
// the movie can fill the screen, and the automatic mode starts the movie by itself
// a while after a card was shown.

#include "activities/chinese/ChineseTables.h"

namespace chinese {

// The built-in idioms ("cy": idiom, explanation, example), one row for every idiom
// of the list.
const Table& idiomTable();

struct IdiomFiles {
    QString picture;     // "DATA\picture\xchy\" + idiom + ".jpg"
    QString speech;      // "DATA\Sound\" + idiom + ".mp3"
    QString explanation; // "DATA\sound\xchy\" + idiom + "1.mp3"
    QString example;     // "DATA\sound\xchy\" + idiom + "2.mp3"
};
IdiomFiles idiomFiles(const QString& idiom);

class IdiomBook {
public:
    enum class View { Card, Movie, FullScreen };
    // What the automatic mode's check does to the movie's start clock.
    enum class AutoStart { Cancel, Arm, Keep };

    explicit IdiomBook(Table rows);
    IdiomBook(); // the built-in idioms

    int count() const { return static_cast<int>(rows_.size()); }
    int index() const { return index_; }
    // False (nothing changes) for an entry the table has no row for.
    bool select(int i);
    bool previous() { return select(index_ - 1); }
    bool next() { return select(index_ + 1); }
    // The row of an idiom's title, or -1.
    int indexOf(const QString& idiom) const;

    QString idiom() const;
    QString explanationText() const; // four blanks + explanation
    QString exampleText() const;     // four blanks + example
    QString title(int i) const;
    QString movie() const; // "cy1" .. (pack "cy")
    IdiomFiles files() const { return idiomFiles(idiom()); }

    // The first card is shown on the first show only.
    bool firstShow() const { return firstShow_; }
    void cardShown() { firstShow_ = false; }

    View view() const { return view_; }
    // Card to movie; false when the movie is on screen already.
    bool enterMovie();
    void backToCard() { view_ = View::Card; }
    // Movie to full screen, remembering the automatic switch; false unless in the movie.
    bool enterFullScreen(bool autoChecked);
    // Full screen back to the movie; false unless in full screen. `autoChecked` gets
    // the switch as it was.
    bool leaveFullScreen(bool* autoChecked);

    static AutoStart autoCheck(bool autoChecked, bool cardShown);

private:
    Table rows_;
    int index_ = 0;
    bool firstShow_ = true;
    View view_ = View::Card;
    bool savedAuto_ = false;
};

} // namespace chinese
