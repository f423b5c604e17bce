// Running an external program and waiting for it with a time-out.
#pragma once

#include <QString>

// Exit-code value for a process that outlived the time-out (0xFFFFFFFE as an unsigned number).
inline constexpr int PROCESS_TIMED_OUT = -2;
// Exit-code value for a process whose exit code cannot be read (it crashed or was killed).
inline constexpr int PROCESS_NO_EXIT_CODE = -1;

// Starts `commandLine` (program and arguments, split as a shell would split them with quotes) without a
// window, in the caller's environment and folder, its output discarded, and waits up to `timeoutMs`.
// - Ended in time: *exitCode = its exit code, PROCESS_NO_EXIT_CODE when it crashed; answers true.
// - Still running at the time-out: *exitCode = PROCESS_TIMED_OUT; the process is left running and its
//   end is collected later by the calling thread's event loop; answers false.
// - Could not be started: answers false and leaves *exitCode as it was.
bool RunProcessAndWait(const QString& commandLine, int* exitCode, int timeoutMs);

// How many processes that outlived their time-out are still running (as far as the event loops of their
// threads have noticed).
int ProcessesLeftRunning();
