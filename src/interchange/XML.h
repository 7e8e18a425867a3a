// A small XML tree with its own reader and writer: elements, attributes, text
// content, the five predefined entities and decimal or hexadecimal character
// references. No namespaces, comments, CDATA sections, document types or
// encoding declarations. Every XML document of the system (the survey disk
// "dtf.xml" and the exported packages) is built with it.
//
// Callers may rely on:
//  - Strings in the tree are UTF-8; files and streams hold Windows-1252 bytes
//    (converted at the boundary with base/Cp1252.h).
//  - Names compare exactly (case-sensitive); several children may share a name
//    and every lookup returns the first.
//  - Every reading error is an EXmlException carrying the message text
//    ("unexpected end of data", "symbol not found", "unknown entity: &x;", ...)
//    and nothing of a failed parse is left behind.
//  - A document the writer produces reads back to the same tree, apart from
//    text values losing their leading white space and trailing characters of
//    code 32 or below.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

class EXmlException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TElement;
class TXmlTokenizer;

// The writing side shared by attributes, elements and documents.
class TXObject {
 public:
  virtual ~TXObject() = default;
  // Appends this object's text (UTF-8) at indentation `indent`.
  virtual void Write(std::string& out, int indent) const = 0;
};

// A named node of the tree. The name is required and fixed at creation.
class TXmlObject : public TXObject {
 public:
  // Fails with "TXmlObject requires name" for an empty name.
  TXmlObject(TElement* parent, std::string name);
  TXmlObject(const TXmlObject&) = delete;
  TXmlObject& operator=(const TXmlObject&) = delete;

  const std::string& Name() const { return name_; }
  TElement* Parent() const { return parent_; }

  // The attribute's value, or the element's text content.
  std::string Value;

 private:
  TElement* parent_;  // not owned
  std::string name_;
};

class TAttribute : public TXmlObject {
 public:
  TAttribute(TElement* parent, std::string name, std::string value = {});
  // Writes ` name="value"` with "&", "<" and the double quote escaped.
  void Write(std::string& out, int indent) const override;
};

// An ordered list of objects it does not own.
template <class T>
class TVector {
 public:
  TVector() = default;
  TVector(const TVector&) = delete;
  TVector& operator=(const TVector&) = delete;
  virtual ~TVector() = default;

  std::size_t Count() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  T* operator[](std::size_t index) const { return items_.at(index); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 protected:
  std::vector<T*> items_;
};

// A vector that owns its items and frees them with itself.
template <class T>
class TOwnerVector : public TVector<T> {
 public:
  ~TOwnerVector() override {
    for (T* item : this->items_) delete item;
  }
  // Takes ownership and appends; returns the item.
  T* Add(std::unique_ptr<T> item) {
    this->items_.push_back(item.get());
    return item.release();
  }
};

// The owning vector of one element's attributes or children, with lookup by
// name. Knows the element it belongs to.
template <class T>
class TXmlVector : public TOwnerVector<T> {
 public:
  explicit TXmlVector(TElement* owner) : owner_(owner) {}
  TElement* Owner() const { return owner_; }

  // The first item with exactly this name, or none.
  T* Find(std::string_view name) const {
    for (T* item : this->items_)
      if (item->Name() == name) return item;
    return nullptr;
  }
  // The first item; fails with "No such element" when there is none.
  T& First() const {
    if (this->items_.empty()) throw EXmlException("No such element");
    return *this->items_.front();
  }

 private:
  TElement* owner_;
};

class TAttributes : public TXmlVector<TAttribute> {
 public:
  using TXmlVector::TXmlVector;
};

class TElements : public TXmlVector<TElement> {
 public:
  using TXmlVector::TXmlVector;
};

// An element: attributes, child elements and text content (`Value`).
// A path is a chain of names separated by "/", walked from this element, each
// step taking the first child of that name; empty steps are skipped.
class TElement : public TXmlObject {
 public:
  TElement(TElement* parent, std::string name);

  TAttributes& Attributes() { return attributes_; }
  const TAttributes& Attributes() const { return attributes_; }
  TElements& Elements() { return elements_; }
  const TElements& Elements() const { return elements_; }

  // The element at `path`; with `create` each missing step is added as a new
  // last child, without it a missing step gives nullptr. An empty path gives
  // this element.
  TElement* FindElement(std::string_view path, bool create = false);
  const TElement* FindElement(std::string_view path) const;
  // The last name of `path` always becomes a new last child (the steps before
  // it are found or created). Fails with "Cannot add null element" when that
  // name is empty.
  TElement& AddElement(std::string_view path);
  // Fails with "No such element" when there are no children.
  TElement& FirstElement() const { return elements_.First(); }

  // Text of the element at `path`, or `def` when it is missing.
  std::string GetText(std::string_view path, std::string_view def = {}) const;
  // Decimal integer; `def` when missing or not a number.
  int GetInt(std::string_view path, int def = 0) const;
  // "0" is false, "1" true; anything else or missing gives `def`.
  bool GetBool(std::string_view path, bool def = false) const;
  // Decimal real with a point; `def` when missing, malformed or not finite.
  double GetReal(std::string_view path, double def = 0.0) const;

  // Find or create the element at `path` and set its text.
  TElement& SetText(std::string_view path, std::string_view text);
  TElement& SetInt(std::string_view path, long long value);
  TElement& SetBool(std::string_view path, bool value);
  // Shortest general form with up to 15 significant digits and a point as
  // decimal separator ("45000.5", "1E20").
  TElement& SetReal(std::string_view path, double value);

  TAttribute* FindAttribute(std::string_view name, bool create = false);
  const TAttribute* FindAttribute(std::string_view name) const;
  TAttribute& SetAttribute(std::string_view name, std::string_view text);

  void Write(std::string& out, int indent) const override;

 protected:
  // Reads the attributes, text, children and closing tag of an element whose
  // tag start has been read. `depth` guards against runaway nesting.
  void ReadElement(TXmlTokenizer& tokens, int depth);
  // Reads child elements until a closing tag, a "<!" or anything else that
  // does not start a child.
  void ReadChildren(TXmlTokenizer& tokens, int depth);

 private:
  TAttributes attributes_;
  TElements elements_;
};

// Document open flags.
inline constexpr unsigned kXmlNoRead = 1;       // do not read the file at creation
inline constexpr unsigned kXmlSaveOnClose = 2;  // save to the file when closed or freed

// The root of a tree ("/", never written). Its children are the top-level
// elements of the file.
class TDocument : public TElement {
 public:
  // An empty tree; when `file_name` is not empty, kXmlNoRead is clear and the
  // file exists, the file is read and parsed.
  explicit TDocument(unsigned flags = 0, std::string file_name = {});
  // With kXmlSaveOnClose and a file name, saves first; a failure there is
  // swallowed (callers that must know call Close()).
  ~TDocument() override;

  // Parses UTF-8 text.
  static std::unique_ptr<TDocument> FromText(std::string_view text);
  // Parses Windows-1252 bytes.
  static std::unique_ptr<TDocument> FromBytes(std::string_view bytes);
  // Parses everything from the stream's position to its end (Windows-1252).
  static std::unique_ptr<TDocument> FromStream(std::istream& in);

  const std::string& FileName() const { return file_name_; }
  unsigned Flags() const { return flags_; }

  // The whole document as UTF-8 text, and as the Windows-1252 bytes of a file.
  std::string ToText() const;
  std::string ToBytes() const;
  // Creates or replaces the file; the old file stays untouched when writing
  // fails (the text goes to a temporary file first). Throws std::runtime_error
  // "Cannot create file \"NAME\"" on failure.
  void Save(const std::string& file_name) const;
  void Save(std::ostream& out) const;
  // Saves to the document's own file when kXmlSaveOnClose is set (once);
  // throws like Save.
  void Close();

  void Write(std::string& out, int indent) const override;

 private:
  void Parse(std::string_view text);

  unsigned flags_ = 0;
  std::string file_name_;
  bool closed_ = false;
};

// Reading position over the whole input text (UTF-8), 1-based like the text
// it reports on, with one saved mark to go back to.
class TXmlTokenizer {
 public:
  explicit TXmlTokenizer(std::string_view text) : text_(text) {}

  std::size_t Position() const { return pos_ + 1; }
  bool AtEnd() const { return pos_ >= text_.size(); }
  // The next character; requires !AtEnd().
  char Peek() const { return text_[pos_]; }

  // Tab, line feed, form feed, carriage return and blank.
  void SkipWhite();
  // Consumes `c`; fails with "unexpected end of data" at the end of the text,
  // "symbol not found" before another character.
  void Expect(char c);
  // True and consumed when the text continues with `s`.
  bool TryConsume(std::string_view s);

  // Skips white space; when "<" follows, consumes it and returns the tag
  // name (at most one "/" or "?", then letters, digits, "-", ".", ":", "_");
  // otherwise returns an empty name and consumes nothing more.
  std::string ReadTagStart();
  // Skips white space and reads an attribute name; empty when none follows.
  std::string ReadAttributeName();
  // After the "=": a double-quoted, apostrophe-quoted or unquoted (letters
  // and digits) value, still encoded.
  std::string ReadAttributeValue();
  // Everything up to the next "<" (or the end of the text).
  std::string ReadTextRun();

  void SetMark() {
    mark_ = pos_;
    has_mark_ = true;
  }
  // Fails with "mark not set" when no mark is held.
  void GoBackToMark();

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t mark_ = 0;
  bool has_mark_ = false;
};

// Entity decoding of text and attribute values: the five predefined entities
// and "&#NNN;" / "&#xHH;" references (code taken modulo 256, as a
// Windows-1252 character). Fails with "unterminated entity" or
// "unknown entity: " plus the reference.
std::string XmlDecodeEntities(std::string_view text);
// "&" -> "&amp;", "<" -> "&lt;"; with `quotes` also '"' -> "&quot;".
std::string XmlEscape(std::string_view text, bool quotes = false);
// The real format of the tree: shortest general form, up to 15 digits.
std::string XmlFormatReal(double value);

}  // namespace zelvora
