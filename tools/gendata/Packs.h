#pragma once
// Packs that items from several steps go into, such as "Data/kjfile/pic.dat". A step
// declares its items beside its own step, in its own file:
//
//   const gendata::AddToPack numbers{"Data/kjfile/pic.dat", "mathpictures", [](Output&) {
//       QList<gendata::PackItem> items;
//       items.append({QStringLiteral("Number0"), QStringLiteral("JPG"), jpegBytes});
//       return items;
//   }};
//
// After every step has run, the generator builds each pack once from the items of all
// its declarations (in any order of registration) and writes it: one writer per pack
// file. A name declared twice for one pack fails the build, naming both steps.

#include "tools/gendata/Generator.h"

#include <QList>
#include <functional>

namespace gendata {

struct PackItem {
    QString name;
    QString type; // "JPG", "Flash", ...
    QByteArray bytes;
};

struct AddToPack {
    AddToPack(const char* pack, const char* step, std::function<QList<PackItem>(Output&)> items);
};

// Builds and writes every declared pack; run by the generator after its steps.
void writePacks(Output& out);

} // namespace gendata
