// TParser: reads the text object format and builds the organization and
// instrument objects it describes (companies, departments, surveys, skill
// areas, questions, suggestions).
//
//   file         = { object-block } and then anything not starting with `object`
//   object-block = "object" type-name { property | object-block } "end"
//   property     = name [ "." ident ] value      (no "=" and no ";")
//   value        = string literal | integer | real
//
// Type names and property names match without regard to letter case. Each
// new object starts with the defaults of its type, ID (0,0), Date now and
// State 4 (built outside the database); properties may repeat (the last one
// wins) and may be interleaved with child blocks; children keep file order,
// and a child that states its Order keeps it. Nothing is written to the
// database: the lists of State-4 objects are never loaded and store nothing.
//
// Callers may rely on:
//  - every malformed input ends in an EParseError whose what() is the
//    system's message, with " at row R, col C" for the messages that carry a
//    position; nothing crashes, loops or reads past the input;
//  - the parser owns the top-level objects until TakeObjects hands them
//    over; objects not taken (also those of a failed parse) are freed with
//    the parser;
//  - texts are stored as UTF-8 (the file is Windows-1252).
#pragma once

#include <istream>
#include <memory>
#include <string_view>
#include <vector>

#include "interchange/Lex.h"

namespace zelvora {

class TSurvObject;
class TScrambledStream;

class TParser {
 public:
  // Objects nested deeper than this cannot be valid (a suggestion is the
  // sixth level); deeper input fails instead of exhausting the stack.
  static constexpr int kMaxDepth = 64;

  explicit TParser(std::istream& stream);
  explicit TParser(TByteSource& source);
  // A scrambled package file, read from where it stands (normally its start)
  // in whole blocks, as its scrambling requires.
  explicit TParser(TScrambledStream& stream);
  ~TParser();
  TParser(const TParser&) = delete;
  TParser& operator=(const TParser&) = delete;

  // Reads object blocks until the first token that is not `object`.
  void DoParse();

  int Count() const { return static_cast<int>(objects_.size()); }
  // Top-level object `index` (0..Count-1), still owned by the parser.
  TSurvObject* Items(int index) const;
  // Hands every top-level object to the caller, in file order.
  std::vector<std::unique_ptr<TSurvObject>> TakeObjects();

  // Index in the type-name table ("TCompany" 0 ... "TSuggestion" 5), or -1.
  static int TypeIndex(std::string_view name);
  // Index in the property-name table ("ID" 0 ... "Completed" 24), or -1.
  static int PropertyIndex(std::string_view name);

 private:
  struct Parsed;
  Parsed ParseObject(int depth);
  static std::unique_ptr<TSurvObject> NewType(int type);
  bool ParseIdents(TSurvObject& object, int type, int depth);
  static void SetIdent(TSurvObject& object, const TToken& value, int property, int type);
  static void AddObject(TSurvObject& parent, Parsed child, int parent_type, int child_type);
  std::unique_ptr<TToken> Next() { return lexer_->NextToken(); }

  std::unique_ptr<TByteSource> source_;  // the adapter of a scrambled stream
  std::unique_ptr<TLexer> lexer_;
  std::vector<std::unique_ptr<TSurvObject>> objects_;
};

}  // namespace zelvora
