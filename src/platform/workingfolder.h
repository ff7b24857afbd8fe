#pragma once

// The folder the program works in, where the order document is written:
// its current folder.

#include <QString>

namespace platform {

// The folder's full path, also when it was removed while the program ran,
// so that a message can name it; "." where the system cannot tell.
QString workingFolder();

} // namespace platform
