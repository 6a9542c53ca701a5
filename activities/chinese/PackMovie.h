#pragma once
// Plays a movie of a content pack in a movie control: the item is read, loaded into
// the control from a memory stream, and the control gets the focus. A pack or item
// that is missing leaves the control as it was.

#include <QString>
#include <memory>

class TFlashHostControl;
namespace platform {
class ContentPack;
}

namespace chinese {

bool playPackMovie(TFlashHostControl* player, const std::shared_ptr<platform::ContentPack>& pack,
                   const QString& item);

} // namespace chinese
