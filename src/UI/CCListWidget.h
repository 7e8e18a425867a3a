// TCCListWidget: one of the Control Center's twelve lists on screen. It shows
// a TCCList (rater entries with a closed or open book, add entries in italics
// with a plus sign) and hands everything the user does to the Control Center
// window: focus, selection, the window-wide keys, double-clicks, the context
// menu and drags. It decides nothing itself.
#pragma once

#include <QListWidget>
#include <vector>

#include "UI/model/CCList.h"

namespace zelvora {

class TControlCenterForm;

class TCCListWidget : public QListWidget {
 public:
  // The drag data of a Control Center list: the window's identity and the
  // source list's index.
  static constexpr const char* kMimeType = "application/x-zelvora-control-center-list";

  TCCListWidget(TControlCenterForm& form, int index, const TCCList& list);

  int Index() const { return index_; }
  // Shows `list`: its entries (rebuilt only when they changed) and selection.
  void ShowList(const TCCList& list);
  // The drop position under `point` (viewport coordinates): the entry there,
  // or the count below the last one.
  int DropIndexAt(const QPoint& point) const;
  std::vector<int> SelectedRows() const;
  // What a drag of this list's selection carries.
  QMimeData* MakeDragData() const;

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void startDrag(Qt::DropActions actions) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // The data of a drag from this list: the window and the list's index.
  QByteArray DragData() const;
  // The source list of a drag from this window, or -1 (drags from elsewhere).
  int DragSource(const QMimeData* data) const;
  bool AcceptDrag(QDropEvent* event);

  TControlCenterForm& form_;
  int index_;
  std::vector<TCCEntry> shown_;
  int drop_row_ = -1;
  bool drop_onto_ = false;
};

}  // namespace zelvora
