#include "tools/gendata/Packs.h"

#include "tools/lib/PackBuilder.h"

#include <map>

namespace gendata {
namespace {

struct Contribution {
    const char* step;
    std::function<QList<PackItem>(Output&)> items;
};

std::map<QString, std::vector<Contribution>>& contributions() {
    static std::map<QString, std::vector<Contribution>> c;
    return c;
}

} // namespace

AddToPack::AddToPack(const char* pack, const char* step,
                     std::function<QList<PackItem>(Output&)> items) {
    contributions()[QString::fromUtf8(pack)].push_back({step, std::move(items)});
}

void writePacks(Output& out) {
    for (const auto& [path, list] : contributions()) {
        tools::PackBuilder pack(path);
        for (const Contribution& c : list)
            for (const PackItem& item : c.items(out))
                pack.add(QString::fromUtf8(c.step), item.name, item.type, item.bytes);
        out.writeData(path, pack.build());
    }
}

} // namespace gendata
