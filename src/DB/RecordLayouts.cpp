// Record layouts of the survey database.
//
// Field encodings:
//   ID     two 32-bit signed little-endian integers, Origin then Serial (8)
//   Date   8-byte little-endian IEEE double, days since 1899-12-30
//   short text n   one length byte, then up to n Windows-1252 characters;
//                  unused bytes zero (n + 1 bytes)
//   zero-terminated text   Windows-1252 characters ending with a zero byte
//                          inside the field
// Every record is zero-filled before its fields are written; reserved bytes
// stay zero. Offset 0 holds the live mark (4 bytes, 0 when live).
//
// Company, ct360b, 588 bytes      Department, dt360b, 80 bytes
//   0   4  live mark                0   4  live mark
//   4   8  ID (key 1)               4   8  ID (key 1)
//  12  36  Name, short text 35     12  36  Name, short text 35
//  48   8  Date                    48   8  Date
//  56 512  Categories, zero-term.  56   8  company ID (key 2)
// 568   4  LastCategoryNumber      64  16  reserved
// 572  16  reserved
//
// Subject, sj360b, 80 bytes       Rater, rt360b, 80 bytes
//   0   4  live mark                (as the subject, with the company ID
//   4   8  ID (key 1)                at 48 as key 2)
//  12  36  Name, short text 35
//  48   8  department ID (key 2)
//  56   8  Date
//  64  16  reserved
//
// Survey, sv360b, 387 bytes       Skill area, sk360b, 1111 bytes
//   0   4  live mark                0    4  live mark
//   4   8  ID (key 1)               4    8  ID (key 1)
//  12   8  department ID (key 2)   12   41  Name, short text 40
//  20  36  Name, short text 35     53    8  survey ID (key 2)
//  56  36  Author, short text 35   61 1024  QuestPrefix 1-4, short texts
//  92   8  Date                             255 of 256 bytes each
// 100 256  FreqLabels joined by  1085    8  Date
//          char 30, short t. 255 1093    2  Order, 16-bit signed
// 356   1  HasCompletedSheets    1095   16  reserved
// 357  12  reserved
// 369   2  AnsPerQ, 16-bit signed
// 371  16  reserved
//
// Question, qt360b, 351 bytes     Suggestion, sg360b, 551 bytes
//   0   4  live mark                0   4  live mark
//   4   8  ID (key 1)               4   8  ID (key 1)
//  12   4  CRC, 32-bit signed      12   8  question ID (key 2)
//  16   8  skill area ID (key 2)   20   4  CRC
//  24   8  Date                    24   8  Date
//  32 301  QuestionText, zero-t.   32 501  SuggestionText, zero-t.
// 333   2  Order                  533   2  Order
// 335   1  Locked, 0 or 1         535  16  reserved
// 336  15  reserved
//
// Experience, xp360b, 68 bytes    Score sheet, ss360b, 313 bytes
//   0   4  live mark                0   4  live mark
//   4   8  ID (key 1)               4   8  ID (key 1)
//  12   8  department ID (key 2)   12  36  RaterName, short text 35
//  20   8  SubjectID               48   8  experience ID (key 2)
//  28   8  Date                    56   2  RaterCategory, 16-bit signed
//  36   8  SurveyID                58   8  Date
//  44   8  ExperienceDate          66 200  AnswersBuf bytes 0-199
//  52   1  reserved (written 0,   266   1  Completed, 0 or 1
//          ignored when read)     267   1  AnswersEdited
//  53   1  ScoreSheetsDeleted     268  15  reserved
//  54  14  reserved               283  30  AnswersBuf bytes 200-229
#include "DB/RecordLayouts.h"

#include <algorithm>
#include <cstring>

#include "DB/Survobj.h"
#include "base/Cp1252.h"
#include "base/LittleEndian.h"

namespace zelvora {
namespace {

namespace company {
constexpr std::int32_t kName = 12, kDate = 48, kCategories = 56, kCategoriesSize = 512,
                       kLastCategory = 568, kLength = 588;
}
namespace department {
constexpr std::int32_t kName = 12, kDate = 48, kParent = 56, kLength = 80;
}
namespace subject {  // the rater record has the same layout
constexpr std::int32_t kName = 12, kParent = 48, kDate = 56, kLength = 80;
}
namespace survey {
constexpr std::int32_t kParent = 12, kName = 20, kAuthor = 56, kDate = 92, kFreqLabels = 100,
                       kHasCompleted = 356, kAnsPerQ = 369, kLength = 387;
}
namespace skillarea {
constexpr std::int32_t kName = 12, kParent = 53, kPrefixes = 61, kPrefixSize = 256, kDate = 1085,
                       kOrder = 1093, kLength = 1111;
}
namespace question {
constexpr std::int32_t kCRC = 12, kParent = 16, kDate = 24, kText = 32, kTextSize = 301,
                       kOrder = 333, kLocked = 335, kLength = 351;
}
namespace suggestion {
constexpr std::int32_t kParent = 12, kCRC = 20, kDate = 24, kText = 32, kTextSize = 501,
                       kOrder = 533, kLength = 551;
}
namespace experience {
constexpr std::int32_t kParent = 12, kSubjectID = 20, kDate = 28, kSurveyID = 36,
                       kExperienceDate = 44, kSheetsDeleted = 53, kLength = 68;
}
namespace scoresheet {
constexpr std::int32_t kRaterName = 12, kParent = 48, kCategory = 56, kDate = 58, kAnswers1 = 66,
                       kAnswers1Size = 200, kCompleted = 266, kAnswersEdited = 267, kAnswers2 = 283,
                       kAnswers2Size = 30, kLength = 313;
}
static_assert(scoresheet::kAnswers1Size + scoresheet::kAnswers2Size == kAnswersBufSize);

constexpr std::size_t kNameChars = 35;
constexpr std::size_t kSkillAreaNameChars = 40;
constexpr std::size_t kFreqLabelsChars = 255;
constexpr std::size_t kQuestionTextChars = 300;
constexpr std::size_t kSuggestionTextChars = 500;
// A zero-terminated field holds its characters and the zero.
static_assert(question::kTextSize == kQuestionTextChars + 1);
static_assert(suggestion::kTextSize == kSuggestionTextChars + 1);
static_assert(company::kCategoriesSize == kCategoriesMaxChars + 1);

const TFileblockInfo kFileblocks[kFileblockCount] = {
    {"sk360b", okSkillArea, skillarea::kLength, 2, skillarea::kParent, skillarea::kDate, fbSurvey,
     true},
    {"sg360b", okSuggestion, suggestion::kLength, 2, suggestion::kParent, suggestion::kDate,
     fbQuestion, false},
    {"qt360b", okQuestion, question::kLength, 2, question::kParent, question::kDate, fbSkillArea,
     false},
    {"dt360b", okDepartment, department::kLength, 2, department::kParent, department::kDate,
     fbCompany, true},
    {"ct360b", okCompany, company::kLength, 1, -1, company::kDate, -1, false},
    {"sv360b", okSurvey, survey::kLength, 2, survey::kParent, survey::kDate, fbDepartment, true},
    {"xp360b", okExperience, experience::kLength, 2, experience::kParent, experience::kDate,
     fbDepartment, false},
    {"sj360b", okSubject, subject::kLength, 2, subject::kParent, subject::kDate, fbDepartment,
     false},
    {"ss360b", okScoreSheet, scoresheet::kLength, 2, scoresheet::kParent, scoresheet::kDate,
     fbExperience, false},
    {"rt360b", okRater, subject::kLength, 2, subject::kParent, subject::kDate, fbCompany, false},
};

// --- little-endian fields; every caller passes an offset inside the record.

void Require(std::span<const unsigned char> record, std::int32_t offset, std::int32_t size) {
  if (offset < 0 ||
      static_cast<std::size_t>(offset) + static_cast<std::size_t>(size) > record.size()) {
    throw ESurvObjError("Record too short for its layout");
  }
}

std::size_t At(std::int32_t offset) { return static_cast<std::size_t>(offset); }

std::uint32_t Get32(std::span<const unsigned char> r, std::int32_t at) {
  Require(r, at, 4);
  return le::Get32(r.data() + at);
}
void Put32(std::span<unsigned char> r, std::int32_t at, std::uint32_t v) {
  Require(r, at, 4);
  le::Put32(r.data() + at, v);
}
std::int16_t Get16(std::span<const unsigned char> r, std::int32_t at) {
  Require(r, at, 2);
  return static_cast<std::int16_t>(le::Get16(r.data() + at));
}
void Put16(std::span<unsigned char> r, std::int32_t at, std::int16_t value) {
  Require(r, at, 2);
  le::Put16(r.data() + at, static_cast<std::uint16_t>(value));
}
std::uint8_t Get8(std::span<const unsigned char> r, std::int32_t at) {
  Require(r, at, 1);
  return r[At(at)];
}
void Put8(std::span<unsigned char> r, std::int32_t at, std::uint8_t v) {
  Require(r, at, 1);
  r[At(at)] = v;
}
double GetDouble(std::span<const unsigned char> r, std::int32_t at) {
  Require(r, at, 8);
  return le::GetDouble(r.data() + at);
}
void PutDouble(std::span<unsigned char> r, std::int32_t at, double value) {
  Require(r, at, 8);
  le::PutDouble(r.data() + at, value);
}
TObjectID GetID(std::span<const unsigned char> r, std::int32_t at) {
  return TObjectID{static_cast<std::int32_t>(Get32(r, at)),
                   static_cast<std::int32_t>(Get32(r, at + 4))};
}
void PutID(std::span<unsigned char> r, std::int32_t at, const TObjectID& id) {
  Put32(r, at, static_cast<std::uint32_t>(id.Origin));
  Put32(r, at + 4, static_cast<std::uint32_t>(id.Serial));
}

// Short text of `width` characters: length byte, then the characters.
std::string GetShortText(std::span<const unsigned char> r, std::int32_t at, std::size_t width) {
  Require(r, at, static_cast<std::int32_t>(width + 1));
  const std::size_t length = std::min<std::size_t>(r[static_cast<std::size_t>(at)], width);
  const auto* begin = reinterpret_cast<const char*>(r.data() + at + 1);
  return Cp1252ToUtf8(std::string_view(begin, length));
}
void PutShortText(std::span<unsigned char> r, std::int32_t at, std::size_t width,
                  const std::string& text) {
  Require(r, at, static_cast<std::int32_t>(width + 1));
  const std::string bytes = Utf8ToCp1252(CutToChars(text, width));
  r[static_cast<std::size_t>(at)] = static_cast<unsigned char>(bytes.size());
  std::memcpy(r.data() + at + 1, bytes.data(), bytes.size());
}

// Zero-terminated text in a field of `size` bytes (at most size - 1
// characters); a field without its zero ends at the field's end.
std::string GetZeroText(std::span<const unsigned char> r, std::int32_t at, std::int32_t size) {
  Require(r, at, size);
  const auto* begin = reinterpret_cast<const char*>(r.data() + at);
  const std::size_t length = ::strnlen(begin, static_cast<std::size_t>(size));
  return Cp1252ToUtf8(std::string_view(begin, length));
}
void PutZeroText(std::span<unsigned char> r, std::int32_t at, std::int32_t size,
                 const std::string& text) {
  Require(r, at, size);
  std::string bytes = Utf8ToCp1252(CutToChars(text, static_cast<std::size_t>(size - 1)));
  // An embedded zero would end the text early when read; cut there now so
  // the record says what it will be read as.
  bytes = bytes.substr(0, bytes.find('\0'));
  std::memcpy(r.data() + at, bytes.data(), bytes.size());
}

// Zero-fills the record (checking its length) and writes the live mark and
// the ID.
void Begin(std::span<unsigned char> r, std::int32_t length, const TObjectID& id) {
  if (r.size() != static_cast<std::size_t>(length))
    throw ESurvObjError("Record buffer of the wrong length");
  std::fill(r.begin(), r.end(), static_cast<unsigned char>(0));
  Put32(r, kLiveMarkOffset, 0);
  PutID(r, kIDOffset, id);
}

void Check(std::span<const unsigned char> r, std::int32_t length) {
  if (r.size() < static_cast<std::size_t>(length))
    throw ESurvObjError("Record too short for its layout");
}

template <class T>
std::unique_ptr<T> Start(std::span<const unsigned char> r, std::int32_t length,
                         std::int32_t date_at) {
  Check(r, length);
  auto object = std::make_unique<T>();
  object->ID = GetID(r, kIDOffset);
  object->Date = ConvertStoredDate(GetDouble(r, date_at));
  object->State = osStored;
  return object;
}

}  // namespace

const TFileblockInfo& FileblockInfo(int index) {
  if (index < 0 || index >= kFileblockCount) throw ESurvObjError("Fileblock index out of range");
  return kFileblocks[index];
}

int FileblockOfKind(int kind) {
  for (int i = 0; i < kFileblockCount; ++i) {
    if (kFileblocks[i].Kind == kind) return i;
  }
  return -1;
}

double ConvertStoredDate(double stored) {
  return stored > kOldDateBase ? stored - kOldDateBase : stored;
}

bool RecordIsLive(std::span<const unsigned char> record) {
  return Get32(record, kLiveMarkOffset) == 0;
}

TObjectID RecordID(std::span<const unsigned char> record) { return GetID(record, kIDOffset); }

TObjectID RecordParentID(int fileblock, std::span<const unsigned char> record) {
  const TFileblockInfo& info = FileblockInfo(fileblock);
  return info.ParentOffset < 0 ? TObjectID{} : GetID(record, info.ParentOffset);
}

void SetRecordParentID(int fileblock, std::span<unsigned char> record, const TObjectID& parent) {
  const TFileblockInfo& info = FileblockInfo(fileblock);
  if (info.ParentOffset >= 0) PutID(record, info.ParentOffset, parent);
}

double RecordDate(int fileblock, std::span<const unsigned char> record) {
  return ConvertStoredDate(GetDouble(record, FileblockInfo(fileblock).DateOffset));
}

// --- encoders

void EncodeRecord(const TCompany& o, std::span<unsigned char> r) {
  using namespace company;
  Begin(r, kLength, o.ID);
  PutShortText(r, kName, kNameChars, o.Name);
  PutDouble(r, kDate, o.Date);
  PutZeroText(r, kCategories, kCategoriesSize, o.Categories);
  Put32(r, kLastCategory, static_cast<std::uint32_t>(o.LastCategoryNumber));
}

void EncodeRecord(const TDepartment& o, const TObjectID& parent, std::span<unsigned char> r) {
  using namespace department;
  Begin(r, kLength, o.ID);
  PutShortText(r, kName, kNameChars, o.Name);
  PutDouble(r, kDate, o.Date);
  PutID(r, kParent, parent);
}

void EncodeRecord(const TSubject& o, const TObjectID& parent, std::span<unsigned char> r) {
  using namespace subject;
  Begin(r, kLength, o.ID);
  PutShortText(r, kName, kNameChars, o.Name);
  PutID(r, kParent, parent);
  PutDouble(r, kDate, o.Date);
}

void EncodeRecord(const TRater& o, const TObjectID& parent, std::span<unsigned char> r) {
  using namespace subject;
  Begin(r, kLength, o.ID);
  PutShortText(r, kName, kNameChars, o.Name);
  PutID(r, kParent, parent);
  PutDouble(r, kDate, o.Date);
}

void EncodeRecord(const TSurvey& o, const TObjectID& parent, std::span<unsigned char> r) {
  using namespace survey;
  Begin(r, kLength, o.ID);
  PutID(r, kParent, parent);
  PutShortText(r, kName, kNameChars, o.Name);
  PutShortText(r, kAuthor, kNameChars, o.Author);
  PutDouble(r, kDate, o.Date);
  PutShortText(r, kFreqLabels, kFreqLabelsChars, o.FreqLabelsText());
  Put8(r, kHasCompleted, o.HasCompletedSheets);
  Put16(r, kAnsPerQ, o.AnsPerQ);
}

void EncodeRecord(const TSkillArea& o, const TObjectID& parent, std::span<unsigned char> r) {
  using namespace skillarea;
  Begin(r, kLength, o.ID);
  PutShortText(r, kName, kSkillAreaNameChars, o.Name);
  PutID(r, kParent, parent);
  for (std::size_t i = 0; i < o.QuestPrefix.size(); ++i) {
    PutShortText(r, kPrefixes + static_cast<std::int32_t>(i) * kPrefixSize, kQuestPrefixMaxChars,
                 o.QuestPrefix[i]);
  }
  PutDouble(r, kDate, o.Date);
  Put16(r, kOrder, o.Order);
}

void EncodeRecord(const TQuestion& o, const TObjectID& parent, std::span<unsigned char> r) {
  using namespace question;
  Begin(r, kLength, o.ID);
  Put32(r, kCRC, static_cast<std::uint32_t>(o.CRC));
  PutID(r, kParent, parent);
  PutDouble(r, kDate, o.Date);
  PutZeroText(r, kText, kTextSize, o.QuestionText);
  Put16(r, kOrder, o.Order);
  Put8(r, kLocked, o.Locked ? 1 : 0);
}

void EncodeRecord(const TSuggestion& o, const TObjectID& parent, std::span<unsigned char> r) {
  using namespace suggestion;
  Begin(r, kLength, o.ID);
  PutID(r, kParent, parent);
  Put32(r, kCRC, static_cast<std::uint32_t>(o.CRC));
  PutDouble(r, kDate, o.Date);
  PutZeroText(r, kText, kTextSize, o.SuggestionText);
  Put16(r, kOrder, o.Order);
}

void EncodeRecord(const TExperience& o, const TObjectID& parent, std::span<unsigned char> r) {
  using namespace experience;
  Begin(r, kLength, o.ID);
  PutID(r, kParent, parent);
  PutID(r, kSubjectID, o.SubjectID);
  PutDouble(r, kDate, o.Date);
  PutID(r, kSurveyID, o.SurveyID);
  PutDouble(r, kExperienceDate, o.ExperienceDate);
  Put8(r, kSheetsDeleted, o.ScoreSheetsDeleted);
}

void EncodeRecord(const TScoreSheet& o, const TObjectID& parent, std::span<unsigned char> r) {
  using namespace scoresheet;
  Begin(r, kLength, o.ID);
  PutShortText(r, kRaterName, kNameChars, o.RaterName);
  PutID(r, kParent, parent);
  Put16(r, kCategory, o.RaterCategory);
  PutDouble(r, kDate, o.Date);
  std::memcpy(r.data() + kAnswers1, o.AnswersBuf.data(), kAnswers1Size);
  Put8(r, kCompleted, o.Completed ? 1 : 0);
  Put8(r, kAnswersEdited, o.AnswersEdited);
  std::memcpy(r.data() + kAnswers2, o.AnswersBuf.data() + kAnswers1Size, kAnswers2Size);
}

// --- decoders

std::unique_ptr<TCompany> DecodeCompany(std::span<const unsigned char> r) {
  using namespace company;
  auto o = Start<TCompany>(r, kLength, kDate);
  o->Name = GetShortText(r, kName, kNameChars);
  o->Categories = GetZeroText(r, kCategories, kCategoriesSize);
  o->LastCategoryNumber = static_cast<std::int32_t>(Get32(r, kLastCategory));
  return o;
}

std::unique_ptr<TDepartment> DecodeDepartment(std::span<const unsigned char> r) {
  using namespace department;
  auto o = Start<TDepartment>(r, kLength, kDate);
  o->Name = GetShortText(r, kName, kNameChars);
  return o;
}

std::unique_ptr<TSubject> DecodeSubject(std::span<const unsigned char> r) {
  using namespace subject;
  auto o = Start<TSubject>(r, kLength, kDate);
  o->Name = GetShortText(r, kName, kNameChars);
  return o;
}

std::unique_ptr<TRater> DecodeRater(std::span<const unsigned char> r) {
  using namespace subject;
  auto o = Start<TRater>(r, kLength, kDate);
  o->Name = GetShortText(r, kName, kNameChars);
  return o;
}

std::unique_ptr<TSurvey> DecodeSurvey(std::span<const unsigned char> r) {
  using namespace survey;
  auto o = Start<TSurvey>(r, kLength, kDate);
  o->Name = GetShortText(r, kName, kNameChars);
  o->Author = GetShortText(r, kAuthor, kNameChars);
  o->SetFreqLabelsText(GetShortText(r, kFreqLabels, kFreqLabelsChars));
  o->HasCompletedSheets = Get8(r, kHasCompleted);
  o->AnsPerQ = Get16(r, kAnsPerQ);
  return o;
}

std::unique_ptr<TSkillArea> DecodeSkillArea(std::span<const unsigned char> r) {
  using namespace skillarea;
  auto o = Start<TSkillArea>(r, kLength, kDate);
  o->Name = GetShortText(r, kName, kSkillAreaNameChars);
  for (std::size_t i = 0; i < o->QuestPrefix.size(); ++i) {
    o->QuestPrefix[i] = GetShortText(r, kPrefixes + static_cast<std::int32_t>(i) * kPrefixSize,
                                     kQuestPrefixMaxChars);
  }
  o->Order = Get16(r, kOrder);
  return o;
}

std::unique_ptr<TQuestion> DecodeQuestion(std::span<const unsigned char> r) {
  using namespace question;
  auto o = Start<TQuestion>(r, kLength, kDate);
  o->CRC = static_cast<std::int32_t>(Get32(r, kCRC));
  o->QuestionText = GetZeroText(r, kText, kTextSize);
  o->Order = Get16(r, kOrder);
  o->Locked = Get8(r, kLocked) != 0;
  return o;
}

std::unique_ptr<TSuggestion> DecodeSuggestion(std::span<const unsigned char> r) {
  using namespace suggestion;
  auto o = Start<TSuggestion>(r, kLength, kDate);
  o->CRC = static_cast<std::int32_t>(Get32(r, kCRC));
  o->SuggestionText = GetZeroText(r, kText, kTextSize);
  o->Order = Get16(r, kOrder);
  return o;
}

std::unique_ptr<TExperience> DecodeExperience(std::span<const unsigned char> r) {
  using namespace experience;
  auto o = Start<TExperience>(r, kLength, kDate);
  o->SubjectID = GetID(r, kSubjectID);
  o->SurveyID = GetID(r, kSurveyID);
  o->ExperienceDate = ConvertStoredDate(GetDouble(r, kExperienceDate));
  o->ScoreSheetsDeleted = Get8(r, kSheetsDeleted);
  return o;
}

std::unique_ptr<TScoreSheet> DecodeScoreSheet(std::span<const unsigned char> r) {
  using namespace scoresheet;
  auto o = Start<TScoreSheet>(r, kLength, kDate);
  o->RaterName = GetShortText(r, kRaterName, kNameChars);
  o->RaterCategory = Get16(r, kCategory);
  std::memcpy(o->AnswersBuf.data(), r.data() + kAnswers1, kAnswers1Size);
  o->Completed = Get8(r, kCompleted) != 0;
  o->AnswersEdited = Get8(r, kAnswersEdited);
  std::memcpy(o->AnswersBuf.data() + kAnswers1Size, r.data() + kAnswers2, kAnswers2Size);
  return o;
}

// --- any kind

namespace {

TObjectID IDOf(const TSurvObject* object) { return object ? object->ID : TObjectID{}; }

// What the fileblock table does not hold: how each kind names its owner and
// which encoder and decoder serve it. Rows in fileblock order.
template <class T>
const T& As(const TSurvObject& object) {
  return static_cast<const T&>(object);
}
template <class T>
void EncodeAs(const TSurvObject& object, const TObjectID& parent, std::span<unsigned char> r) {
  EncodeRecord(As<T>(object), parent, r);
}
template <class T, std::unique_ptr<T> (*Decode)(std::span<const unsigned char>)>
std::unique_ptr<TSurvObject> DecodeAs(std::span<const unsigned char> r) {
  return Decode(r);
}

struct TKindCodec {
  TObjectID (*Owner)(const TSurvObject& object);
  void (*Encode)(const TSurvObject& object, const TObjectID& parent, std::span<unsigned char> r);
  std::unique_ptr<TSurvObject> (*Decode)(std::span<const unsigned char> r);
};

const TKindCodec kCodecs[kFileblockCount] = {
    {[](const TSurvObject& o) { return IDOf(As<TSkillArea>(o).Survey); }, EncodeAs<TSkillArea>,
     DecodeAs<TSkillArea, DecodeSkillArea>},
    {[](const TSurvObject& o) { return IDOf(As<TSuggestion>(o).Question); }, EncodeAs<TSuggestion>,
     DecodeAs<TSuggestion, DecodeSuggestion>},
    {[](const TSurvObject& o) { return IDOf(As<TQuestion>(o).SkillArea); }, EncodeAs<TQuestion>,
     DecodeAs<TQuestion, DecodeQuestion>},
    {[](const TSurvObject& o) { return IDOf(As<TDepartment>(o).Company); }, EncodeAs<TDepartment>,
     DecodeAs<TDepartment, DecodeDepartment>},
    {[](const TSurvObject&) { return TObjectID{}; },
     [](const TSurvObject& o, const TObjectID&, std::span<unsigned char> r) {
       EncodeRecord(As<TCompany>(o), r);
     },
     DecodeAs<TCompany, DecodeCompany>},
    {[](const TSurvObject& o) { return IDOf(As<TSurvey>(o).Department); }, EncodeAs<TSurvey>,
     DecodeAs<TSurvey, DecodeSurvey>},
    {[](const TSurvObject& o) { return IDOf(As<TExperience>(o).Department); },
     EncodeAs<TExperience>, DecodeAs<TExperience, DecodeExperience>},
    {[](const TSurvObject& o) { return IDOf(As<TSubject>(o).Department); }, EncodeAs<TSubject>,
     DecodeAs<TSubject, DecodeSubject>},
    {[](const TSurvObject& o) { return IDOf(As<TScoreSheet>(o).Experience); },
     EncodeAs<TScoreSheet>, DecodeAs<TScoreSheet, DecodeScoreSheet>},
    {[](const TSurvObject& o) { return IDOf(As<TRater>(o).Company); }, EncodeAs<TRater>,
     DecodeAs<TRater, DecodeRater>},
};

}  // namespace

int FileblockOf(const TSurvObject& object) {
  const int fileblock = FileblockOfKind(object.Kind());
  if (fileblock < 0) throw ESurvObjError("Fileblock index out of range");
  return fileblock;
}

TObjectID OwnerID(const TSurvObject& object) { return kCodecs[FileblockOf(object)].Owner(object); }

void EncodeObject(const TSurvObject& object, std::span<unsigned char> record) {
  const TKindCodec& codec = kCodecs[FileblockOf(object)];
  codec.Encode(object, codec.Owner(object), record);
}

std::unique_ptr<TSurvObject> DecodeObject(int fileblock, std::span<const unsigned char> record) {
  FileblockInfo(fileblock);  // range check
  return kCodecs[fileblock].Decode(record);
}

}  // namespace zelvora
