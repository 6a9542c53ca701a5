#pragma once
// The demo-data generator: every file of Data/ and every program resource is made
// by a step registered here. A step writes through `Output`, which records each
// file in the manifest and skips writing when the bytes are unchanged. Every file has
// one writer: a second write of a path fails the build.

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>
#include <vector>

namespace gendata {

class Output {
public:
    Output(QString contentDir, QString outDir, QString resDir);

    // Source text of the demo data (UTF-8), e.g. content("words/animals.txt").
    QString contentDir() const { return contentDir_; }
    QByteArray content(const QString& relative) const;

    // A file under the program folder, named as the program names it ("Data/Sound/bg.mp3").
    void writeData(const QString& relative, const QByteArray& bytes);
    // Records a file that the build makes by other means (the sound library).
    void recordData(const QString& relative);
    // How a file was made, for the build's own checks: "<out>/gendata-notes/<name>",
    // beside the program, never shipped.
    void writeNote(const QString& name, const QByteArray& bytes);
    // A program resource, compiled into the executable under ":/<alias>".
    void writeResource(const QString& alias, const QByteArray& bytes);

    // Expensive outputs (speech, MP3) are cached by a key of their inputs; returns
    // the cached bytes or runs `make` and stores its result. The notes that `make`
    // took are kept with it and taken again when the bytes come from the cache.
    QByteArray cached(const QString& key, const std::function<QByteArray()>& make);

    // A line of the build's record of what it spoke ("spoken-lines.tsv" beside Data/,
    // which the speech check reads). Safe from several threads.
    void note(const QString& line);

    // Runs an external program; throws on failure.
    static void run(const QString& program, const QStringList& args);
    QString tempDir() const;

    void finish(); // writes the manifest and the resource list
    int writtenCount() const { return written_; }

private:
    void claim(const QString& what);

    QString contentDir_, outDir_, resDir_;
    QSet<QString> claimed_; // every path written or recorded
    QStringList manifest_;
    QStringList resources_;
    QStringList notes_;
    int written_ = 0;
};

struct Step {
    const char* name;
    std::function<void(Output&)> run;
};

std::vector<Step>& steps();

// Declares a step in its own file: static gendata::RegisterStep s{"music", &makeMusic};
struct RegisterStep {
    RegisterStep(const char* name, std::function<void(Output&)> run) {
        steps().push_back({name, std::move(run)});
    }
};

} // namespace gendata
