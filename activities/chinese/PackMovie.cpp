#include "activities/chinese/PackMovie.h"

#include "flashhost/FlashHostControl.h"
#include "platform/ContentPack.h"

#include <QBuffer>

namespace chinese {

bool playPackMovie(TFlashHostControl* player, const std::shared_ptr<platform::ContentPack>& pack,
                   const QString& item) {
    if (!player || !pack || !pack->contains(item, QStringLiteral("Flash")))
        return false;
    QByteArray movie = pack->read(item, QStringLiteral("Flash"));
    QBuffer stream(&movie);
    stream.open(QIODevice::ReadOnly);
    player->LoadMovieFromStream(0, stream);
    player->SetFocus();
    return true;
}

} // namespace chinese
