#include "UI/CCListWidget.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QSignalBlocker>

#include "UI/ControlCenterForm.h"
#include "UI/model/CONCEN.h"

namespace zelvora {
namespace {

// A book seen from the front: closed (the sheet is completed) or open.
QIcon BookIcon(bool closed) {
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(60, 40, 20), 1));
  if (closed) {
    painter.setBrush(QColor(150, 40, 40));
    painter.drawRoundedRect(QRectF(3.5, 1.5, 10, 13), 1, 1);
    painter.setBrush(QColor(245, 240, 225));
    painter.drawRect(QRectF(12.5, 3.5, 1.5, 10));
    painter.setPen(QPen(QColor(230, 200, 120), 1));
    painter.drawLine(QPointF(6, 5.5), QPointF(11, 5.5));
  } else {
    painter.setBrush(QColor(250, 248, 238));
    QPainterPath left;
    left.moveTo(8, 4);
    left.cubicTo(6, 2.5, 3, 2.5, 1, 3.5);
    left.lineTo(1, 13.5);
    left.cubicTo(3, 12.5, 6, 12.5, 8, 14);
    left.closeSubpath();
    QPainterPath right;
    right.moveTo(8, 4);
    right.cubicTo(10, 2.5, 13, 2.5, 15, 3.5);
    right.lineTo(15, 13.5);
    right.cubicTo(13, 12.5, 10, 12.5, 8, 14);
    right.closeSubpath();
    painter.drawPath(left);
    painter.drawPath(right);
    painter.setPen(QPen(QColor(120, 120, 140), 1));
    for (double y : {6.0, 8.5, 11.0}) {
      painter.drawLine(QPointF(3, y), QPointF(6.5, y + 0.5));
      painter.drawLine(QPointF(9.5, y + 0.5), QPointF(13, y));
    }
  }
  return QIcon(picture);
}

QIcon AddIcon() {
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(40, 130, 60));
  painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
  painter.setBrush(Qt::white);
  painter.drawRect(QRectF(4, 7, 8, 2));
  painter.drawRect(QRectF(7, 4, 2, 8));
  return QIcon(picture);
}

bool SameEntries(const std::vector<TCCEntry>& a, const std::vector<TCCEntry>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].Object != b[i].Object || a[i].Completed != b[i].Completed || a[i].Text != b[i].Text)
      return false;
  return true;
}

}  // namespace

TCCListWidget::TCCListWidget(TControlCenterForm& form, int index, const TCCList& list)
    : form_(form), index_(index) {
  setObjectName(QString::fromStdString(form.ListName(index)));
  setAccessibleName(QString::fromStdString(list.Header()));
  setSelectionMode(list.MultiSelect() ? QAbstractItemView::ExtendedSelection
                                      : QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
  setMinimumWidth(60);
  const bool drags = index >= SurveyLB && index <= SuggestionLB;
  setDragEnabled(drags);
  setAcceptDrops(drags);
  setDragDropMode(drags ? QAbstractItemView::DragDrop : QAbstractItemView::NoDragDrop);
  setDropIndicatorShown(false);
}

void TCCListWidget::ShowList(const TCCList& list) {
  const QSignalBlocker blocker(this);
  if (!SameEntries(shown_, list.Entries())) {
    shown_ = list.Entries();
    clear();
    static const QIcon closed = BookIcon(true);
    static const QIcon open = BookIcon(false);
    static const QIcon add = AddIcon();
    for (const TCCEntry& entry : shown_) {
      auto* item = new QListWidgetItem(QString::fromStdString(entry.Text), this);
      if (entry.IsAddEntry()) {
        QFont font = item->font();
        font.setItalic(true);
        item->setFont(font);
        item->setForeground(QColor(30, 90, 50));
        item->setIcon(add);
      } else if (index_ == RaterLB) {
        item->setIcon(entry.Completed ? closed : open);
      }
    }
  }
  const std::vector<int>& selection = list.Selection();
  if (SelectedRows() != selection) {
    clearSelection();
    for (int row : selection)
      if (QListWidgetItem* entry = item(row)) entry->setSelected(true);
  }
  if (!selection.empty() && currentRow() != selection.front()) {
    setCurrentRow(selection.front(), QItemSelectionModel::NoUpdate);
    scrollToItem(item(selection.front()));
  }
}

std::vector<int> TCCListWidget::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

int TCCListWidget::DropIndexAt(const QPoint& point) const {
  const QModelIndex index = indexAt(point);
  return index.isValid() ? index.row() : count();
}

void TCCListWidget::focusInEvent(QFocusEvent* event) {
  QListWidget::focusInEvent(event);
  form_.ListFocused(index_);
}

void TCCListWidget::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
    QListWidget::keyPressEvent(event);
    return;
  }
  switch (event->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Insert:
    case Qt::Key_Right:
    case Qt::Key_Left:
    case Qt::Key_PageDown:
    case Qt::Key_PageUp:
      form_.ListKey(index_, event->key());
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (currentRow() >= 0) form_.ListActivated(index_, currentRow());
      return;
    default:
      QListWidget::keyPressEvent(event);
  }
}

void TCCListWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid() && event->button() == Qt::LeftButton)
    form_.ListActivated(index_, index.row());
  else
    QListWidget::mouseDoubleClickEvent(event);
}

void TCCListWidget::contextMenuEvent(QContextMenuEvent* event) {
  int row = currentRow();
  QPoint at = event->globalPos();
  if (event->reason() == QContextMenuEvent::Mouse) {
    const QModelIndex index = indexAt(event->pos());
    row = index.isValid() ? index.row() : -1;
  } else if (row >= 0) {
    at = viewport()->mapToGlobal(visualItemRect(item(row)).center());
  }
  if (row >= 0) form_.ListContextMenu(index_, row, at);
}

void TCCListWidget::startDrag(Qt::DropActions) {
  if (selectedItems().isEmpty()) return;
  QMimeData* data = MakeDragData();
  auto* drag = new QDrag(this);
  drag->setMimeData(data);
  if (QListWidgetItem* first = selectedItems().front()) drag->setPixmap(first->icon().pixmap(16));
  drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
}

QMimeData* TCCListWidget::MakeDragData() const {
  auto* data = new QMimeData;
  data->setData(kMimeType, DragData());
  return data;
}

QByteArray TCCListWidget::DragData() const {
  return QByteArray::number(reinterpret_cast<quintptr>(&form_)) + ' ' + QByteArray::number(index_);
}

int TCCListWidget::DragSource(const QMimeData* data) const {
  if (data == nullptr || !data->hasFormat(kMimeType)) return -1;
  const QList<QByteArray> parts = data->data(kMimeType).split(' ');
  bool window_ok = false;
  bool index_ok = false;
  if (parts.size() != 2 || parts[0].toULongLong(&window_ok) != reinterpret_cast<quintptr>(&form_) ||
      !window_ok)
    return -1;
  const int index = parts[1].toInt(&index_ok);
  return index_ok && index >= 0 && index < kCCListCount ? index : -1;
}

bool TCCListWidget::AcceptDrag(QDropEvent* event) {
  const int source = DragSource(event->mimeData());
  const QPoint point = event->position().toPoint();
  const int at = DropIndexAt(point);
  const bool accepted = source >= 0 && form_.CanDrop(source, index_, at);
  const int row = accepted ? at : -1;
  if (row != drop_row_ || drop_onto_ != (source != index_)) {
    drop_row_ = row;
    drop_onto_ = source != index_;
    viewport()->update();
  }
  if (accepted) {
    event->setDropAction(source == index_ ? Qt::MoveAction : Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
  return accepted;
}

void TCCListWidget::dragEnterEvent(QDragEnterEvent* event) {
  if (DragSource(event->mimeData()) < 0) {
    event->ignore();
    return;
  }
  // Entering is allowed so that moves over the list are seen; each position
  // is decided in dragMoveEvent.
  event->accept();
}

void TCCListWidget::dragMoveEvent(QDragMoveEvent* event) { AcceptDrag(event); }

void TCCListWidget::dragLeaveEvent(QDragLeaveEvent* event) {
  drop_row_ = -1;
  viewport()->update();
  event->accept();
}

void TCCListWidget::dropEvent(QDropEvent* event) {
  const int source = DragSource(event->mimeData());
  const int at = DropIndexAt(event->position().toPoint());
  drop_row_ = -1;
  viewport()->update();
  if (source < 0 || !form_.CanDrop(source, index_, at)) {
    event->ignore();
    return;
  }
  // The items stay where they are for Qt: the Control Center redraws them.
  event->setDropAction(Qt::IgnoreAction);
  event->accept();
  form_.Drop(source, index_, at);
}

void TCCListWidget::paintEvent(QPaintEvent* event) {
  QListWidget::paintEvent(event);
  if (drop_row_ < 0) return;
  QPainter painter(viewport());
  painter.setPen(QPen(palette().highlight().color(), 2));
  // A copy lands on the entry under the pointer, a move before it.
  if (drop_onto_ && drop_row_ < count()) {
    painter.drawRect(visualItemRect(item(drop_row_)).adjusted(1, 1, -1, -1));
    return;
  }
  int y = 0;
  if (drop_row_ < count()) {
    y = visualItemRect(item(drop_row_)).top();
  } else if (count() > 0) {
    y = visualItemRect(item(count() - 1)).bottom();
  }
  painter.drawLine(0, y + 1, viewport()->width(), y + 1);
}

}  // namespace zelvora
