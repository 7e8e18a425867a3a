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
  return static_cast<std::int16_t>(FItems.size());
}

TSurvObject* TSurvList::Items(int index) {
  NotifyObservers(nullptr, ncItems);
  if (index < 0 || static_cast<std::size_t>(index) >= FItems.size()) {
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  }
  return FItems[static_cast<std::size_t>(index)];
}

void TSurvList::Add(TSurvObject* object) {
  if (object == nullptr) throw ESurvObjError("TSurvList.Add: No object");
  const int kind = AcceptedKind();
  if (kind >= 0 && object->Kind() != kind) throw ESurvObjError("TSurvList.Add: Wrong kind of object");
  if (FItems.size() >= static_cast<std::size_t>(kMaxListCount)) {
    throw ESurvObjError("TSurvList.Add: List is full");
  }
  NotifyObservers(object, ncAdd);
  FItems.push_back(object);
}

void TSurvList::Delete(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= FItems.size()) {
    throw ESurvObjError("SurvList.Delete: Index out of bounds");
  }
  TSurvObject* item = FItems[static_cast<std::size_t>(index)];
  NotifyObservers(item, ncDelete);
  // An observer may have taken the item out already, or shortened the list
  // so that another item now stands at the index: take out exactly the item
  // that was announced, if it is still here.
  const auto idx = static_cast<std::size_t>(index);
  if (idx < FItems.size() && FItems[idx] == item) {
    FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(idx));
    return;
  }
  const auto it = std::find(FItems.begin(), FItems.end(), item);
  if (it != FItems.end()) FItems.erase(it);
}

void TSurvList::Remove(TSurvObject* object) {
  const auto it = std::find(FItems.begin(), FItems.end(), object);
  if (it == FItems.end()) throw ESurvObjError("TSurvList.Remove: Object not found");
  Delete(static_cast<int>(it - FItems.begin()));
}

bool TSurvList::Contains(const TSurvObject* object) const {
  return std::find(FItems.begin(), FItems.end(), object) != FItems.end();
}

TSurvObject* TSurvList::FindByID(const TObjectID& id) const {
  for (TSurvObject* item : FItems) {
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
    for (std::size_t i = 1; i < FItems.size(); ++i) {
      if (FItems[i]->SortOrder() < FItems[i - 1]->SortOrder()) {
        std::swap(FItems[i], FItems[i - 1]);
        swapped = true;
      }
    }
  }
}

int TSurvList::ObjectCount() const {
  int total = 0;
  for (TSurvObject* item : FItems) total += item->ObjectCount();
  return total;
}

void TSurvList::FillStrings(TDisplayStrings& out) {
  if (SortsForDisplay()) SortByOrder();
  for (TSurvObject* item : FItems) out.push_back({item->DisplayText(), item});
}

void TSurvList::Forget(const TSurvObject* object) {
  FItems.erase(std::remove(FItems.begin(), FItems.end(), object), FItems.end());
}

}  // namespace zelvora
