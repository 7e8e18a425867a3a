#include "UI/model/CCList.h"

#include <algorithm>
#include <utility>

#include "base/Text.h"

namespace zelvora {

TCCList::TCCList(int index, std::string header, bool multi_select)
    : index_(index), header_(std::move(header)), multi_select_(multi_select) {}

TSurvObject* TCCList::ObjectAt(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return entries_[static_cast<std::size_t>(index)].Object;
}

void TCCList::Clear() {
  entries_.clear();
  selection_.clear();
}

void TCCList::AddEntry(std::string text) { entries_.push_back({std::move(text), nullptr, false}); }

void TCCList::Append(TCCEntry entry) { entries_.push_back(std::move(entry)); }

void TCCList::SortFrom(int first) {
  if (first >= Count()) return;
  std::stable_sort(
      entries_.begin() + first, entries_.end(),
      [](const TCCEntry& a, const TCCEntry& b) { return CompareText(a.Text, b.Text) < 0; });
}

void TCCList::Select(std::vector<int> indexes) {
  std::sort(indexes.begin(), indexes.end());
  indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
  selection_.clear();
  for (int index : indexes)
    if (index >= 0 && index < Count()) selection_.push_back(index);
  if (!multi_select_ && selection_.size() > 1) selection_.resize(1);
}

bool TCCList::IsSelected(int index) const {
  return std::binary_search(selection_.begin(), selection_.end(), index);
}

std::vector<TSurvObject*> TCCList::SelectedObjects() const {
  std::vector<TSurvObject*> objects;
  for (int index : selection_)
    if (TSurvObject* object = ObjectAt(index)) objects.push_back(object);
  return objects;
}

TSurvObject* TCCList::FirstSelectedObject() const {
  for (int index : selection_)
    if (TSurvObject* object = ObjectAt(index)) return object;
  return nullptr;
}

int TCCList::IndexOf(const TSurvObject* object) const {
  if (object == nullptr) return -1;
  for (int i = 0; i < Count(); ++i)
    if (entries_[static_cast<std::size_t>(i)].Object == object) return i;
  return -1;
}

}  // namespace zelvora
