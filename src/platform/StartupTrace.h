#pragma once

class QWidget;

// Instrumentation for measuring start-up, off unless the environment variable
// QUAVELET_STARTUP_TRACE is set. Then, once the watched window has painted
// its first frame, one line "first paint N ms" goes to standard error, N being
// the milliseconds since this module's static initialisation (which follows
// the loading of the shared libraries). With the value "quit" the program
// quits right after that line, so that a launcher can time the start-up and
// read the peak memory of the finished process.
namespace StartupTrace {

// Call once, before the event loop runs; does nothing when the trace is off.
void watchFirstPaint(QWidget* window);

} // namespace StartupTrace
