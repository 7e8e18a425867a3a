// TSurvObject and TOrdSurvObject: what every survey object shares (identity,
// time of last change, lifecycle state) and the common rules by which an
// object keeps its children lists.
//
// Lifecycle (State):
//   0 new: built in memory, no record yet;
//   1 stored: matches a record;
//   2 copy with new IDs (its whole subtree is stored when it is added to a
//     parent that is not itself such a copy);
//   3 copy keeping the IDs of the original;
//   4 built outside the database (importer or built-in): its lists start
//     empty, are never loaded, and it is stored with the IDs it carries;
//   5 deleted: Delete has run; a second Delete does nothing.
// Children lists are created on first access. Only an object that has a
// record (State 1, or 5 when it had one before Delete) loads them from the
// database; then they are "loaded", and objects added to them get a new ID
// and a record. Lists of objects in the other states start empty and write
// nothing until StoreTree stores the object with its subtree.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "DB/ObjectID.h"
#include "DB/Observable.h"
#include "DB/SurvList.h"
#include "DB/SurveyDBBase.h"

namespace zelvora {

enum TObjectState : std::uint8_t {
  osNew = 0,
  osStored = 1,
  osCopyNewIDs = 2,
  osCopySameIDs = 3,
  osBuiltOutside = 4,
  osDeleted = 5,
};

// Kind codes, written wherever a kind must be a number.
enum TObjectKind : int {
  okDataRoot = 0,
  okCompany = 1,
  okDepartment = 2,
  okSurvey = 3,
  okSubject = 4,
  okSkillArea = 5,
  okQuestion = 6,
  okSuggestion = 7,
  okExperience = 8,
  okScoreSheet = 9,
  okRater = 10,
};

// "TCompany" for okCompany and so on; "" for an unknown code.
const char* KindClassName(int kind);

class TSurvObject : public TObserver {
 public:
  // State 0, ID (0,0), Date now.
  TSurvObject();
  TSurvObject(const TSurvObject&) = delete;
  TSurvObject& operator=(const TSurvObject&) = delete;
  ~TSurvObject() override = default;

  TObjectID ID;
  double Date = 0.0;
  TObjectState State = osNew;

  // Reacts to its children lists; the base does nothing.
  void Update(TObservable& list, TSurvObject* item, int code) override;
  // Removes the object and everything it owns from the database. Returns
  // true when the caller is to free the object, false when it was already
  // deleted.
  virtual bool Delete() = 0;
  virtual int Kind() const = 0;
  // Objects in the subtree including this one (children lists are loaded).
  virtual int ObjectCount() = 0;

  // Writes the object's record through the database's update operation.
  virtual void Save() = 0;
  // Inserts the object's record, then those of its whole subtree, and marks
  // its children lists loaded.
  virtual void StoreTree() = 0;
  // Inserts the object's record only (State becomes 1).
  virtual bool InsertRecord() = 0;
  // The text shown for the object in display lists.
  virtual std::string DisplayText() const = 0;
  // Position among siblings; 0 for kinds without an Order.
  virtual std::int16_t SortOrder() const { return 0; }

  const char* ClassName() const { return KindClassName(Kind()); }
  // Whether one of the object's own lists is in the middle of a
  // notification: the object must then outlive the call even if a cascade
  // deletes it (its owner parks it instead of freeing it at once).
  bool IsBusy() const { return busy_ > 0; }
  // Sets Date to the current date-time (every edit does before saving).
  void Touch();

 protected:
  // Whether a list created now is filled from the database.
  bool LoadsChildren() const;
  // One run of Delete. Started() is false when the object is being deleted
  // already (a notification of its own cascade) or was deleted completely:
  // Delete then returns false and does nothing. A run that ends by an
  // exception (a database failure) leaves the object in State 5 but lets the
  // next Delete run the cascade again, so a retry completes the deletion and
  // the owner frees the object.
  class TDeleteRun {
   public:
    explicit TDeleteRun(TSurvObject& object);
    ~TDeleteRun();
    TDeleteRun(const TDeleteRun&) = delete;
    TDeleteRun& operator=(const TDeleteRun&) = delete;
    bool Started() const { return started_; }
    void Done() { done_ = true; }

   private:
    TSurvObject& object_;
    bool started_ = false;
    bool done_ = false;
  };

  // Creates `list` on first access, registered with this object as its
  // first observer; fills it through `load` when LoadsChildren, and then
  // marks it loaded. A list made empty while the object had no record yet is
  // loaded on the first access after the object was stored. Requires: the
  // object's Update frees the items of `list` on code 5.
  template <class L, class LoadFn>
  L& LazyList(std::unique_ptr<L>& list, bool& loaded, LoadFn load) {
    if (!list) {
      list = std::make_unique<L>();
      list->AddObserver(this);
    }
    if (!loaded && list->Size() == 0 && LoadsChildren()) {
      // A load that fails leaves no half-filled list behind: the next
      // access tries again.
      try {
        load(*list);
      } catch (...) {
        DestroyList(list);
        throw;
      }
      loaded = true;
    }
    return *list;
  }
  // Creates `list` empty (no loading) if it does not exist yet.
  template <class L>
  L& EnsureList(std::unique_ptr<L>& list) {
    if (!list) {
      list = std::make_unique<L>();
      list->AddObserver(this);
    }
    return *list;
  }

  // Gives a fresh copy of this object its identity: with `new_ids`, the next
  // ID (reserving IDs for the whole subtree first when none are reserved)
  // and State 2; otherwise this object's ID and Date and State 3.
  void StampCopy(TSurvObject& copy, bool new_ids);
  // The common reaction to a child being added to an owned list, after the
  // child's owner reference is set: a State-2 copy added to an owner that is
  // not one is stored with its subtree (when `stores_copies`); otherwise, if
  // the list is loaded, the child gets a new ID and its record.
  void StoreAddedChild(TSurvObject& child, bool list_loaded, bool stores_copies);
  // The common reaction to code 4 on an owned list: Delete the child and
  // free it when Delete says so.
  static void DeleteAndFree(TSurvObject* child);
  // Frees every item of an owned list (code 5).
  static void FreeAll(TSurvList& list);
  // Deletes index 0 of the list until it is empty.
  static void DeleteAll(TSurvList& list);
  // Destroys a list held by this object. The list's code 5 reaches the
  // holder's Update while the holder's member still points at the list, so
  // the holder can tell which of its lists is going.
  template <class L>
  static void DestroyList(std::unique_ptr<L>& list) {
    if (list) {
      delete list.get();
      (void)list.release();
    }
  }
  // Deletes the object's own record, when there can be one: objects that
  // never had a record and were built without a database open have none.
  template <class T>
  void DeleteOwnRecord(T& self);

  // Marks the object busy for the lifetime of the guard.
  class TBusyGuard {
   public:
    explicit TBusyGuard(TSurvObject& object) : object_(object) { ++object_.busy_; }
    ~TBusyGuard() { --object_.busy_; }
    TBusyGuard(const TBusyGuard&) = delete;
    TBusyGuard& operator=(const TBusyGuard&) = delete;

   private:
    TSurvObject& object_;
  };

 private:
  bool had_record_ = false;
  bool deleting_ = false;
  bool delete_failed_ = false;
  int busy_ = 0;
};

template <class T>
void TSurvObject::DeleteOwnRecord(T& self) {
  if (had_record_ || GetSurveyDB() != nullptr) SurveyDB().Delete(self);
}

class TOrdSurvObject : public TSurvObject {
 public:
  std::int16_t Order = 0;
  std::int16_t SortOrder() const override { return Order; }
};

}  // namespace zelvora
