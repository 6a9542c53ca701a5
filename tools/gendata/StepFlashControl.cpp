// The control movie of the movie host. The host loads it into a high level of every
// movie it plays; it lets the program drive the root timeline (_level0) and reports
// the root's frame back:
//   callbacks (from the page): pelumoGoto(frame1) pelumoPlay() pelumoStop()
//   calls (to the page):       pelumoReady() once, pelumoTick(frame1, total) every frame
#include "flashhost/swf/ActionBuilder.h"
#include "flashhost/swf/Swf.h"
#include "tools/gendata/Generator.h"

namespace {

using swf::ActionBuilder;

// Pushes flash.external.ExternalInterface.
void pushExternalInterface(ActionBuilder& a) {
    a.push("flash")
        .getVariable()
        .push("external")
        .getMember()
        .push("ExternalInterface")
        .getMember();
}

// _level0.<method>(args already pushed, count `argc`), result dropped.
void callRoot(ActionBuilder& a, const char* method, int argc) {
    a.push(argc).push("_level0").getVariable().push(method).callMethod().pop();
}

void addCallback(ActionBuilder& a, const char* name, const char* function) {
    a.push(function).getVariable();
    a.push(nullptr);
    a.push(name);
    a.push(3);
    pushExternalInterface(a);
    a.push("addCallback").callMethod().pop();
}

QByteArray controlActions() {
    ActionBuilder a(8);
    a.constantPool({"flash", "external", "ExternalInterface", "_level0", "call", "addCallback"});

    ActionBuilder gotoBody = a.nested();
    gotoBody.push("n").getVariable();
    callRoot(gotoBody, "gotoAndStop", 1);
    a.defineFunction("pelumoGoto", {"n"}, gotoBody);

    ActionBuilder playBody = a.nested();
    callRoot(playBody, "play", 0);
    a.defineFunction("pelumoPlay", {}, playBody);

    ActionBuilder stopBody = a.nested();
    callRoot(stopBody, "stop", 0);
    a.defineFunction("pelumoStop", {}, stopBody);

    // ExternalInterface.call("pelumoTick", _level0._currentframe, _level0._totalframes)
    ActionBuilder tickBody = a.nested();
    tickBody.push("_level0").getVariable().push("_totalframes").getMember();
    tickBody.push("_level0").getVariable().push("_currentframe").getMember();
    tickBody.push("pelumoTick").push(3);
    pushExternalInterface(tickBody);
    tickBody.push("call").callMethod().pop();
    a.defineFunction("pelumoTick", {}, tickBody);

    addCallback(a, "pelumoGoto", "pelumoGoto");
    addCallback(a, "pelumoPlay", "pelumoPlay");
    addCallback(a, "pelumoStop", "pelumoStop");

    // this.onEnterFrame = pelumoTick
    a.push("this").getVariable().push("onEnterFrame").push("pelumoTick").getVariable().setMember();

    // ExternalInterface.call("pelumoReady"); then the first report at once.
    a.push("pelumoReady").push(1);
    pushExternalInterface(a);
    a.push("call").callMethod().pop();
    a.push(0).push("pelumoTick").callFunction().pop();
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
