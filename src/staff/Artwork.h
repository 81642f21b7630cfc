#pragma once

#include "platform/ImageList.h"

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QPoint>
#include <QSize>

// Every picture the program shows, read from the resources compiled into the
// core library. The loaders register those resources themselves, so any
// program that links the library finds them without further calls.

// Cell sizes of the image lists.
inline constexpr QSize ClefCellSize{29, 72};
inline constexpr QSize NoteCellSize{20, 68};
inline constexpr QSize ToolCellSize{16, 16};

// The clefs: 0 bass black, 1 treble black, 2 bass grey, 3 treble grey.
ImageList LoadClefs();
// The ten note glyphs, indexed by a note table entry's Glyph.
ImageList LoadNotes();
// The letters A to G of the letter buttons, and their disabled look.
ImageList LoadLettersEnabled();
ImageList LoadLettersDisabled();
// One picture per command action, and their disabled look.
ImageList LoadCommandsEnabled();
ImageList LoadCommandsDisabled();

// Two stopwatches side by side (32 x 16) with the background transparent;
// the countdown panel shows the left one, 16 x 16.
QPixmap StopwatchPicture();
// The About dialog's logo, 100 x 100, its frame transparent.
QPixmap LogoPicture();

// The pointing hand, 32 x 32, black and white with a mask, its hot spot on
// the tip of the index finger.
inline constexpr QPoint HandHotSpot{13, 7};
QCursor HandPointCursor();

// The program icon: the 32 x 32 picture and its larger renderings.
QIcon ProgramIcon();

// Registers the compiled-in resources; the loaders call it, and anything
// else that reads a resource of the core library before them must too.
void InitAssetResources();
