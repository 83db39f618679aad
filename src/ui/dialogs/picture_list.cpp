#include "ui/dialogs/picture_list.h"

#include <QAbstractItemView>
#include <QListWidget>
#include <QPainter>
#include <QStyle>
#include <algorithm>

#include "dal/dal_fields.h"
#include "draw/surface.h"
#include "ui/painting/qt_device.h"

namespace korvel {
namespace {

constexpr int kHighlightFrame = 3;  // pixels

draw::Rgb ToRgb(const QColor& colour) {
  return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
          static_cast<std::uint8_t>(colour.blue())};
}

}  // namespace

PictureListHooks DalPictureListHooks(DalDialog& dialog) {
  DalDialog* bound = &dialog;
  return {
      .measure =
          [bound](int controlId) {
            const DalFieldInfo* field = DalFindField(controlId, *bound);
            return field != nullptr ? DalMeasureListItem(*field) : 0;
          },
      .draw =
          [bound](int controlId, int index, const DalPictureCell& cell) {
            // Qt repaints whole items, whatever changed.
            return DalDrawListItem(*bound, controlId, index, DalDrawAction::kDrawEntire, cell);
          },
  };
}

PictureItemDelegate::PictureItemDelegate(int controlId, QSize itemSize, PictureListHooks hooks,
                                         QObject* parent)
    : QStyledItemDelegate(parent), controlId_(controlId), itemSize_(itemSize), hooks_(std::move(hooks)) {}

int PictureItemDelegate::ItemHeight() const {
  const int measured = hooks_.measure ? hooks_.measure(controlId_) : 0;
  return measured > 0 ? measured : std::max(itemSize_.height(), 1);
}

QSize PictureItemDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  return {itemSize_.width(), ItemHeight()};
}

void PictureItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
  const QRect rect = option.rect;
  if (view == nullptr || !hooks_.draw || rect.isEmpty()) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  DalPictureCell cell;
  cell.left = rect.x();
  cell.top = rect.y();
  cell.right = rect.x() + rect.width();
  cell.bottom = rect.y() + rect.height();
  cell.clientHeight = view->viewport()->height();
  cell.topUp = cell.clientHeight - cell.top;
  cell.bottomUp = cell.clientHeight - cell.bottom;
  cell.selected = (option.state & QStyle::State_Selected) != 0;

  // The image holds the item's rows from column 0, so that the surface's x is the list's x; its
  // y-up coordinates are those of the list's client area, as pictures are placed.
  ui::QtDevice device(QSize(std::max(cell.right, 1), rect.height()),
                      ToRgb(option.palette.color(QPalette::Base)));
  draw::Surface surface(&device, draw::Rect{0, cell.bottomUp, cell.right, cell.topUp});
  cell.surface = &surface;
  if (!hooks_.draw(controlId_, index.row(), cell)) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  painter->save();
  painter->translate(0, cell.top);
  device.Blit(*painter, QRect(cell.left, 0, rect.width(), rect.height()));
  painter->restore();
  // A dotted outline alone is easily missed beside the text list's solid highlight: a highlighted
  // picture gets a broad frame in the same colour, inside the item.
  if (cell.selected) {
    const QColor colour = option.palette.color(QPalette::Active, QPalette::Highlight);
    const QRect inner = rect.adjusted(kHighlightFrame, kHighlightFrame, -kHighlightFrame, -kHighlightFrame);
    painter->save();
    painter->setClipRegion(QRegion(rect).subtracted(QRegion(inner)));
    painter->fillRect(rect, colour);
    painter->restore();
  }
}

void MakePictureList(QListWidget* list, int controlId, QSize itemSize, int visibleItems,
                     PictureListHooks hooks) {
  auto* delegate = new PictureItemDelegate(controlId, itemSize, std::move(hooks), list);
  list->setItemDelegate(delegate);
  list->setSelectionMode(QAbstractItemView::MultiSelection);
  list->setUniformItemSizes(true);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Always there, so the items keep their width whether the list is long or short.
  list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  const int frame = 2 * list->frameWidth();
  const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
  list->setFixedWidth(itemSize.width() + scrollBar + frame);
  list->setFixedHeight(std::max(visibleItems, 1) * delegate->ItemHeight() + frame);
}

}  // namespace korvel
