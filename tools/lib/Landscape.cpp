#include "tools/lib/Landscape.h"

namespace tools::art {

void drawLandscape(QPainter& p, const Landscape& land) {
    drawSky(p, land.sky, land.skyTop, land.skyBottom);
    if (land.onSky)
        land.onSky(p, land.sky);
    if (land.sun.radius > 0)
        drawSun(p, land.sun.centre, land.sun.radius);
    for (const Landscape::Cloud& c : land.clouds)
        drawCloud(p, c.centre, c.width, c.opacity);
    for (const Landscape::Bird& b : land.birds)
        drawBird(p, b.centre, b.width, land.birdColour);
    if (land.horizon > 0)
        drawMeadow(p, land.ground, land.horizon);
    for (const Landscape::Flower& f : land.flowers)
        drawFlower(p, f.base, f.size, f.petals);
}

} // namespace tools::art
