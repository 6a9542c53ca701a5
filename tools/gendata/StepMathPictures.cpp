// Pictures the mathematics activities read from the data folder: the things to count
// ("Number0".."Number30" in the shared pack "Data/kjfile/pic.dat"), the counting
// pictures beside the rhyme sounds, the comparison pictures and the pictures behind
// the pair game's board.
#include "content/tables/CompareKinds.h"
#include "tools/gendata/Generator.h"
#include "tools/gendata/Packs.h"
#include "tools/lib/ArtKit.h"
#include "tools/lib/MathArt.h"

#include <iterator>

namespace gendata {
namespace {

void makeMathPictures(Output& out) {
    using tools::art::jpeg;
    namespace ma = tools::mathart;

    for (int n = 1; n <= 8; ++n)
        out.writeData(QStringLiteral("Data/sound/Number/%1.jpg").arg(n),
                      jpeg(ma::countingPicture(n), 92));

    // Kind k's pictures, in the program's order of kinds (kind 0 has none).
    for (int kind = 0; kind < int(std::size(tables::kCompareKinds)); ++kind) {
        const tables::CompareKind& c = tables::kCompareKinds[kind];
        for (int n = 1; n <= c.pictures; ++n)
            out.writeData(QStringLiteral("Data/picture/byb/") + QString::fromUtf8(c.prefix) +
                              QString::number(n) + QStringLiteral(".jpg"),
                          jpeg(ma::comparePicture(kind, n), 92));
    }

    for (int n = 1; n <= 15; ++n)
        out.writeData(QStringLiteral("Data/picture/ddp/%1.jpg").arg(n),
                      jpeg(ma::pairBackground(n), 88));
}

const RegisterStep step{"mathpictures", &makeMathPictures};

// The pictures "Number0".."Number30" of the shared picture pack, to count.
const AddToPack numbers{"Data/kjfile/pic.dat", "mathpictures", [](Output&) {
                            QList<PackItem> items;
                            for (int n = 0; n <= 30; ++n)
                                items.append(
                                    {QStringLiteral("Number%1").arg(n), QStringLiteral("JPG"),
                                     tools::art::jpeg(tools::mathart::numberPicture(n), 88)});
                            return items;
                        }};

} // namespace
} // namespace gendata
