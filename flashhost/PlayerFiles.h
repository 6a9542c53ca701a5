#pragma once
// Where the host page and the web player's files come from: the URL scheme that serves
// them and the player's folder.

#include <QString>

namespace flashhost {

inline constexpr char kScheme[] = "pelumo";
inline constexpr char kSchemeHost[] = "player";

// The folder of the web player's files, "ruffle" in the program folder; empty when it
// does not hold the player.
QString playerDir();
// Tests: the player's files are looked for in `dir` instead; empty restores.
void setPlayerDir(const QString& dir);

} // namespace flashhost
