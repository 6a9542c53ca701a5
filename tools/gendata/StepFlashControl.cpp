// The control movie of the movie host. The host loads it into a high level of every
// movie it plays; it registers the frame callbacks (again: frame 1 of the movie already
// did) and reports the root's frame on every frame.
#include "flashhost/swf/ActionBuilder.h"
#include "flashhost/swf/ControlScript.h"
#include "flashhost/swf/Swf.h"
#include "tools/gendata/Generator.h"

namespace {

using swf::ActionBuilder;

QByteArray controlActions() {
    ActionBuilder a(8);
    a.constantPool({"flash", "external", "ExternalInterface", "_level0", "call", "addCallback"});
    swf::addFrameCallbacks(a);

    // this.onEnterFrame = function () { <report the root's frame> }
    a.push("this").getVariable().push("onEnterFrame");
    ActionBuilder tickBody = a.nested();
    swf::reportRootFrame(tickBody);
    a.defineFunction(QString(), {}, tickBody);
    a.setMember();

    swf::reportReady(a);
    a.stop();
    return a.bytes();
}

void makeControlMovie(gendata::Output& out) {
    swf::Movie movie;
    movie.header.compression = 'F';
    movie.header.version = 8;
    movie.header.frameSize = swf::Rect{0, 20, 0, 20};
    movie.header.frameRateFixed8 = 24 << 8;
    movie.header.frameCount = 1;
    QByteArray actions = controlActions();
    actions.append('\0');
    movie.tags.push_back({swf::kTagDoAction, actions});
    movie.tags.push_back({swf::kTagShowFrame, {}});
    out.writeResource(QStringLiteral("flash/control.swf"), swf::serialize(movie));
}

gendata::RegisterStep step{"flashcontrol", &makeControlMovie};

} // namespace
