#include "flashhost/swf/ControlScript.h"

namespace swf {
namespace {

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

// ExternalInterface.addCallback(name, null, <function on the stack>).
void addCallback(ActionBuilder& a, const char* name) {
    a.push(nullptr);
    a.push(name);
    a.push(3);
    pushExternalInterface(a);
    a.push("addCallback").callMethod().pop();
}

} // namespace

void addFrameCallbacks(ActionBuilder& a) {
    ActionBuilder gotoBody = a.nested();
    gotoBody.push("n").getVariable();
    callRoot(gotoBody, "gotoAndStop", 1);
    a.defineFunction(QString(), {QStringLiteral("n")}, gotoBody);
    addCallback(a, "pelumoGoto");

    ActionBuilder playBody = a.nested();
    callRoot(playBody, "play", 0);
    a.defineFunction(QString(), {}, playBody);
    addCallback(a, "pelumoPlay");

    ActionBuilder stopBody = a.nested();
    callRoot(stopBody, "stop", 0);
    a.defineFunction(QString(), {}, stopBody);
    addCallback(a, "pelumoStop");
}

void reportRootFrame(ActionBuilder& a) {
    a.push("_level0").getVariable().push("_totalframes").getMember();
    a.push("_level0").getVariable().push("_currentframe").getMember();
    a.push("pelumoTick").push(3);
    pushExternalInterface(a);
    a.push("call").callMethod().pop();
}

void reportReady(ActionBuilder& a) {
    a.push("pelumoReady").push(1);
    pushExternalInterface(a);
    a.push("call").callMethod().pop();
    reportRootFrame(a);
}

} // namespace swf
