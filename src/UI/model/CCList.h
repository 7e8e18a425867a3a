// TCCList: what one list of the Control Center shows: its entries (text and
// object; the add entry, when there is one, is entry 0 without an object),
// which entries are selected, and whether several may be. A list widget
// redraws from it; the Control Center fills it.
#pragma once

#include <string>
#include <vector>

namespace zelvora {

class TSurvObject;

struct TCCEntry {
  std::string Text;
  TSurvObject* Object = nullptr;
  // Raters: the score sheet is completed (drawn as a closed book).
  bool Completed = false;
  bool IsAddEntry() const { return Object == nullptr; }
};

class TCCList {
 public:
  TCCList(int index, std::string header, bool multi_select);

  // The list's identity (0 CompanyLB ... 11 RaterLB) and column header.
  int Index() const { return index_; }
  const std::string& Header() const { return header_; }
  bool MultiSelect() const { return multi_select_; }

  const std::vector<TCCEntry>& Entries() const { return entries_; }
  int Count() const { return static_cast<int>(entries_.size()); }
  bool Empty() const { return entries_.empty(); }
  bool HasAddEntry() const { return !entries_.empty() && entries_.front().IsAddEntry(); }
  // The first entry that stands for an object.
  int FirstReal() const { return HasAddEntry() ? 1 : 0; }
  TSurvObject* ObjectAt(int index) const;

  // Filling: Clear, then the add entry (optional), then the objects.
  void Clear();
  void AddEntry(std::string text);
  void Append(TCCEntry entry);
  // Sorts the entries from `first` on by text, letter case ignored, keeping
  // the order of equal texts.
  void SortFrom(int first);

  // Selected indexes, ascending.
  const std::vector<int>& Selection() const { return selection_; }
  // Indexes outside the list are dropped; a single-selection list keeps the
  // first.
  void Select(std::vector<int> indexes);
  void SelectOne(int index) { Select(index < 0 ? std::vector<int>{} : std::vector<int>{index}); }
  bool IsSelected(int index) const;
  int SelectedCount() const { return static_cast<int>(selection_.size()); }
  // The objects of the selected entries, in list order (no add entry).
  std::vector<TSurvObject*> SelectedObjects() const;
  int RealSelectedCount() const { return static_cast<int>(SelectedObjects().size()); }
  TSurvObject* FirstSelectedObject() const;
  bool AddEntrySelected() const { return HasAddEntry() && IsSelected(0); }
  // The index of the entry of `object`, or -1.
  int IndexOf(const TSurvObject* object) const;

 private:
  int index_;
  std::string header_;
  bool multi_select_;
  std::vector<TCCEntry> entries_;
  std::vector<int> selection_;
};

}  // namespace zelvora
