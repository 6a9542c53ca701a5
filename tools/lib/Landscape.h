#pragma once
// The sunny landscape behind window backgrounds and pictures, painted in one order:
// the sky, what lies on the sky (sunbeams, a rainbow), the sun, clouds, birds, the
// meadow, flowers in the grass. A window background starts from one and then adds its
// own boards and captions:
//
//   tools::art::Landscape land;
//   land.sky = QRectF(0, 0, 900, 600);
//   land.skyTop = QColor(0x56, 0xbb, 0xf5);
//   land.skyBottom = QColor(0xcf, 0xef, 0xff);
//   land.sun = {{800, 80}, 30};
//   land.clouds = {{{200, 90}, 120}};
//   land.ground = QRectF(0, 0, 900, 675);
//   land.horizon = 560;
//   land.flowers = {{{40, 660}, 30, QColor(0xff, 0x7a, 0xa8)}};
//   QImage img = tools::art::canvas({900, 675});
//   QPainter p(&img);
//   tools::art::prepare(p);
//   tools::art::drawLandscape(p, land);

#include "tools/lib/ArtKit.h"

namespace tools::art {

struct Landscape {
    struct Sun {
        QPointF centre;
        qreal radius = 0; // no sun when 0
    };
    struct Cloud {
        QPointF centre;
        qreal width = 0;
        qreal opacity = 1.0;
    };
    struct Bird {
        QPointF centre;
        qreal width = 0;
    };
    struct Flower {
        QPointF base;
        qreal size = 0;
        QColor petals;
    };

    QRectF sky; // filled with the gradient from skyTop to skyBottom
    QColor skyTop, skyBottom;
    Art onSky; // painted over the sky (given the sky's rectangle), under the sun
    Sun sun;
    QList<Cloud> clouds;
    QList<Bird> birds;
    QColor birdColour = QColor(0x35, 0x5c, 0x8a);
    QRectF ground;     // the meadow fills this from the horizon down
    qreal horizon = 0; // no meadow when 0
    QList<Flower> flowers;
};

void drawLandscape(QPainter& p, const Landscape& land);

} // namespace tools::art
