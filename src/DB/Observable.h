// The change-notification pair used by survey lists and their owners.
//
// A TObservable keeps its observers in registration order (not owned; the
// same observer may be registered twice and is then called twice).
// NotifyObservers calls them only when HasChanged is true and clears the mark
// afterwards; survey lists override HasChanged so that every notification
// reaches every observer.
#pragma once

#include <vector>

namespace zelvora {

class TObservable;
class TSurvObject;

// Notification codes sent by a TSurvList to its observers.
enum TNotifyCode : int {
  ncCount = 1,    // the count is being read; nobody reacts
  ncAdd = 2,      // the item is about to be appended
  ncItems = 3,    // an item is being read; nobody reacts
  ncDelete = 4,   // the item at the index is about to be removed
  ncDestroy = 5,  // the list is being destroyed
};

class TObserver {
 public:
  virtual ~TObserver() = default;
  // Called by a list for each notification; `list` is the sender. `item` is
  // null for codes 1, 3 and 5.
  virtual void Update(TObservable& list, TSurvObject* item, int code) = 0;
};

class TObservable {
 public:
  TObservable() = default;
  TObservable(const TObservable&) = delete;
  TObservable& operator=(const TObservable&) = delete;
  virtual ~TObservable() = default;

  virtual bool HasChanged() const { return Changed; }
  virtual void SetChanged() { Changed = true; }
  virtual void ClearChanged() { Changed = false; }

  void AddObserver(TObserver* observer) { Observers.push_back(observer); }
  // Removes every registration of `observer`; used when an observer that
  // does not own the list goes away before the list.
  void RemoveObserver(TObserver* observer);

  const std::vector<TObserver*>& GetObservers() const { return Observers; }

 protected:
  // When HasChanged: calls Update(*this, item, code) on each observer
  // registered at the time of the call, in registration order, then
  // ClearChanged. An exception from an observer propagates at once.
  void NotifyObservers(TSurvObject* item, int code);

  std::vector<TObserver*> Observers;
  bool Changed = false;
};

}  // namespace zelvora
