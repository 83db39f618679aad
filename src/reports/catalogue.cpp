#include "reports/catalogue.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <memory>
#include <vector>

#include "reports/radio_description.h"
#include "util/alu_date.h"
#include "util/alu_path.h"

namespace korvel {
namespace {

// The page's device, moved down by a number of rows: each radio is drawn as if it had the page to
// itself, starting at its own place on the sheet.
class OffsetDevice : public draw::Device {
 public:
  OffsetDevice(draw::Device* device, int rows) : device_(device), rows_(rows) {}

  void FillArea(const draw::DeviceRect& area, draw::Rgb colour) override {
    if (device_) device_->FillArea(Moved(area), colour);
  }
  void Line(draw::DevicePoint from, draw::DevicePoint to, const draw::Pen& pen) override {
    if (device_) device_->Line(Moved(from), Moved(to), pen);
  }
  void Text(draw::DevicePoint at, std::string_view text, const draw::TextStyle& style) override {
    if (device_) device_->Text(Moved(at), text, style);
  }
  void FillFigures(const std::vector<draw::Figure>& figures, draw::Rgb colour) override {
    if (!device_) return;
    std::vector<draw::Figure> moved = figures;
    for (draw::Figure& figure : moved)
      for (draw::DevicePoint& p : figure) p = Moved(p);
    device_->FillFigures(moved, colour);
  }
  void Scroll(int, int, const draw::DeviceRect&) override {}
  draw::BitmapResult StretchBitmap(const draw::DeviceRect& destination,
                                   const draw::BitmapSource& source) override {
    if (!device_) return {true, {}};  // measuring: nothing is drawn
    return device_->StretchBitmap(Moved(destination), source);
  }

 private:
  draw::DevicePoint Moved(draw::DevicePoint p) const { return {p.x, p.y + rows_}; }
  draw::DeviceRect Moved(const draw::DeviceRect& r) const {
    return {r.left, r.top + rows_, r.right, r.bottom + rows_};
  }

  draw::Device* device_;
  int rows_;
};

struct PageFrame {
  int width = 0, height = 0;
  int margin = 0;     // left, right and top
  int footTop = 0;    // rows from the top where the foot begins
  int available = 0;  // rows for radios on a page
};

PageFrame FrameOf(const draw::Surface& page) {
  PageFrame f;
  f.width = page.bounds().right - page.bounds().left;
  f.height = page.bounds().top - page.bounds().bottom;
  f.margin = f.width / 16;
  const int line = page.fonts().empty() ? 0 : page.fonts()[kCatalogueTextFont].lineHeight;
  f.footTop = f.height - f.margin / 2 - 2 * line;
  f.available = std::max(1, f.footTop - f.margin - line);
  return f;
}

std::string ExtraPictureNames(const RadioRecord& radio) {
  std::string names;
  for (int i = 0; i < UsedExtraPictures(radio); ++i) {
    if (!names.empty()) names += ", ";
    names += radio.extraPictureFiles[i];
  }
  return names;
}

// Draws one radio with its top `top` rows down the sheet (no device: only measures), and gives the
// rows it takes.
int DrawRadio(draw::Surface& page, const PageFrame& frame, const CatalogueInput& input, RadioRecord& radio,
              draw::Device* device, int top) {
  OffsetDevice moved(device, top);
  draw::Surface surface(&moved, {frame.margin, 0, frame.width - frame.margin, frame.available});
  surface.SetFonts(page.fonts());
  surface.SelectFont(kCatalogueTextFont);
  surface.SetOnPrinter(true);
  surface.SetWindowColours(page.backgroundColour(), page.textColour(), page.highlightColour());
  RadioDescription description;
  // The picture takes the top right cell of a 2 x 3 grid: a third of the page's height at most.
  // A catalogue shows the radios as they are: no marks for changes not yet saved.
  DescriptionInput in{input.collection, &radio, input.registry, false, PictureGrid{1, 0, 2, 3}, false};
  const int previous = radio.currentPicture;
  radio.currentPicture = -1;  // the main picture, as printing shows it
  description.DrawRadioDescription(surface, in, false);
  radio.currentPicture = previous;

  const draw::Rect picture = description.pictureRect().value_or(draw::Rect{});
  DescriptionLayout layout(surface, picture);
  layout.position.y = description.lastBaseline();
  const std::string extras = ExtraPictureNames(radio);
  if (!extras.empty()) {
    layout.NewLine();
    layout.DrawLabelValue("Extra Pictures: ", extras, false);
  }
  const int lowest =
      std::min(layout.position.y - surface.fonts()[kCatalogueTextFont].descent, picture.bottom);
  return frame.available - lowest + surface.LineHeight();
}

void DrawFoot(draw::Surface& page, const PageFrame& frame, int number, const std::string& radios) {
  page.SelectFont(kCatalogueTextFont);
  page.SetColour(page.textColour());
  const int y = page.bounds().top - frame.footTop - page.LineHeight();
  const int cw = std::max(1, page.CharWidth());
  page.MoveTo(frame.margin, y + page.LineHeight());
  page.LineTo(frame.width - frame.margin, y + page.LineHeight());
  const std::string pageText = "Page " + std::to_string(number);
  const int room = (frame.width - 2 * frame.margin) / cw - static_cast<int>(pageText.size()) - 2;
  std::string left = radios;
  if (static_cast<int>(left.size()) > room)
    left = left.substr(0, static_cast<std::size_t>(std::max(0, room - 3))) + "...";
  page.DrawText({frame.margin, y}, left);
  page.DrawText({frame.width - frame.margin - static_cast<int>(pageText.size()) * cw, y}, pageText);
}

void DrawFirstPage(draw::Surface& page, const PageFrame& frame, const CatalogueInput& input) {
  long long purchase = 0, restoration = 0, value = 0;
  for (const RadioRecord* r : input.radios) {
    purchase += r->purchasePrice;
    restoration += r->restorationCost;
    value += r->value;
  }
  const int top = page.bounds().top;
  page.Clear();
  page.SelectFont(kCatalogueTitleFont);
  page.SetColour(page.textColour());
  int y = top - frame.margin - page.LineHeight();
  page.DrawText({frame.margin, y}, input.title);
  y -= page.LineHeight();
  page.SelectFont(kCatalogueTextFont);
  const int line = page.LineHeight();
  const auto row = [&](const std::string& label, const std::string& text) {
    page.SetColour(draw::kBlue);
    page.DrawText({frame.margin, y}, label);
    page.SetColour(page.textColour());
    page.DrawText({frame.margin + 20 * page.CharWidth(), y}, text);
    y -= line + line / 2;
  };
  y -= line;
  row("Catalogue of",
      std::to_string(input.radios.Count()) + (input.radios.Count() == 1 ? " radio" : " radios"));
  row("Printed", input.date);
  y -= line;
  row("Purchase price", GroupedDollars(purchase));
  row("Restoration cost", GroupedDollars(restoration));
  row("Value", GroupedDollars(value));
}

std::string BrandModel(const Collection& collection, const RadioRecord& radio) {
  return collection.tables[kTableBrandName].Text(radio.brand) + " " + radio.model;
}

}  // namespace

std::string CatalogueTitle(const std::string& dataDirectory) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path path = fs::absolute(fs::path(AluNativePath(dataDirectory)), error).lexically_normal();
  if (!path.has_filename()) path = path.parent_path();
  const std::string name = path.filename().string();
  return name.empty() ? std::string("Radio Collection") : name;
}

std::string TodayText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return AluFormatDate((local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday);
}

std::string GroupedDollars(long long dollars) {
  std::string digits = std::to_string(dollars < 0 ? -dollars : dollars);
  for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
    digits.insert(static_cast<std::size_t>(i), ",");
  return (dollars < 0 ? "-$" : "$") + digits;
}

int PrintCatalogue(CataloguePages& pages, const CatalogueInput& input) {
  int number = 1;
  if (!pages.StartPage()) return 0;
  draw::Surface& page = pages.page();
  const PageFrame frame = FrameOf(page);
  DrawFirstPage(page, frame, input);
  DrawFoot(page, frame, number, input.title);
  if (!pages.EndPage()) return 0;

  std::size_t next = 0;
  const std::vector<RadioRecord*>& radios = input.radios.Records();
  while (next < radios.size()) {
    if (!pages.StartPage()) return 0;
    ++number;
    page.Clear();
    // As many radios as fit, and always at least one (a longer one is cut at the foot).
    int used = 0;
    std::string names;
    while (next < radios.size()) {
      RadioRecord& radio = *radios[next];
      const int rows = DrawRadio(page, frame, input, radio, nullptr, 0);
      if (used > 0 && used + rows > frame.available) break;
      const int top = frame.margin + used;
      if (used > 0) {
        page.SetColour(draw::kLightGrey);
        page.MoveTo(frame.margin, page.bounds().top - top + page.LineHeight() / 2);
        page.LineTo(frame.width - frame.margin, page.bounds().top - top + page.LineHeight() / 2);
      }
      DrawRadio(page, frame, input, radio, page.device(), top);
      used += rows;
      names += (names.empty() ? "" : ", ") + BrandModel(input.collection, radio);
      ++next;
    }
    // The last description's clearing may have reached into the foot.
    page.FillRectangle(0, 0, frame.width, page.bounds().top - frame.footTop, page.backgroundColour());
    DrawFoot(page, frame, number, names);
    if (!pages.EndPage()) return 0;
  }
  return number;
}

}  // namespace korvel
