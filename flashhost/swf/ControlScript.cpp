#include "flashhost/swf/ControlScript.h"

#include <functional>

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

using Argument = std::function<void(ActionBuilder&, int index)>;

constexpr quint8 kActionGetProperty = 0x22;
constexpr quint8 kActionSetProperty = 0x23;
constexpr quint8 kActionCall = 0x9E;
constexpr int kPropertyQuality = 19;

int argumentCount(HostCall call) {
    switch (call) {
    case HostCall::Target:
    case HostCall::SetProperty:
        return 3;
    case HostCall::SetVariable:
    case HostCall::Load:
    case HostCall::GetProperty:
        return 2;
    case HostCall::CallFrame:
    case HostCall::Get:
        return 1;
    case HostCall::Stage:
        return 4;
    }
    return 0;
}

// Stage.<name> := argument `index`.
void setStage(ActionBuilder& a, const char* name, const Argument& arg, int index) {
    a.push("Stage").getVariable().push(name);
    arg(a, index);
    a.setMember();
}

void emitBody(ActionBuilder& a, HostCall call, const Argument& arg) {
    switch (call) {
    case HostCall::Target: // eval(path)[method](argument)
        arg(a, 2);
        a.push(1);
        arg(a, 0);
        a.getVariable();
        arg(a, 1);
        a.callMethod().pop();
        break;
    case HostCall::SetVariable:
        arg(a, 0);
        arg(a, 1);
        a.setVariable();
        break;
    case HostCall::SetProperty:
        arg(a, 0);
        arg(a, 1);
        arg(a, 2);
        a.action(kActionSetProperty);
        break;
    case HostCall::CallFrame:
        arg(a, 0);
        a.action(kActionCall);
        break;
    case HostCall::Load:
        arg(a, 0);
        arg(a, 1);
        a.getUrl2();
        break;
    case HostCall::Stage:
        setStage(a, "scaleMode", arg, 0);
        setStage(a, "align", arg, 1);
        a.push({"", kPropertyQuality}); // _quality, for the whole player
        arg(a, 2);
        a.action(kActionSetProperty);
        setStage(a, "showMenu", arg, 3);
        break;
    case HostCall::Get:
        arg(a, 0);
        a.getVariable().returnValue();
        break;
    case HostCall::GetProperty:
        arg(a, 0);
        arg(a, 1);
        a.action(kActionGetProperty).returnValue();
        break;
    }
}

const HostCall kHostCalls[] = {HostCall::Target,    HostCall::SetVariable, HostCall::SetProperty,
                               HostCall::CallFrame, HostCall::Load,        HostCall::Stage,
                               HostCall::Get,       HostCall::GetProperty};

} // namespace

const char* callbackName(HostCall call) {
    switch (call) {
    case HostCall::Target:
        return "pelumoTarget";
    case HostCall::SetVariable:
        return "pelumoSet";
    case HostCall::SetProperty:
        return "pelumoSetProperty";
    case HostCall::CallFrame:
        return "pelumoCallFrame";
    case HostCall::Load:
        return "pelumoLoad";
    case HostCall::Stage:
        return "pelumoStage";
    case HostCall::Get:
        return "pelumoGet";
    case HostCall::GetProperty:
        return "pelumoGetProperty";
    }
    return "";
}

void emitHostCall(ActionBuilder& a, HostCall call,
                  const std::vector<ActionBuilder::Value>& arguments) {
    emitBody(a, call, [&](ActionBuilder& b, int index) {
        if (index < int(arguments.size()))
            b.push(arguments[size_t(index)]);
        else
            b.push(ActionBuilder::Value::undefined());
    });
}

void skipAfterFirstRun(ActionBuilder& a, ActionBuilder::Label skip) {
    // Pushes of strings only, and no comparison: movies from version 4 on run it.
    const char* const ran = "_level0:$pelumoStarted";
    a.push(ran).getVariable().ifTrue(skip);
    a.push({ran, "1"}).setVariable();
}

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

    for (HostCall call : kHostCalls) {
        QStringList params;
        for (int i = 0; i < argumentCount(call); ++i)
            params << QStringLiteral("a%1").arg(i);
        ActionBuilder body = a.nested();
        emitBody(body, call, [](ActionBuilder& b, int index) {
            b.push(QStringLiteral("a%1").arg(index)).getVariable();
        });
        a.defineFunction(QString(), params, body);
        addCallback(a, callbackName(call));
    }
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
