#pragma once

// The listener's waker of the system the program is built for: an eventfd on Linux, an
// event object on Windows.
#ifdef _WIN32
#include "platform/windows/event_object_waker.h"
namespace volantra {
using PlatformWaker = EventObjectWaker;
}
#else
#include "platform/event_fd_waker.h"
namespace volantra {
using PlatformWaker = EventFdWaker;
}
#endif
