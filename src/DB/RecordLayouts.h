// The ten record layouts of the survey database: one fixed-length record per
// object, built from an object and read back into a fresh object.
//
// Every record starts with the live mark (four bytes, 0 when live) and the
// object's ID at offset 4 (key 1). All but the company record carry the
// parent's ID (key 2) at the offset the fileblock table gives. The full
// offset tables are in RecordLayouts.cpp, next to the code that writes them.
//
// Callers may rely on:
//  - Encode* zero-fills the whole buffer and writes the live mark 0; texts
//    are converted to Windows-1252 and cut to their field width;
//  - Decode* never reads outside the record: a short text with a length byte
//    above its width is cut to the width, a zero-terminated text without its
//    zero ends at the end of its field;
//  - dates above 693594 (day counts from 0001-01-01) are converted to days
//    since 1899-12-30 when read (StoredDate); they are written unconverted.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "DB/ObjectID.h"

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

// Fileblock indexes, in the order files are created, opened, reindexed and
// archived.
enum TFileblockIndex : int {
  fbSkillArea = 0,
  fbSuggestion = 1,
  fbQuestion = 2,
  fbDepartment = 3,
  fbCompany = 4,
  fbSurvey = 5,
  fbExperience = 6,
  fbSubject = 7,
  fbScoreSheet = 8,
  fbRater = 9,
};
inline constexpr int kFileblockCount = 10;

struct TFileblockInfo {
  const char* BaseName;  // "sk360b" and so on
  int Kind;              // object kind code (TObjectKind)
  std::int32_t RecordLength;
  int KeyCount;               // 1 (company) or 2
  std::int32_t ParentOffset;  // offset of the parent ID (key 2); -1 for none
  std::int32_t DateOffset;    // offset of Date
  int ParentFileblock;        // fileblock of the parent kind; -1 for none
  // An update leaves the record under the parent it is filed under
  // (departments, surveys, skill areas); the other kinds follow their owner.
  bool KeepsStoredParent;
};

// The fileblock table, by TFileblockIndex.
const TFileblockInfo& FileblockInfo(int index);
// The fileblock of an object kind code; -1 for a kind without records.
int FileblockOfKind(int kind);

// Common fields.
inline constexpr std::int32_t kLiveMarkOffset = 0;
inline constexpr std::int32_t kIDOffset = 4;

// A day count from 0001-01-01 (above this value) is converted to days since
// 1899-12-30 by subtracting it.
inline constexpr double kOldDateBase = 693594.0;
double ConvertStoredDate(double stored);

// Raw field access over a whole record.
bool RecordIsLive(std::span<const unsigned char> record);
TObjectID RecordID(std::span<const unsigned char> record);
// The parent ID (key 2) of a record of `fileblock`; (0,0) for companies.
TObjectID RecordParentID(int fileblock, std::span<const unsigned char> record);
void SetRecordParentID(int fileblock, std::span<unsigned char> record, const TObjectID& parent);
// The record's Date, converted.
double RecordDate(int fileblock, std::span<const unsigned char> record);

// Object to record. The parent ID is written as given.
void EncodeRecord(const TCompany& object, std::span<unsigned char> record);
void EncodeRecord(const TDepartment& object, const TObjectID& parent,
                  std::span<unsigned char> record);
void EncodeRecord(const TSubject& object, const TObjectID& parent, std::span<unsigned char> record);
void EncodeRecord(const TRater& object, const TObjectID& parent, std::span<unsigned char> record);
void EncodeRecord(const TSurvey& object, const TObjectID& parent, std::span<unsigned char> record);
void EncodeRecord(const TSkillArea& object, const TObjectID& parent,
                  std::span<unsigned char> record);
void EncodeRecord(const TQuestion& object, const TObjectID& parent,
                  std::span<unsigned char> record);
void EncodeRecord(const TSuggestion& object, const TObjectID& parent,
                  std::span<unsigned char> record);
// The experience's SubjectID and SurveyID are written as they are.
void EncodeRecord(const TExperience& object, const TObjectID& parent,
                  std::span<unsigned char> record);
void EncodeRecord(const TScoreSheet& object, const TObjectID& parent,
                  std::span<unsigned char> record);

// Any kind, through the fileblock table: `object.Kind()` selects the
// layout. OwnerID is the ID of the object's owner reference ((0,0) for a
// company or an object without owner); EncodeObject writes it as the parent.
// DecodeObject gives an object of the fileblock's kind.
int FileblockOf(const TSurvObject& object);
TObjectID OwnerID(const TSurvObject& object);
void EncodeObject(const TSurvObject& object, std::span<unsigned char> record);
std::unique_ptr<TSurvObject> DecodeObject(int fileblock, std::span<const unsigned char> record);

// Record to object, State 1 (no owner reference is set).
std::unique_ptr<TCompany> DecodeCompany(std::span<const unsigned char> record);
std::unique_ptr<TDepartment> DecodeDepartment(std::span<const unsigned char> record);
std::unique_ptr<TSubject> DecodeSubject(std::span<const unsigned char> record);
std::unique_ptr<TRater> DecodeRater(std::span<const unsigned char> record);
std::unique_ptr<TSurvey> DecodeSurvey(std::span<const unsigned char> record);
std::unique_ptr<TSkillArea> DecodeSkillArea(std::span<const unsigned char> record);
std::unique_ptr<TQuestion> DecodeQuestion(std::span<const unsigned char> record);
std::unique_ptr<TSuggestion> DecodeSuggestion(std::span<const unsigned char> record);
std::unique_ptr<TExperience> DecodeExperience(std::span<const unsigned char> record);
std::unique_ptr<TScoreSheet> DecodeScoreSheet(std::span<const unsigned char> record);

}  // namespace zelvora
