// Content packs are files a user can replace: any bytes must give a valid pack or an
// empty one, and reading every item listed must stay inside the data.

#include "platform/ContentPack.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(reinterpret_cast<const char*>(data), qsizetype(size));
    buffer->open(QIODevice::ReadOnly);
    const auto pack = platform::ContentPack::fromDevice(std::move(buffer));
    if (!pack->isValid() && !pack->types().isEmpty())
        std::abort();
    int reads = 0; // many entries may share one large item: a bounded sample is enough
    for (const QString& type : pack->types()) {
        for (const QString& name : pack->names(type)) {
            if (!pack->contains(name, type))
                std::abort();
            if (++reads <= 1000 && pack->read(name, type).size() > qsizetype(size))
                std::abort();
        }
    }
    try {
        pack->read(QStringLiteral("XHZ1"), QStringLiteral("Flash"));
    } catch (const platform::ResourceNotFound&) {
    }
    return 0;
}
