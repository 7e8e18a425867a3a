#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "DB/Survobj.h"
#include "ModelFixture.h"

namespace zelvora {
namespace {

using testing::RecordingObserver;

std::unique_ptr<TSuggestion> Item(const std::string& text, int order = 0) {
  auto item = std::make_unique<TSuggestion>();
  item->SuggestionText = text;
  item->Order = static_cast<std::int16_t>(order);
  return item;
}

// An owner as the objects are: frees an item on code 4 and all on code 5;
// optionally shortens the list from inside code 4.
class FreeingOwner : public TObserver {
 public:
  void Update(TObservable& list, TSurvObject* item, int code) override {
    auto& survlist = static_cast<TSurvList&>(list);
    if (code == ncDelete) {
      Deleted.push_back(item->DisplayText());
      if (ForgetFirstOnDelete && survlist.Size() > 0) survlist.Forget(survlist.Raw().front());
      if (ForgetAllOnDelete) {
        for (TSurvObject* other : std::vector<TSurvObject*>(survlist.Raw())) {
          if (other != item) {
            survlist.Forget(other);
            Orphans.emplace_back(other);
          }
        }
      }
      delete item;
    } else if (code == ncDestroy) {
      for (TSurvObject* each : survlist.Raw()) delete each;
    } else if (code == ncAdd && RefuseAdds) {
      throw ESurvObjError("refused");
    }
  }
  std::vector<std::string> Deleted;
  std::vector<std::unique_ptr<TSurvObject>> Orphans;
  bool ForgetFirstOnDelete = false;
  bool ForgetAllOnDelete = false;
  bool RefuseAdds = false;
};

TEST(SurvListNotifications, EveryObserverInRegistrationOrderEveryTime) {
  FreeingOwner owner;
  RecordingObserver first("a"), second("b");
  second.Log = first.Log;
  {
    // The freeing owner comes last here so that the recorders still see the
    // item of code 4.
    TSuggestionList list;
    list.AddObserver(&first);
    list.AddObserver(&second);
    list.AddObserver(&first);  // registered twice: called twice
    list.AddObserver(&owner);
    list.Adopt(Item("x"));
    EXPECT_EQ(list.Count(), 1);
    list.Items(0);
    list.Delete(0);
  }
  const std::vector<std::string> expected = {"a2:x", "b2:x", "a2:x", "a1",   "b1", "a1", "a3", "b3",
                                             "a3",   "a4:x", "b4:x", "a4:x", "a5", "b5", "a5"};
  EXPECT_EQ(*first.Log, expected);
  EXPECT_EQ(owner.Deleted, std::vector<std::string>{"x"});
}

TEST(SurvListNotifications, CountOfAnEmptyListStillNotifies) {
  RecordingObserver observer;
  TSurvList list;
  list.AddObserver(&observer);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(*observer.Log, std::vector<std::string>{"1"});
  EXPECT_TRUE(list.HasChanged());  // lists always count as changed
}

TEST(SurvListNotifications, PlainObservableNotifiesOnlyWhenChanged) {
  class Probe : public TObservable {
   public:
    void Fire() { NotifyObservers(nullptr, ncCount); }
  } probe;
  RecordingObserver observer;
  probe.AddObserver(&observer);
  probe.Fire();
  EXPECT_TRUE(observer.Log->empty());
  probe.SetChanged();
  probe.Fire();
  EXPECT_EQ(observer.Log->size(), 1u);
  EXPECT_FALSE(probe.HasChanged());
}

TEST(SurvListNotifications, DeleteBoundsAndRemoveOfAStranger) {
  FreeingOwner owner;
  TSuggestionList list;
  list.AddObserver(&owner);
  list.Adopt(Item("a"));
  list.Adopt(Item("b"));
  try {
    list.Delete(2);
    FAIL() << "index equal to Count must fail";
  } catch (const ESurvObjError& e) {
    EXPECT_STREQ(e.what(), "SurvList.Delete: Index out of bounds");
  }
  EXPECT_THROW(list.Delete(-1), ESurvObjError);
  EXPECT_EQ(list.Size(), 2);
  TSuggestion stranger;
  try {
    list.Remove(&stranger);
    FAIL() << "removing an object not in the list must fail";
  } catch (const ESurvObjError& e) {
    EXPECT_STREQ(e.what(), "TSurvList.Remove: Object not found");
  }
  list.Delete(1);  // Count - 1: the last item goes and its owner frees it
  EXPECT_EQ(owner.Deleted, std::vector<std::string>{"b"});
  ASSERT_EQ(list.Size(), 1);
  EXPECT_EQ(list.At(0)->SuggestionText, "a");
  EXPECT_THROW(list.Items(5), std::out_of_range);
}

TEST(SurvListNotifications, DeleteToleratesAnObserverThatShortenedTheList) {
  FreeingOwner owner;
  owner.ForgetAllOnDelete = true;
  TSuggestionList list;
  list.AddObserver(&owner);
  list.Adopt(Item("a"));
  list.Adopt(Item("b"));
  list.Adopt(Item("c"));
  EXPECT_NO_THROW(list.Delete(2));
  EXPECT_EQ(list.Size(), 0);
  EXPECT_EQ(owner.Orphans.size(), 2u);
}

TEST(SurvListNotifications, DeleteTakesOutTheAnnouncedItemNotItsSuccessor) {
  // The observer takes the announced item out itself, so another item now
  // stands at the index: that one must stay.
  FreeingOwner owner;
  owner.ForgetFirstOnDelete = true;
  TSuggestionList list;
  list.AddObserver(&owner);
  list.Adopt(Item("a"));
  list.Adopt(Item("b"));
  list.Delete(0);
  ASSERT_EQ(list.Size(), 1);
  EXPECT_EQ(list.At(0)->SuggestionText, "b");
}

TEST(SurvListNotifications, RefusedAddAppendsNothing) {
  FreeingOwner owner;
  owner.RefuseAdds = true;
  TSuggestionList list;
  list.AddObserver(&owner);
  auto item = Item("x");
  EXPECT_THROW(list.Add(item.get()), ESurvObjError);
  EXPECT_EQ(list.Size(), 0);
  EXPECT_THROW(list.Adopt(Item("y")), ESurvObjError);  // Adopt frees what was refused
  EXPECT_EQ(list.Size(), 0);
}

TEST(SurvListNotifications, TypedListsTakeOnlyTheirKind) {
  TQuestionList list;
  TSuggestion wrong;
  try {
    TSurvList& untyped = list;
    untyped.Add(&wrong);
    FAIL();
  } catch (const ESurvObjError& e) {
    EXPECT_STREQ(e.what(), "TSurvList.Add: Wrong kind of object");
  }
  EXPECT_THROW(list.Add(nullptr), ESurvObjError);
}

TEST(SurvListNotifications, SortByOrderIsStable) {
  FreeingOwner owner;
  TSuggestionList list;
  list.AddObserver(&owner);
  list.Adopt(Item("three", 3));
  list.Adopt(Item("one-first", 1));
  list.Adopt(Item("one-second", 1));
  list.Adopt(Item("zero", 0));
  list.SortByOrder();
  std::vector<std::string> texts;
  for (TSurvObject* each : list.Raw()) texts.push_back(each->DisplayText());
  EXPECT_EQ(texts, (std::vector<std::string>{"zero", "one-first", "one-second", "three"}));
}

TEST(SurvListNotifications, FindContainsAndFillStrings) {
  FreeingOwner owner;
  TSuggestionList list;
  list.AddObserver(&owner);
  TSuggestion* a = list.Adopt(Item("later", 5));
  a->ID = {5, 7};
  TSuggestion* b = list.Adopt(Item("sooner", 1));
  b->ID = {7, 5};
  EXPECT_EQ(list.FindByID({7, 5}), b);
  EXPECT_EQ(list.FindByID({5, 7}), a);
  EXPECT_EQ(list.FindByID({5, 5}), nullptr);
  EXPECT_TRUE(list.Contains(a));
  TSuggestion twin;
  twin.ID = a->ID;
  EXPECT_FALSE(list.Contains(&twin));  // identity, not ID
  TDisplayStrings shown;
  list.FillStrings(shown);  // suggestions are shown sorted by Order
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].Text, "sooner");
  EXPECT_EQ(shown[0].Object, b);
  EXPECT_EQ(list.ObjectCount(), 2);
}

TEST(SurvListNotifications, ExperiencesShowTheirDate) {
  TExperience experience;
  experience.ExperienceDate = 36526.75;
  EXPECT_EQ(experience.DisplayText(), "2000-01-01");
  TScoreSheet sheet;
  sheet.RaterName = "Pat";
  EXPECT_EQ(sheet.DisplayText(), "Pat");
  EXPECT_STREQ(sheet.ClassName(), "TScoreSheet");
  EXPECT_STREQ(KindClassName(99), "");
}

}  // namespace
}  // namespace zelvora
