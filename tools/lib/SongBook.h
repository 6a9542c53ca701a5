#pragma once
// The songs of the song player as written in content/songs: titles, words with their
// pictures, and melodies in numbered notation; the tunes the generator makes up for
// songs without one; and the plan of a whole song (title, verses, ending) in beats.
// Errors in the book throw std::invalid_argument naming the song: a build-time tool.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace tools {

struct SongLine {
    QString picture; // an emoji
    QString words;
    int sourceLine = 0; // its line in the song book, from 1
};

struct Song {
    QString title;
    int titleLine = 0; // the title's line in the song book, from 1
    QString tune;      // numbered notation, empty when the generator makes one up
    int tonic = 60;
    std::vector<SongLine> lines;
};

std::vector<Song> parseSongBook(const QString& text);

struct MelodyNote {
    double beat;  // from the start of the phrase or song
    double beats; // length
    int midi;
};

// A melody cut into phrases of two bars (eight beats); the first note of a phrase may
// start late, a rest at its start is simply no note.
using Phrase = std::vector<MelodyNote>;
std::vector<Phrase> parseTune(const QString& notation, int tonic);

// A singable tune of `count` phrases over I, IV, V and vi, the last ending on the
// tonic; the same seed gives the same tune.
std::vector<Phrase> composeTune(int count, int tonic, uint32_t seed);

// Chords as a root (scale degree from 0) and a triad on it.
struct Chord {
    int degree = 0;
};
// The chord that fits a bar's notes best (I, IV, V, vi or ii).
Chord harmonise(const std::vector<MelodyNote>& barNotes, int tonic);

// The plan of a song: an intro of two bars showing the title, the lines each over two
// bars (all lines twice when there are five or fewer), an ending of two bars.
struct SongPlan {
    struct Slot {
        int line;
        double beat; // where the line starts
    };
    int framesPerBeat = 6; // at 12 frames a second: 120 beats a minute
    double beatSeconds() const { return framesPerBeat / 12.0; }
    double introBeats = 8;
    std::vector<Slot> verses;
    double endingBeat = 0; // the ending starts here
    double totalBeats = 0;
    std::vector<MelodyNote> melody; // the whole song, in beats from its start
    std::vector<Chord> chords;      // one per bar
    double seconds() const { return totalBeats * beatSeconds(); }
};
SongPlan planSong(const Song& song);

// Syllables of a line as a singer counts them (each CJK character one, each
// English word about one and a half).
double syllables(const QString& words);
bool isChinese(const QString& text);

// A stable seed for a text (not Qt's salted hash).
uint32_t stableSeed(const QString& text);

} // namespace tools
