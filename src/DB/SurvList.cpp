#include "DB/SurvList.h"

#include <algorithm>

#include "DB/SurvObjectBase.h"

namespace zelvora {

TSurvList::~TSurvList() {
  // The owner frees the items here. Nothing may escape a destructor: an
  // owner's reaction to code 5 only frees memory.
  NotifyObservers(nullptr, ncDestroy);
}

std::int16_t TSurvList::Count() {
  NotifyObservers(nullptr, ncCount);
  return static_cast<std::int16_t>(items_.size());
}

TSurvObject* TSurvList::Items(int index) {
  NotifyObservers(nullptr, ncItems);
  if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) {
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  }
  return items_[static_cast<std::size_t>(index)];
}

void TSurvList::Add(TSurvObject* object) {
  if (object == nullptr) throw ESurvObjError("TSurvList.Add: No object");
  const int kind = AcceptedKind();
  if (kind >= 0 && object->Kind() != kind)
    throw ESurvObjError("TSurvList.Add: Wrong kind of object");
  if (items_.size() >= static_cast<std::size_t>(kMaxListCount)) {
    throw ESurvObjError("TSurvList.Add: List is full");
  }
  NotifyObservers(object, ncAdd);
  items_.push_back(object);
}

void TSurvList::Delete(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) {
    throw ESurvObjError("SurvList.Delete: Index out of bounds");
  }
  TSurvObject* item = items_[static_cast<std::size_t>(index)];
  NotifyObservers(item, ncDelete);
  // An observer may have taken the item out already, or shortened the list
  // so that another item now stands at the index: take out exactly the item
  // that was announced, if it is still here.
  const auto idx = static_cast<std::size_t>(index);
  if (idx < items_.size() && items_[idx] == item) {
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(idx));
    return;
  }
  const auto it = std::find(items_.begin(), items_.end(), item);
  if (it != items_.end()) items_.erase(it);
}

void TSurvList::Remove(TSurvObject* object) {
  const auto it = std::find(items_.begin(), items_.end(), object);
  if (it == items_.end()) throw ESurvObjError("TSurvList.Remove: Object not found");
  Delete(static_cast<int>(it - items_.begin()));
}

bool TSurvList::Contains(const TSurvObject* object) const {
  return std::find(items_.begin(), items_.end(), object) != items_.end();
}

TSurvObject* TSurvList::FindByID(const TObjectID& id) const {
  for (TSurvObject* item : items_) {
    if (item->ID == id) return item;
  }
  return nullptr;
}

void TSurvList::SortByOrder() {
  // Bubble sort: swaps only strictly smaller later items, so equal Orders
  // keep their relative order.
  bool swapped = true;
  while (swapped) {
    swapped = false;
    for (std::size_t i = 1; i < items_.size(); ++i) {
      if (items_[i]->SortOrder() < items_[i - 1]->SortOrder()) {
        std::swap(items_[i], items_[i - 1]);
        swapped = true;
      }
    }
  }
}

int TSurvList::ObjectCount() const {
  int total = 0;
  for (TSurvObject* item : items_) total += item->ObjectCount();
  return total;
}

void TSurvList::FillStrings(TDisplayStrings& out) {
  if (SortsForDisplay()) SortByOrder();
  for (TSurvObject* item : items_) out.push_back({item->DisplayText(), item});
}

void TSurvList::Forget(const TSurvObject* object) {
  items_.erase(std::remove(items_.begin(), items_.end(), object), items_.end());
}

}  // namespace zelvora
