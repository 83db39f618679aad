// The description of one radio as the view window shows it and the printer prints it: the picture at
// the top right and, flowing around it, the labelled values, with changed values on the highlight
// colour. The same drawing serves both: printing only points the surface at the printer.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "collection/collection.h"
#include "collection/tube_rows.h"
#include "draw/surface.h"
#include "pictures/picture_registry.h"

namespace korvel {

// "Bakelite (Brown) with Chrome": the composition, its colour, and the trim unless it is "No Trim".
std::string CompositionPhrase(const Collection& collection, const RadioRecord& radio);
// "Front Slide Rule Dial with Push Buttons and 'Magic Eye'": where the dial is, what it is, and its extras.
std::string TuningPhrase(const Collection& collection, const RadioRecord& radio);
// The circuit type, "with Push-Pull Output" when the first power amplifier is a pair ("2*...").
std::string CircuitPhrase(const Collection& collection, const RadioRecord& radio);
// "Tubes:", "Transistors:" and so on; empty for a position outside the Technology table.
std::string_view TechnologyLabel(int technology);

struct FitResult {
  bool fits = false;
  int count = 0;  // characters that fit when the text does not; -1 when x is already past the limit
};

// The working state of one drawing: where the picture lies and where the next text goes. Texts are
// measured as characters times the character width (the view font is fixed-pitch).
class DescriptionLayout {
 public:
  // The position starts at the left margin, one line below the top.
  DescriptionLayout(draw::Surface& surface, const draw::Rect& picture);

  int leftMargin() const { return leftMargin_; }
  // x, and the baseline y of the current text line.
  draw::Point position;

  FitResult FitText(std::string_view text) const;
  void NewLine();
  // The label in blue, the value wrapped under its own first character; moves the position to the end
  // of the value. Gives up (drawing nothing) once the label would have to start below the window.
  void DrawLabelValue(std::string_view label, std::string_view value, bool highlight);
  // One tube slot as "Function: type", then moves to the second column or a new line.
  void DrawTubeEntry(const RadioRecord& radio, int slot, bool highlight);

 private:
  void DrawValuePiece(std::string_view piece, bool highlight);

  draw::Surface& surface_;
  draw::Rect picture_;
  int leftMargin_ = 0;
};

// The cell of a grid over the surface where the picture goes (row 0 is the top row).
struct PictureGrid {
  int column, row, columns, rows;
};

struct DescriptionInput {
  const Collection& collection;
  const RadioRecord* radio = nullptr;  // the current radio; none only clears the view
  PictureRegistry& registry;
  bool maximised = false;             // the main window is maximised: the picture may take the whole top half
  std::optional<PictureGrid> grid{};  // another place for the picture (the printed catalogue)
  bool markChanges = true;            // changed values on the highlight colour, the picture framed
};

class RadioDescription {
 public:
  // Draws the whole view. `reloadPicture` reads the picture's file again (after editing, or when
  // stepping to another picture).
  void DrawRadioDescription(draw::Surface& surface, const DescriptionInput& input, bool reloadPicture);

  // Whether the point (view coordinates, y up) lies on the picture of the last drawing, edges
  // included; never true before a radio has been drawn.
  bool PictureHit(int x, int y) const;
  const std::optional<draw::Rect>& pictureRect() const { return picture_; }
  // The baseline of the last line of text the last drawing reached.
  int lastBaseline() const { return lastBaseline_; }

 private:
  std::optional<draw::Rect> picture_;
  int lastBaseline_ = 0;
};

}  // namespace korvel
