#pragma once
// The script through which the movie host drives a movie's root timeline (_level0) and
// hears of it. The page calls the movie's callbacks
//   pelumoGoto(frame1)  pelumoPlay()  pelumoStop()
// and the movie calls the page's window functions
//   pelumoReady()  once the callbacks are there,
//   pelumoTick(frame1, total)  with the root's frame.
// and the callbacks of the host's calls that reach into the movie (HostCall). The host
// puts the callbacks and the first report into frame 1 of every movie it plays, so frame
// calls work from the movie's first frame, and loads the control movie into a high
// level, which reports the root's frame on every frame after.

#include "flashhost/swf/ActionBuilder.h"

#include <vector>

namespace swf {

// The host's calls beyond the root's frame, with their arguments:
//   Target       (path, method, argument)  the clip at path: method(argument)
//   SetVariable  (path, value)             the variable at path := value
//   SetProperty  (path, number, value)     property `number` of the clip at path := value
//   CallFrame    ("path:frame")            runs that frame's actions
//   Load         (url, "_levelN")          loads the movie at url into level N ("" empties it)
//   Stage        (scale mode, align, quality, menu)  the stage's settings
//   Get          (path)                     answers the variable at path
//   GetProperty  (path, number)             answers property `number` of the clip at path
// Paths are absolute ("_level0/a/b", "_level0.a"), so the callbacks act alike whichever
// movie registered them.
enum class HostCall { Target, SetVariable, SetProperty, CallFrame, Load, Stage, Get, GetProperty };

// The name the page calls it by ("pelumoTarget", ...).
const char* callbackName(HostCall call);

// The call with these literal arguments, run where the actions stand.
void emitHostCall(ActionBuilder& a, HostCall call,
                  const std::vector<ActionBuilder::Value>& arguments);

// Registers the callbacks of the root's frame and of every HostCall (anonymous
// functions: nothing is added to the timeline the script runs in).
void addFrameCallbacks(ActionBuilder& a);

// Jumps to `skip` when this has run before since the movie was loaded (it went back to
// its first frame); else notes that it ran, in a variable of the root timeline.
void skipAfterFirstRun(ActionBuilder& a, ActionBuilder::Label skip);

// Reports the root's frame: ExternalInterface.call("pelumoTick", frame, total).
void reportRootFrame(ActionBuilder& a);

// Tells the page the callbacks are there, then reports the root's frame.
void reportReady(ActionBuilder& a);

} // namespace swf
