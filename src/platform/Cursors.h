#pragma once

#include <QCursor>

// The application's numbered cursors: custom pointer shapes registered under
// a number at start-up and looked up by that number by the controls that use
// them. A number nobody registered gives the default arrow.
namespace Cursors {
void registerCursor(int number, const QCursor& cursor);
QCursor cursor(int number);
// Forgets every registered cursor (the end of the program, and tests).
void clear();
} // namespace Cursors
