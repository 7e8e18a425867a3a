#include "DB/MemoryDB.h"

#include <algorithm>
#include <array>

#include "DB/RecordLayouts.h"
#include "DB/Survobj.h"

namespace zelvora {

struct TMemoryDB::Impl {
  struct Record {
    TObjectID Parent;
    std::uint64_t Seq = 0;
    double Date = 0.0;  // as the object had it, unconverted
    std::vector<unsigned char> Bytes;
  };
  // Records per kind code (1 to 10), by key text of the ID, so that walking
  // a map gives the key order of the record store's index.
  std::array<std::map<std::string, Record>, 11> Files;
  std::uint64_t NextSeq = 1;

  static std::vector<unsigned char> Encode(const TSurvObject& object) {
    std::vector<unsigned char> bytes(
        static_cast<std::size_t>(FileblockInfo(FileblockOf(object)).RecordLength));
    EncodeObject(object, bytes);
    return bytes;
  }

  std::map<std::string, Record>& FileOf(const TSurvObject& object) {
    FileblockOf(object);  // a kind with records
    return Files[static_cast<std::size_t>(object.Kind())];
  }

  bool Insert(TSurvObject& object) {
    object.State = osStored;
    auto& file = FileOf(object);
    const std::string key = object.ID.Key();
    if (file.count(key) != 0) return false;
    file[key] = Record{OwnerID(object), NextSeq++, object.Date, Encode(object)};
    return true;
  }

  void Update(TSurvObject& object) {
    auto& file = FileOf(object);
    const auto it = file.find(object.ID.Key());
    if (it == file.end()) {
      Insert(object);
      return;
    }
    Record& record = it->second;
    if (object.Date - record.Date <= 0) return;  // stored is as new or newer
    record.Bytes = Encode(object);
    record.Date = object.Date;
    if (!FileblockInfo(FileblockOf(object)).KeepsStoredParent) {
      const TObjectID parent = OwnerID(object);
      if (!(parent == record.Parent)) {
        record.Parent = parent;
        record.Seq = NextSeq++;  // re-keyed: it now comes last among its siblings
      }
    }
    object.State = osStored;
  }

  static std::unique_ptr<TSurvObject> Restore(int kind, const Record& record) {
    auto object = DecodeObject(FileblockOfKind(kind), record.Bytes);
    object->Date = record.Date;
    return object;
  }
};

TMemoryDB::TMemoryDB() : TMemoryDB(ChooseRandomOrigin(), 1) {}

TMemoryDB::TMemoryDB(std::int32_t origin, std::int32_t first_serial)
    : counter_(origin, first_serial), ids_(counter_), impl_(std::make_unique<Impl>()) {}

TMemoryDB::~TMemoryDB() { Close(); }

void TMemoryDB::Open() {
  if (open_) return;
  open_ = true;
  BecomeOpen();
}

void TMemoryDB::Close() {
  if (!open_) return;
  open_ = false;
  BecomeClosed();
}

void TMemoryDB::LoadRecords(int kind, const TObjectID& parent, TSurvObjects& found) {
  const auto& file = impl_->Files.at(static_cast<std::size_t>(kind));
  std::vector<const Impl::Record*> records;
  for (const auto& [key, record] : file) records.push_back(&record);
  if (FileblockInfo(FileblockOfKind(kind)).KeyCount > 1) {
    // Children of one parent, in the order they were filed.
    std::erase_if(records, [&](const Impl::Record* r) { return !(r->Parent == parent); });
    std::sort(records.begin(), records.end(),
              [](const Impl::Record* a, const Impl::Record* b) { return a->Seq < b->Seq; });
  }
  for (const Impl::Record* record : records) found.push_back(Impl::Restore(kind, *record));
}

bool TMemoryDB::InsertObject(TSurvObject& object) { return impl_->Insert(object); }
void TMemoryDB::DeleteObject(TSurvObject& object) { impl_->FileOf(object).erase(object.ID.Key()); }
void TMemoryDB::UpdateObject(TSurvObject& object) { impl_->Update(object); }

TObjectID TMemoryDB::NextID() { return ids_.NextID(); }
void TMemoryDB::ReserveIDs(int count) { ids_.ReserveIDs(count); }
int TMemoryDB::ReservedIDs() const { return ids_.Reserved(); }

std::size_t TMemoryDB::RecordCount(int kind) const {
  if (kind < 1 || kind > 10) return 0;
  return impl_->Files[static_cast<std::size_t>(kind)].size();
}

bool TMemoryDB::HasRecord(int kind, const TObjectID& id) const {
  if (kind < 1 || kind > 10) return false;
  return impl_->Files[static_cast<std::size_t>(kind)].count(id.Key()) != 0;
}

TObjectID TMemoryDB::ParentOf(int kind, const TObjectID& id) const {
  if (kind < 1 || kind > 10) return TObjectID{};
  const auto& file = impl_->Files[static_cast<std::size_t>(kind)];
  const auto it = file.find(id.Key());
  return it == file.end() ? TObjectID{} : it->second.Parent;
}

double TMemoryDB::StoredDate(int kind, const TObjectID& id) const {
  if (kind < 1 || kind > 10) return 0.0;
  const auto& file = impl_->Files[static_cast<std::size_t>(kind)];
  const auto it = file.find(id.Key());
  return it == file.end() ? 0.0 : it->second.Date;
}

}  // namespace zelvora
