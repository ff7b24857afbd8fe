#pragma once

// The end the system asks for. On Unix a logout, a shutdown, a closed
// terminal or Ctrl+C sends SIGTERM, SIGHUP or SIGINT, which would end the
// program wherever it stood, a save included. Here they quit the application
// from its event loop instead, as closing its window does: a save runs whole
// within one handler, so it ends before the quit is even seen. A signal that
// was ignored when the program started (nohup) stays ignored.
//
// On Windows the end of a session comes as the window system's messages,
// which Qt handles in the event loop in the same way (commitDataRequest,
// aboutToQuit); there is nothing to set up.

#include "outcome.h"

namespace platform {

// Call once, with the application object made. The program runs on when
// this fails; it then ends on those signals as the system ends it.
Outcome quitOnTermination();

} // namespace platform
