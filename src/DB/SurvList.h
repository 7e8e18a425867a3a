// TSurvList: the ordered list of survey objects every parent uses for its
// children, and the ten typed lists.
//
// Callers may rely on:
//  - Count, Items, Add and Delete notify every observer (codes 1, 3, 2, 4;
//    the destructor sends 5) before they act, so an owner can refuse an Add
//    by throwing: the object is then not appended and stays the caller's;
//  - the list never frees an object: the owner does, in its Update;
//  - counts and indexes are 16-bit: at most 32767 objects per list;
//  - a typed list accepts only objects of its kind.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "DB/ObjectID.h"
#include "DB/Observable.h"

namespace zelvora {

class TSurvObject;
class TCompany;
class TDepartment;
class TSurvey;
class TSubject;
class TSkillArea;
class TQuestion;
class TSuggestion;
class TExperience;
class TScoreSheet;
class TRater;

// Failures of the object model; the message is the system's text.
class ESurvObjError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One entry of a display list: the text shown and the object it stands for.
struct TDisplayEntry {
  std::string Text;
  TSurvObject* Object = nullptr;
};
using TDisplayStrings = std::vector<TDisplayEntry>;

inline constexpr int kMaxListCount = 32767;

class TSurvList : public TObservable {
 public:
  TSurvList() = default;
  // Notifies code 5 (the owner frees the items), then drops the references.
  ~TSurvList() override;

  // A list notifies every observer every time.
  bool HasChanged() const override { return true; }

  // Notifies code 1, then returns the number of items.
  std::int16_t Count();
  // Notifies code 3, then returns the item. An index outside 0..Count-1
  // fails with "List index out of bounds (<index>)".
  TSurvObject* Items(int index);
  // Notifies code 2 with the object, then appends it. A full list fails with
  // "TSurvList.Add: List is full"; an object of the wrong kind with
  // "TSurvList.Add: Wrong kind of object".
  void Add(TSurvObject* object);
  // Fails with "SurvList.Delete: Index out of bounds" when index >= Count.
  // Otherwise notifies code 4 with the item and then takes that item out of
  // the list, wherever the observers left it (it may already be gone).
  void Delete(int index);
  // Deletes the first entry holding exactly this object; fails with
  // "TSurvList.Remove: Object not found" when there is none.
  void Remove(TSurvObject* object);
  bool Contains(const TSurvObject* object) const;
  // First item with this ID, or null.
  TSurvObject* FindByID(const TObjectID& id) const;
  // Stable bubble sort ascending by Order (ordered kinds only; other items
  // count as Order 0).
  void SortByOrder();
  // Sum of the items' ObjectCount.
  int ObjectCount() const;
  // Appends one entry per item (sorted by Order first for skill areas,
  // questions and suggestions).
  void FillStrings(TDisplayStrings& out);

  // The items without notifications, for reading.
  const std::vector<TSurvObject*>& Raw() const { return items_; }
  std::int16_t Size() const { return static_cast<std::int16_t>(items_.size()); }
  // Drops every reference to `object` without notifying anybody. Used by an
  // owner to take an object it is freeing out of lists that only mirror it.
  void Forget(const TSurvObject* object);

 protected:
  // The kind code the list holds, or -1 for any kind.
  virtual int AcceptedKind() const { return -1; }
  virtual bool SortsForDisplay() const { return false; }

 private:
  std::vector<TSurvObject*> items_;
};

// Typed access to a list of one kind. Adopt hands an object over: the list's
// owner owns it once it is appended; if the Add fails it is freed.
template <class T, int KindCode, bool Sorted = false>
class TTypedSurvList : public TSurvList {
 public:
  static constexpr int kKind = KindCode;

  T* Items(int index) { return static_cast<T*>(TSurvList::Items(index)); }
  void Add(T* object) { TSurvList::Add(object); }
  T* Adopt(std::unique_ptr<T> object) {
    T* raw = object.get();
    Add(raw);
    object.release();
    return raw;
  }
  T* FindByID(const TObjectID& id) const { return static_cast<T*>(TSurvList::FindByID(id)); }
  T* At(int index) const { return static_cast<T*>(Raw().at(static_cast<std::size_t>(index))); }

 protected:
  int AcceptedKind() const override { return KindCode; }
  bool SortsForDisplay() const override { return Sorted; }
};

class TCompanyList : public TTypedSurvList<TCompany, 1> {};
class TDepartmentList : public TTypedSurvList<TDepartment, 2> {};
class TSurveyList : public TTypedSurvList<TSurvey, 3> {};
class TSubjectList : public TTypedSurvList<TSubject, 4> {};
class TSkillAreaList : public TTypedSurvList<TSkillArea, 5, true> {};
class TQuestionList : public TTypedSurvList<TQuestion, 6, true> {};
class TSuggestionList : public TTypedSurvList<TSuggestion, 7, true> {};
class TExperienceList : public TTypedSurvList<TExperience, 8> {};
class TScoreSheetList : public TTypedSurvList<TScoreSheet, 9> {};
class TRaterList : public TTypedSurvList<TRater, 10> {};

}  // namespace zelvora
