#pragma once
// The script through which the movie host drives a movie's root timeline (_level0) and
// hears of it. The page calls the movie's callbacks
//   pelumoGoto(frame1)  pelumoPlay()  pelumoStop()
// and the movie calls the page's window functions
//   pelumoReady()  once the callbacks are there,
//   pelumoTick(frame1, total)  with the root's frame.
// The host puts the callbacks and the first report into frame 1 of every movie it plays,
// so frame calls work from the movie's first frame, and loads the control movie into a
// high level, which reports the root's frame on every frame after.

#include "flashhost/swf/ActionBuilder.h"

namespace swf {

// Registers the three callbacks (anonymous functions: nothing is added to the timeline
// the script runs in).
void addFrameCallbacks(ActionBuilder& a);

// Reports the root's frame: ExternalInterface.call("pelumoTick", frame, total).
void reportRootFrame(ActionBuilder& a);

// Tells the page the callbacks are there, then reports the root's frame.
void reportReady(ActionBuilder& a);

} // namespace swf
