// Draws the items of the dialog library's picture lists (the selection dialog's snapshots).
#pragma once

#include <string>

#include "dal/dal_lists.h"

namespace korvel {

// The hook for picture list items: the item's file is loaded once into item.picture (a
// std::shared_ptr<GalBitmap>); the cell is filled with the surface's background, the picture is
// drawn scaled to fit and centred, and a selected item gets a focus rectangle. A picture that does
// not load leaves the cell blank (its selection still shows). cell.surface is a draw::Surface*.
// File names that are not absolute are taken relative to `dataDirectory` when one is given.
void DrawPictureListItem(DalListItem& item, const DalPictureCell& cell,
                         const std::string& dataDirectory = {});

// Installs DrawPictureListItem as the dialog library's picture drawer.
void InstallPictureListDrawer(std::string dataDirectory = {});

}  // namespace korvel
