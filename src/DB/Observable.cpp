#include "DB/Observable.h"

#include <algorithm>

namespace zelvora {

void TObservable::RemoveObserver(TObserver* observer) {
  Observers.erase(std::remove(Observers.begin(), Observers.end(), observer), Observers.end());
}

void TObservable::NotifyObservers(TSurvObject* item, int code) {
  if (!HasChanged()) return;
  // Observers registered during the round are not called in it; an observer
  // removed during the round may leave the vector shorter.
  const std::size_t count = Observers.size();
  for (std::size_t i = 0; i < count && i < Observers.size(); ++i) {
    Observers[i]->Update(*this, item, code);
  }
  ClearChanged();
}

}  // namespace zelvora
