#pragma once
// The published player properties of the host controls, as the form loader sets them,
// and the control's StandartMenu. The control keeps them and hands them to its player
// when the player is ready and whenever one changes.

#include <QString>

namespace flashhost {

struct FlashProps {
    QString Movie;
    int FrameNum = -1;
    bool Playing = true;
    int Quality = 1; // 0 low, 1 high, 2 auto-low, 3 auto-high
    int ScaleMode = 0;
    int AlignMode = 0;
    int BackgroundColor = -1; // -1: the movie's own
    bool Loop = true;
    QString WMode = QStringLiteral("Window");
    QString SAlign;
    bool Menu = true;
    QString Base;
    QString Scale = QStringLiteral("ShowAll");
    bool DeviceFont = false;
    bool EmbedMovie = false;
    QString BGColor;
    QString Quality2 = QStringLiteral("High");
    QString SWRemote;
    QString Stacking = QStringLiteral("below");
    QString FlashVars;
    QString AllowScriptAccess = QStringLiteral("sameDomain");
    QString MovieData;
    bool AllowFullscreen = false;
    bool StandartMenu = false; // the player's own menu may show

    bool transparent() const {
        return WMode.compare(QLatin1String("Transparent"), Qt::CaseInsensitive) == 0;
    }
};

} // namespace flashhost
