// Pictures the mathematics activities read from the data folder: the things to count
// in the pack "pic.dat", the counting pictures beside the rhyme sounds, the
// comparison pictures and the pictures behind the pair game's board.
#include "tools/gendata/Generator.h"
#include "tools/lib/ArtKit.h"
#include "tools/lib/MathArt.h"
#include "tools/lib/PackWriter.h"

#include <QList>
#include <QPair>

namespace gendata {

// The items of "Data/kjfile/pic.dat" that the mathematics activities need: pictures
// "Number0".."Number30" of type "JPG". Other activities add their own items to the
// same pack.
QList<QPair<QString, QByteArray>> mathPackItems() {
    QList<QPair<QString, QByteArray>> items;
    for (int n = 0; n <= 30; ++n)
        items.append({QStringLiteral("Number%1").arg(n),
                      tools::art::jpeg(tools::mathart::numberPicture(n), 88)});
    return items;
}

namespace {

void makeMathPictures(Output& out) {
    using tools::art::jpeg;
    namespace ma = tools::mathart;

    tools::PackWriter pack;
    for (const auto& item : mathPackItems())
        pack.add(item.first, QStringLiteral("JPG"), item.second);
    const QByteArray packBytes = pack.build();
    if (packBytes.isEmpty())
        throw std::runtime_error("the picture pack could not be built");
    out.writeData(QStringLiteral("Data/kjfile/pic.dat"), packBytes);

    for (int n = 1; n <= 8; ++n)
        out.writeData(QStringLiteral("Data/sound/Number/%1.jpg").arg(n),
                      jpeg(ma::countingPicture(n), 92));

    const struct {
        int kind;
        const char* prefix;
        int count;
    } compare[] = {{1, "", 10}, {2, "粗", 10}, {3, "宽", 6}, {4, "高", 7}, {5, "长", 6}};
    for (const auto& c : compare)
        for (int n = 1; n <= c.count; ++n)
            out.writeData(QStringLiteral("Data/picture/byb/") + QString::fromUtf8(c.prefix) +
                              QString::number(n) + QStringLiteral(".jpg"),
                          jpeg(ma::comparePicture(c.kind, n), 92));

    for (int n = 1; n <= 15; ++n)
        out.writeData(QStringLiteral("Data/picture/ddp/%1.jpg").arg(n),
                      jpeg(ma::pairBackground(n), 88));
}

const RegisterStep step{"mathpictures", &makeMathPictures};

} // namespace
} // namespace gendata
