#include "reports/radio_description.h"

#include <algorithm>

#include "collection/changes.h"
#include "collection/radio_ops.h"
#include "draw/font.h"
#include "pictures/picture_cells.h"
#include "util/alu_encoding.h"

namespace korvel {
namespace {

constexpr std::string_view kValueRoom = "XXXXXXXXXX";  // a label needs room for ten characters after it
constexpr int kTubeColumnChars = 15;                   // where the second tube entry of a line starts

const std::string& Entry(const Collection& collection, int kind, int position) {
  return collection.tables[kind].Text(position);
}

std::string Number(int value) {
  return std::to_string(value);
}

std::string Dollars(int value) {
  return std::string("$").append(std::to_string(value));
}

std::string_view WithoutLeadingBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

// The byte where character `n` starts, counting characters as the surface measures them.
std::size_t ByteOfCharacter(std::string_view text, int n) {
  if (n <= 0) return 0;
  if (!AluIsUtf8(text)) return std::min(static_cast<std::size_t>(n), text.size());
  std::size_t at = 0;
  for (int seen = 0; at < text.size(); ++at) {
    if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80 && seen++ == n) break;
  }
  return at;
}

}  // namespace

std::string CompositionPhrase(const Collection& collection, const RadioRecord& radio) {
  std::string phrase = Entry(collection, kTableCabinetComposition, radio.cabinetComposition);
  if (!radio.cabinetColour.empty()) phrase.append(" (").append(radio.cabinetColour).append(")");
  const std::string& trim = Entry(collection, kTableCabinetTrim, radio.cabinetTrim);
  if (trim != "No Trim") {
    phrase.append(" with ").append(trim);
    if (!radio.trimColour.empty()) phrase.append(" (").append(radio.trimColour).append(")");
  }
  return phrase;
}

std::string TuningPhrase(const Collection& collection, const RadioRecord& radio) {
  std::string phrase = Entry(collection, kTablePosition, radio.dialPosition);
  phrase.append(" ").append(Entry(collection, kTableTuningDial, radio.tuningDial)).append(" Dial");
  const bool pushButtons = radio.pushButtons == kYes;
  const bool telephoneDial = radio.telephoneDial == kYes;
  const bool eye = FindTubeSlot(radio, kFunctionTuningIndicator, -1) >= 0;
  if (pushButtons) {
    phrase.append(" with Push Buttons");
    if (telephoneDial && eye) {
      phrase.append(", Telephone Dial, and 'Magic Eye'");
    } else if (telephoneDial) {
      phrase.append(" and Telephone Dial");
    } else if (eye) {
      phrase.append(" and 'Magic Eye'");
    }
  } else if (telephoneDial) {
    phrase.append(" with Telephone Dial");
    if (eye) phrase.append(" and 'Magic Eye'");
  } else if (eye) {
    phrase.append(" with 'Magic Eye'");
  }
  return phrase;
}

std::string CircuitPhrase(const Collection& collection, const RadioRecord& radio) {
  std::string phrase = Entry(collection, kTableCircuitType, radio.circuitType);
  // Only the first power amplifier counts: a pair is entered there as "2*" and the type.
  const int first = FindTubeSlot(radio, kFunctionPowerAmplifier, -1);
  if (first >= 0 && radio.tubes[first].type.starts_with("2*")) phrase.append(" with Push-Pull Output");
  return phrase;
}

std::string_view TechnologyLabel(int technology) {
  switch (technology) {
    case kTechCrystal:
      return "Crystals:";
    case kTechHybrid:
      return "Tubes and Transistors:";
    case kTechTransistor:
      return "Transistors:";
    case kTechTube:
      return "Tubes:";
    default:
      return {};
  }
}

DescriptionLayout::DescriptionLayout(draw::Surface& surface, const draw::Rect& picture)
    : surface_(surface), picture_(picture) {
  leftMargin_ = surface.bounds().left + surface.CharWidth();
  position = {leftMargin_, surface.bounds().top - surface.LineHeight()};
}

FitResult DescriptionLayout::FitText(std::string_view text) const {
  const int cw = surface_.CharWidth();
  const int lh = surface_.LineHeight();
  const int w = draw::TextWidth(text, cw);
  const int end = position.x + w + cw;
  // Lines that reach the picture's height stop at its left edge.
  const bool besidePicture = end >= picture_.left && position.y + lh + lh >= picture_.bottom;
  const int limit = besidePicture ? picture_.left : surface_.bounds().right;
  if (end < limit) return {true, draw::CharacterCount(text) - 1};
  if (limit >= position.x) return {false, cw > 0 ? (limit - position.x) / cw : 0};
  return {false, -1};
}

void DescriptionLayout::NewLine() {
  position.x = leftMargin_;
  position.y -= surface_.LineHeight();
}

void DescriptionLayout::DrawValuePiece(std::string_view piece, bool highlight) {
  if (highlight) surface_.SetTextBackground(surface_.highlightColour());
  surface_.DrawText(position, piece);
  if (highlight) surface_.SetTextBackground(draw::kNoBackground);
}

void DescriptionLayout::DrawLabelValue(std::string_view label, std::string_view value, bool highlight) {
  // A label that opens a line drops the blanks that separate it from the previous value.
  if (position.x == leftMargin_) label = WithoutLeadingBlanks(label);
  std::string probe;
  for (;;) {
    probe.assign(label).append(kValueRoom);
    if (FitText(probe).fits) break;
    NewLine();
    // Without a line height the position would never leave the window.
    if (position.y < surface_.bounds().bottom || surface_.LineHeight() <= 0) return;
    label = WithoutLeadingBlanks(label);
  }

  surface_.SetColour(draw::kBlue);
  surface_.DrawText(position, label);
  surface_.SetColour(surface_.textColour());
  position.x = surface_.CurrentPoint().x;  // continuation lines start under the value's first character

  std::string_view rest = value;
  while (!rest.empty()) {
    const FitResult fit = FitText(rest);
    if (fit.fits || fit.count < 0) break;
    std::size_t at = std::min(ByteOfCharacter(rest, fit.count), rest.size() - 1);
    while (at > 0 && rest[at] != ' ') --at;
    if (at == 0) break;  // one unbreakable word: drawn whole, past the limit
    DrawValuePiece(rest.substr(0, at), highlight);
    rest = WithoutLeadingBlanks(rest.substr(at));
    position.y -= surface_.LineHeight();
  }
  DrawValuePiece(rest, highlight);
  position = surface_.CurrentPoint();
}

void DescriptionLayout::DrawTubeEntry(const RadioRecord& radio, int slot, bool highlight) {
  const TubeSlot& tube = radio.tubes[slot];
  std::string label = TubeFunctionTable().Text(tube.function);
  label.append(": ");
  const int startX = position.x;
  DrawLabelValue(label, tube.type, highlight);
  // Short entries pair up in two columns.
  const int secondColumn = leftMargin_ + kTubeColumnChars * surface_.CharWidth();
  if (startX == leftMargin_ && position.x < secondColumn) {
    position.x = secondColumn;
  } else {
    NewLine();
  }
}

void RadioDescription::DrawRadioDescription(draw::Surface& surface, const DescriptionInput& input,
                                            bool reloadPicture) {
  surface.SetTextBackground(draw::kNoBackground);
  surface.Clear();
  picture_.reset();
  lastBaseline_ = surface.bounds().top;
  if (input.radio == nullptr) return;
  const RadioRecord& radio = *input.radio;
  const Collection& collection = input.collection;
  const ChangeFlags changed = input.markChanges ? RadioChangeFlags(collection, radio).flags : ChangeFlags{};

  // The main picture, or the extra one the view has stepped to.
  int index = radio.pictureIndex;
  if (radio.currentPicture != -1) {
    index = radio.currentPicture >= 0 && radio.currentPicture < kExtraPictureLimit
                ? radio.extraPictureIndex[radio.currentPicture]
                : -1;
  }
  // The top right quarter, or the top half when the main window is maximised.
  const PictureGrid grid =
      input.grid ? *input.grid : (input.maximised ? PictureGrid{0, 0, 1, 2} : PictureGrid{1, 0, 2, 2});
  const int flags = kCellTopRight;
  draw::Rect picture;
  if (index >= 0) {
    // A picture that cannot be shown leaves a card saying why; the text flows around it, and a click
    // on it still steps to the next picture.
    picture = DrawPictureInCell(surface, input.registry, index, grid.column, grid.row, grid.columns,
                                grid.rows, flags | kCellPlaceholder | (reloadPicture ? kCellReload : 0), 1.0f)
                  ? PictureCellRect(surface, input.registry, index, grid.column, grid.row, grid.columns,
                                    grid.rows, flags, 1.0f)
                  : PlaceholderRect(surface, grid.column, grid.row, grid.columns, grid.rows, flags);
  } else {
    // No picture at all is treated as one that cannot be loaded: the text takes the whole width.
    const draw::Rect cell = PictureCell(surface, grid.column, grid.row, grid.columns, grid.rows);
    picture = {cell.right, cell.top, cell.right, cell.top};
  }
  picture_ = picture;
  const bool hasPicture = picture.right > picture.left && picture.top > picture.bottom;
  if (changed[kChangedPictures] && hasPicture) {
    FramePictureCell(surface, input.registry, index, grid.column, grid.row, grid.columns, grid.rows, flags,
                     1.0f);
  }
  const int extras = UsedExtraPictures(radio);
  if (extras >= 1) {
    const std::string caption = Number(radio.currentPicture + 2).append(" of ").append(Number(extras + 1));
    surface.SetColour(draw::kBlue);
    surface.DrawText({picture.left, picture.bottom}, caption);
  }
  surface.SetColour(surface.textColour());
  if (surface.LineHeight() <= 0) return;  // no font: nothing to lay out

  DescriptionLayout layout(surface, picture);
  const auto entry = [&](int kind, int position) -> const std::string& {
    return Entry(collection, kind, position);
  };
  const auto item = [&](std::string_view label, std::string_view value, bool highlight) {
    layout.DrawLabelValue(label, value, highlight);
  };

  item("ID: ", Number(radio.id), false);
  item("   Brand: ", entry(kTableBrandName, radio.brand), changed[kChangedBrand]);
  item("   Model: ", radio.model, changed[kChangedModel]);
  item("   Serial Number: ", radio.serialNumber, changed[kChangedSerialNumber]);
  item("   Year: ", Number(radio.year), changed[kChangedYear]);
  item("   Manufacturer: ", entry(kTableManufacturer, radio.manufacturer), changed[kChangedManufacturer]);
  item("   Cabinet Style: ", entry(kTableCabinetStyle, radio.cabinetStyle), changed[kChangedCabinetStyle]);
  item("   Cabinet Composition: ", CompositionPhrase(collection, radio),
       changed[kChangedCabinetComposition] || changed[kChangedCabinetColour] ||
           changed[kChangedCabinetTrim] || changed[kChangedTrimColour]);
  item("   Tuning: ", TuningPhrase(collection, radio),
       changed[kChangedTuningDial] || changed[kChangedDialPosition] || changed[kChangedPushButtons] ||
           changed[kChangedTelephoneDial] || changed[TubeFunctionChangeFlag(kFunctionTuningIndicator)]);
  std::string grill = entry(kTablePosition, radio.grillPosition);
  grill.append(" ").append(entry(kTableGrillStyle, radio.grillStyle));
  item("   Grill: ", grill, changed[kChangedGrillPosition] || changed[kChangedGrillStyle]);
  item("   Power: ", entry(kTablePowerSource, radio.powerSource), changed[kChangedPowerSource]);
  item("   Bands: ", entry(kTableBands, radio.bands), changed[kChangedBands]);
  item("   Circuit: ", CircuitPhrase(collection, radio),
       changed[kChangedCircuitType] || changed[TubeFunctionChangeFlag(kFunctionPowerAmplifier)]);
  layout.NewLine();

  item(TechnologyLabel(radio.technology), {}, changed[kChangedTechnology]);
  layout.NewLine();

  for (const int function : TubeDisplayOrder()) {
    const bool highlight = changed[TubeFunctionChangeFlag(function)];
    for (int slot = 0; slot < kTubeSlotCount; ++slot) {
      const TubeSlot& tube = radio.tubes[slot];
      if (tube.function == function && tube.IsFilled()) layout.DrawTubeEntry(radio, slot, highlight);
    }
  }
  if (layout.position.x != layout.leftMargin()) layout.NewLine();

  if (!radio.extras.empty()) {
    item("Extras: ", radio.extras, changed[kChangedExtras]);
    layout.NewLine();
  }
  item("Date Acquired: ", radio.dateAcquired, changed[kChangedDateAcquired]);
  item("   Purchase Price: ", Dollars(radio.purchasePrice), changed[kChangedPurchasePrice]);
  item("   Where Acquired: ", radio.whereAcquired, changed[kChangedWhereAcquired]);
  item("   Status: ", StatusTable().Text(radio.status), changed[kChangedStatus]);
  item("   Condition: ", entry(kTableCondition, radio.condition), changed[kChangedCondition]);
  layout.NewLine();
  item("Chassis Condition: ", entry(kTableChassisCondition, radio.chassisCondition),
       changed[kChangedChassisCondition]);
  layout.NewLine();
  item("Damage: ", radio.damage, changed[kChangedDamage]);
  item("   Value: ", Dollars(radio.value), changed[kChangedValue]);
  item("   Source of Value: ", radio.sourceOfValue, changed[kChangedSourceOfValue]);

  const int status = radio.status;
  if (status == kStatusPartiallyRestored || status == kStatusRestored || status == kStatusRestoredAndSold ||
      status == kStatusRestoredForSale) {
    item("   Date Restored: ", radio.dateRestored, changed[kChangedDateRestored]);
    item("   Restoration Cost: ", Dollars(radio.restorationCost), changed[kChangedRestorationCost]);
    layout.NewLine();
    item("Repairs Needed: ", radio.repairsNeeded, changed[kChangedRepairsNeeded]);
    layout.NewLine();
  } else if (!radio.repairsNeeded.empty()) {
    // A radio still waiting for its restoration shows what it needs.
    layout.NewLine();
    item("Repairs Needed: ", radio.repairsNeeded, changed[kChangedRepairsNeeded]);
    layout.NewLine();
  }
  if (status == kStatusSold || status == kStatusRestoredAndSold) {
    item("   Date Sold: ", radio.dateDisposed, changed[kChangedDateDisposed]);
    item("   Selling Price: ", Dollars(radio.sellingPrice), changed[kChangedSellingPrice]);
    item("   Where Sold: ", radio.whereDisposed, changed[kChangedWhereSold]);
  } else if (status == kStatusDonated) {
    item("   Date Donated: ", radio.dateDisposed, changed[kChangedDateDisposed]);
    item("   Where Donated: ", radio.whereDisposed, changed[kChangedWhereDonated]);
  } else if (status == kStatusReturned) {
    item("   Date Returned: ", radio.dateDisposed, changed[kChangedDateDisposed]);
  } else if (status == kStatusScrapped) {
    item("   Date Scrapped: ", radio.dateDisposed, changed[kChangedDateDisposed]);
  }
  item("   Schematic: ", radio.schematic, changed[kChangedSchematic]);
  layout.NewLine();
  item("References: ", radio.references, changed[kChangedReferences]);
  layout.NewLine();
  item("Comments: ", radio.comments, changed[kChangedComments]);
  lastBaseline_ = layout.position.y;
}

bool RadioDescription::PictureHit(int x, int y) const {
  if (!picture_) return false;
  return x >= picture_->left && x <= picture_->right && y >= picture_->bottom && y <= picture_->top;
}

}  // namespace korvel
