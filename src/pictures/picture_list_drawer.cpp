#include "pictures/picture_list_drawer.h"

#include <memory>

#include "draw/surface.h"
#include "pictures/bmp_header.h"
#include "pictures/gal_bitmap.h"
#include "pictures/picture_registry.h"

namespace korvel {
namespace {

using PictureHandle = std::shared_ptr<GalBitmap>;

// The item's picture, loaded on first use at the size of its cell; nullptr while it does not load
// (tried again next time, so a file that appears later is shown). A name leading outside the data
// directory is never opened.
const GalBitmap* ItemPicture(DalListItem& item, const std::string& dataDirectory, int width, int height) {
  if (const PictureHandle* held = std::any_cast<PictureHandle>(&item.picture); held && *held)
    return held->get();
  if (!PictureNameStaysInside(item.fileName)) return nullptr;
  std::string path = item.fileName;
  if (!dataDirectory.empty()) path = dataDirectory + "\\" + path;
  auto bitmap = std::make_shared<GalBitmap>();
  // A file without usable headers would report an error at every repaint of the list.
  if (!GalLoadPictureToFit(path, *bitmap, width, height) || !ReadBmpHeader(bitmap->Bytes())) return nullptr;
  item.picture = bitmap;
  return bitmap.get();
}

// A dotted outline on the cell's edge pixels, as list boxes mark the item with the focus.
void FocusRectangle(draw::Surface& surface, const draw::Rect& r) {
  if (r.right - r.left < 2 || r.top - r.bottom < 2) return;
  const int colour = surface.colour();
  const int style = surface.lineStyle();
  const int width = surface.lineWidth();
  surface.SetColour(surface.textColour());
  surface.SetLineStyle(draw::kLineDot);
  surface.SetLineWidth(1);
  // Edge pixels: columns left and right - 1, y top and bottom + 1 (the rows inside the cell).
  surface.MoveTo(r.left, r.top);
  surface.LineTo(r.right - 1, r.top);
  surface.LineTo(r.right - 1, r.bottom + 1);
  surface.LineTo(r.left, r.bottom + 1);
  surface.LineTo(r.left, r.top);
  surface.SetLineWidth(width);
  surface.SetLineStyle(style);
  surface.SetColour(colour);
}

}  // namespace

void DrawPictureListItem(DalListItem& item, const DalPictureCell& cell, const std::string& dataDirectory) {
  auto* surface = static_cast<draw::Surface*>(cell.surface);
  if (surface == nullptr) return;
  const draw::Rect r{cell.left, cell.bottomUp, cell.right, cell.topUp};
  if (r.right <= r.left || r.top <= r.bottom) return;
  // The area covers y from bottom (excluded) to top, so its filled corners are these.
  surface->FillRectangle(r.left, r.bottom + 1, r.right - 1, r.top, surface->backgroundColour());
  if (const GalBitmap* picture = ItemPicture(item, dataDirectory, r.right - r.left, r.top - r.bottom))
    GalDrawBitmap(*surface, *picture, r);
  if (cell.selected) FocusRectangle(*surface, r);
}

void InstallPictureListDrawer(std::string dataDirectory) {
  DalSetPictureDrawer([directory = std::move(dataDirectory)](DalListItem& item, const DalPictureCell& cell) {
    DrawPictureListItem(item, cell, directory);
  });
}

}  // namespace korvel
