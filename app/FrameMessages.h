// Numbers of the private messages the main frame receives, as QEvent types.
#pragma once

#include <QEvent>

namespace FrameMessages {

// One 3D frame step: seconds since the previous step go to the 3D renderer.
inline constexpr QEvent::Type kFrameStep = QEvent::Type(0x8098);
// 3D could not be started: ask whether to open the 3D settings.
inline constexpr QEvent::Type k3DUnavailable = QEvent::Type(0x8099);
// Open a file: an OpenFileEvent with the path, the entry and the single-vehicle choice.
inline constexpr QEvent::Type kOpenFile = QEvent::Type(0x809A);
// The splash has ended: the DPI note and the file given at start.
inline constexpr QEvent::Type kAfterSplash = QEvent::Type(0x809B);

} // namespace FrameMessages
