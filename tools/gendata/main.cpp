// Makes the demo data folder and the program resources from content/.
#include "tools/gendata/Generator.h"
#include "tools/gendata/Packs.h"

#include <QCommandLineParser>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    QCommandLineOption contentOpt("content", "content sources", "dir");
    QCommandLineOption outOpt("out", "program folder to fill", "dir");
    QCommandLineOption resOpt("res", "folder of the program resources", "dir");
    QCommandLineOption onlyOpt("only", "run only this step", "name");
    parser.addOptions({contentOpt, outOpt, resOpt, onlyOpt});
    parser.addHelpOption();
    parser.process(app);
    if (!parser.isSet(contentOpt) || !parser.isSet(outOpt) || !parser.isSet(resOpt)) {
        std::fprintf(stderr, "usage: pelumo-gendata --content DIR --out DIR --res DIR\n");
        return 2;
    }
    gendata::Output out(parser.value(contentOpt), parser.value(outOpt), parser.value(resOpt));
    // The packs that several steps add items to are written last, by the step "packs".
    std::vector<gendata::Step> steps = gendata::steps();
    steps.push_back({"packs", &gendata::writePacks});
    QElapsedTimer total;
    total.start();
    try {
        for (const gendata::Step& step : steps) {
            if (parser.isSet(onlyOpt) && parser.value(onlyOpt) != QLatin1String(step.name))
                continue;
            QElapsedTimer t;
            t.start();
            step.run(out);
            std::printf("gendata: %-12s %6lld ms\n", step.name,
                        static_cast<long long>(t.elapsed()));
        }
        // A partial run must not shrink the manifest to one step's files.
        if (!parser.isSet(onlyOpt))
            out.finish();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gendata: %s\n", e.what());
        return 1;
    }
    std::printf("gendata: %d files written\n", out.writtenCount());
    // The size of what the program ships, and what making it took.
    qint64 bytes = 0;
    QDirIterator it(parser.value(outOpt) + QStringLiteral("/Data"), QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        bytes += it.fileInfo().size();
    }
    const QByteArray summary = QStringLiteral("Data/: %1 MB, generated in %2 s\n")
                                   .arg(double(bytes) / (1024 * 1024), 0, 'f', 1)
                                   .arg(double(total.elapsed()) / 1000, 0, 'f', 0)
                                   .toUtf8();
    std::fputs(summary.constData(), stdout);
    // Kept beside the program, where the build prints it once everything is built.
    QFile kept(parser.value(outOpt) + QStringLiteral("/gendata-summary.txt"));
    if (kept.open(QIODevice::WriteOnly))
        kept.write(summary);
    return 0;
}
