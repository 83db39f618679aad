// Picture list boxes: multiple-selection lists whose items the dialog library draws (through the
// picture library's hook) rather than Qt. Each item is painted into a surface of its own, over a
// backing image the size of the item, which is then copied to the list.
#pragma once

#include <QSize>
#include <QStyledItemDelegate>
#include <functional>

#include "dal/dal_lists.h"

class QListWidget;

namespace korvel {

// How a picture list reaches the dialog library.
struct PictureListHooks {
  // The item height of the list's field; 0 when it has none (the template's height is used).
  std::function<int(int controlId)> measure;
  // Draws one item through cell.surface; false when nothing was drawn (Qt then shows its text).
  std::function<bool(int controlId, int index, const DalPictureCell& cell)> draw;
};

// Hooks bound to a dialog's field table; the dialog must outlive the list.
PictureListHooks DalPictureListHooks(DalDialog& dialog);

class PictureItemDelegate : public QStyledItemDelegate {
 public:
  PictureItemDelegate(int controlId, QSize itemSize, PictureListHooks hooks, QObject* parent);

  int ItemHeight() const;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  int controlId_;
  QSize itemSize_;
  PictureListHooks hooks_;
};

// Turns `list` into a picture list showing `visibleItems` whole items of `itemSize` (the field's
// height, when it has one, replaces the height) above each other.
void MakePictureList(QListWidget* list, int controlId, QSize itemSize, int visibleItems,
                     PictureListHooks hooks);

}  // namespace korvel
