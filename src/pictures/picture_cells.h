// Pictures placed in the cells of a grid laid over a drawing surface (the pane, the tour, the view).
#pragma once

#include "draw/surface.h"
#include "pictures/picture_registry.h"

namespace korvel {

// Placement flags.
enum PictureCellFlag : int {
  kCellWhole = 0x2,  // the whole cell, whatever the picture
  kCellCentre = 0x4,
  kCellTopLeft = 0x8,
  kCellTopRight = 0x10,
  kCellBottomLeft = 0x20,
  kCellBottomRight = 0x40,
  kCellReload = 0x100,        // read the picture's file again first
  kCellClear = 0x200,         // clear the whole cell first
  kCellClearMargins = 0x400,  // clear the cell around the picture
  kCellEraseFrame = 0x800,    // draw the frame in the background colour
  kCellPlaceholder = 0x1000,  // a picture that cannot be shown leaves a grey card saying why
};

// Where the grey card for a picture that cannot be shown goes in its cell, aligned by the flags.
draw::Rect PlaceholderRect(const draw::Surface& surface, int column, int row, int columns, int rows,
                           int flags);

// Cell (column, row) of a columns x rows grid; row 0 is the top row.
draw::Rect PictureCell(const draw::Surface& surface, int column, int row, int columns, int rows);

// Where the picture goes in its cell: scaled by `factor` times the fit (never enlarged except on
// the printer) and aligned by the flags. A picture that cannot be had collapses to the cell's
// top right corner.
draw::Rect PictureCellRect(const draw::Surface& surface, PictureRegistry& registry, int index, int column,
                           int row, int columns, int rows, int flags, float factor);

// 1 when the picture was drawn. With kCellPlaceholder a picture that cannot be shown is drawn as a
// grey card with its file name and the reason, and reported once a run.
int DrawPictureInCell(draw::Surface& surface, PictureRegistry& registry, int index, int column, int row,
                      int columns, int rows, int flags, float factor);
// Reports the pictures drawn as grey cards since the last call, once each a run: called when no
// drawing is under way (a message box must not open in the middle of a paint).
void ReportUnshownPictures(PictureRegistry& registry);
void ClearPictureCell(draw::Surface& surface, int column, int row, int columns, int rows, int colour);
void FramePictureCell(draw::Surface& surface, PictureRegistry& registry, int index, int column, int row,
                      int columns, int rows, int flags, float factor);

}  // namespace korvel
