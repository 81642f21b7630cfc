#pragma once

#include <QColor>

// The button-face colour: the background of both windows and of the staff.
// It follows the user's colour scheme (the application palette's window
// colour), so it is read each time it is needed.
QColor ButtonFace();
