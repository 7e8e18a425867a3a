#include "interchange/XML.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <istream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/Cp1252.h"
#include "base/Text.h"

namespace zelvora {
namespace {

// Lines of a written document end with CR LF; each level indents two blanks.
constexpr std::string_view kLineEnd = "\r\n";
constexpr int kIndentStep = 2;

// The reader recurses once per level of nesting. The system's documents go
// about fifteen levels deep; anything far deeper is damaged or hostile and is
// refused before it can exhaust the stack.
constexpr int kMaxDepth = 256;

bool IsWhite(char c) { return c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' '; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNameChar(char c) {
  return IsLetter(c) || IsDigit(c) || c == '-' || c == '.' || c == ':' || c == '_';
}

// Splits a path at "/" and drops empty steps.
std::vector<std::string_view> SplitPath(std::string_view path) {
  std::vector<std::string_view> steps;
  while (!path.empty()) {
    std::size_t slash = path.find('/');
    std::string_view step = path.substr(0, slash);
    if (!step.empty()) steps.push_back(step);
    if (slash == std::string_view::npos) break;
    path.remove_prefix(slash + 1);
  }
  return steps;
}

void Indent(std::string& out, int n) { out.append(static_cast<std::size_t>(n), ' '); }

// Value of a decimal or hexadecimal character reference, modulo 256; -1 when
// the digits are missing or malformed.
int CharReferenceCode(std::string_view digits, bool hex) {
  if (digits.empty()) return -1;
  unsigned code = 0;
  for (char c : digits) {
    unsigned d;
    if (IsDigit(c)) {
      d = static_cast<unsigned>(c - '0');
    } else if (hex && c >= 'a' && c <= 'f') {
      d = static_cast<unsigned>(c - 'a' + 10);
    } else if (hex && c >= 'A' && c <= 'F') {
      d = static_cast<unsigned>(c - 'A' + 10);
    } else {
      return -1;
    }
    code = (code * (hex ? 16u : 10u) + d) % 256u;
  }
  return static_cast<int>(code);
}

}  // namespace

// ---------------------------------------------------------------- helpers

std::string XmlDecodeEntities(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t amp = text.find('&', i);
    if (amp == std::string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    out.append(text.substr(i, amp - i));
    std::size_t semi = text.find(';', amp);
    if (semi == std::string_view::npos) throw EXmlException("unterminated entity");
    std::string_view ref = text.substr(amp, semi - amp + 1);
    if (ref == "&amp;") {
      out += '&';
    } else if (ref == "&lt;") {
      out += '<';
    } else if (ref == "&gt;") {
      out += '>';
    } else if (ref == "&apos;") {
      out += '\'';
    } else if (ref == "&quot;") {
      out += '"';
    } else {
      int code = -1;
      if (ref.size() > 3 && ref[1] == '#' && ref[2] == 'x')
        code = CharReferenceCode(ref.substr(3, ref.size() - 4), true);
      else if (ref.size() > 2 && ref[1] == '#')
        code = CharReferenceCode(ref.substr(2, ref.size() - 3), false);
      if (code < 0) throw EXmlException("unknown entity: " + std::string(ref));
      // Code 0 is no character in XML; taken in, it would cut a text short.
      if (code == 0) throw EXmlException("character reference to code 0: " + std::string(ref));
      out += Cp1252CharToUtf8(static_cast<unsigned char>(code));
    }
    i = semi + 1;
  }
  return out;
}

std::string XmlEscape(std::string_view text, bool quotes) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (quotes && c == '"')
      out += "&quot;";
    else
      out += c;
  }
  return out;
}

std::string XmlFormatReal(double value) {
  if (!std::isfinite(value)) return value != value ? "NAN" : (value > 0 ? "INF" : "-INF");
  if (value == 0) return "0";  // also for -0.0
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
  if (ec != std::errc()) return "0";
  std::string s(buf, end);
  // "1e+20" -> "1E20", "1e-05" -> "1E-5": the exponent without "+" or leading
  // zeros.
  std::size_t e = s.find('e');
  if (e != std::string::npos) {
    std::string mantissa = s.substr(0, e);
    std::string exponent = s.substr(e + 1);
    bool negative = !exponent.empty() && exponent[0] == '-';
    if (!exponent.empty() && (exponent[0] == '-' || exponent[0] == '+')) exponent.erase(0, 1);
    std::size_t nz = exponent.find_first_not_of('0');
    exponent = nz == std::string::npos ? "0" : exponent.substr(nz);
    s = mantissa + "E" + (negative ? "-" : "") + exponent;
  }
  return s;
}

// ---------------------------------------------------------------- tokenizer

void TXmlTokenizer::SkipWhite() {
  while (pos_ < text_.size() && IsWhite(text_[pos_])) ++pos_;
}

void TXmlTokenizer::Expect(char c) {
  if (AtEnd()) throw EXmlException("unexpected end of data");
  if (text_[pos_] != c) throw EXmlException("symbol not found");
  ++pos_;
}

bool TXmlTokenizer::TryConsume(std::string_view s) {
  if (text_.substr(pos_).starts_with(s)) {
    pos_ += s.size();
    return true;
  }
  return false;
}

std::string TXmlTokenizer::ReadTagStart() {
  SkipWhite();
  if (AtEnd() || text_[pos_] != '<') return {};
  ++pos_;
  std::size_t start = pos_;
  if (pos_ < text_.size() && (text_[pos_] == '/' || text_[pos_] == '?')) ++pos_;
  while (pos_ < text_.size() && (IsLetter(text_[pos_]) || text_[pos_] == '_')) ++pos_;
  while (pos_ < text_.size() && IsNameChar(text_[pos_])) ++pos_;
  return std::string(text_.substr(start, pos_ - start));
}

std::string TXmlTokenizer::ReadAttributeName() {
  SkipWhite();
  std::size_t start = pos_;
  while (pos_ < text_.size() && IsNameChar(text_[pos_])) ++pos_;
  return std::string(text_.substr(start, pos_ - start));
}

std::string TXmlTokenizer::ReadAttributeValue() {
  if (AtEnd()) throw EXmlException("unexpected end of data");
  char quote = text_[pos_];
  if (quote == '"' || quote == '\'') {
    std::size_t close = text_.find(quote, pos_ + 1);
    if (close == std::string_view::npos) throw EXmlException("unexpected end of data");
    std::string value(text_.substr(pos_ + 1, close - pos_ - 1));
    pos_ = close + 1;
    return value;
  }
  std::size_t start = pos_;
  while (pos_ < text_.size() && (IsLetter(text_[pos_]) || IsDigit(text_[pos_]))) ++pos_;
  return std::string(text_.substr(start, pos_ - start));
}

std::string TXmlTokenizer::ReadTextRun() {
  std::size_t lt = text_.find('<', pos_);
  if (lt == std::string_view::npos) lt = text_.size();
  std::string run(text_.substr(pos_, lt - pos_));
  pos_ = lt;
  return run;
}

void TXmlTokenizer::GoBackToMark() {
  if (!has_mark_) throw EXmlException("mark not set");
  pos_ = mark_;
  has_mark_ = false;
}

// ---------------------------------------------------------------- objects

TXmlObject::TXmlObject(TElement* parent, std::string name)
    : parent_(parent), name_(std::move(name)) {
  if (name_.empty()) throw EXmlException("TXmlObject requires name");
}

TAttribute::TAttribute(TElement* parent, std::string name, std::string value)
    : TXmlObject(parent, std::move(name)) {
  Value = std::move(value);
}

void TAttribute::Write(std::string& out, int /*indent*/) const {
  // Double quotes are escaped as well, so that a value holding one reads back.
  out += ' ';
  out += Name();
  out += "=\"";
  out += XmlEscape(Value, true);
  out += '"';
}

TElement::TElement(TElement* parent, std::string name)
    : TXmlObject(parent, std::move(name)), attributes_(this), elements_(this) {}

TElement* TElement::FindElement(std::string_view path, bool create) {
  TElement* at = this;
  for (std::string_view step : SplitPath(path)) {
    TElement* next = at->elements_.Find(step);
    if (next == nullptr) {
      if (!create) return nullptr;
      next = at->elements_.Add(std::make_unique<TElement>(at, std::string(step)));
    }
    at = next;
  }
  return at;
}

const TElement* TElement::FindElement(std::string_view path) const {
  return const_cast<TElement*>(this)->FindElement(path, false);
}

TElement& TElement::AddElement(std::string_view path) {
  std::size_t slash = path.rfind('/');
  std::string_view last = slash == std::string_view::npos ? path : path.substr(slash + 1);
  if (last.empty()) throw EXmlException("Cannot add null element");
  TElement* parent =
      slash == std::string_view::npos ? this : FindElement(path.substr(0, slash), true);
  return *parent->elements_.Add(std::make_unique<TElement>(parent, std::string(last)));
}

std::string TElement::GetText(std::string_view path, std::string_view def) const {
  const TElement* e = FindElement(path);
  return e != nullptr ? e->Value : std::string(def);
}

int TElement::GetInt(std::string_view path, int def) const {
  const TElement* e = FindElement(path);
  if (e == nullptr) return def;
  std::string_view s = e->Value;
  if (s.starts_with('+')) s.remove_prefix(1);
  int value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size() || s.empty()) return def;
  return value;
}

bool TElement::GetBool(std::string_view path, bool def) const {
  const TElement* e = FindElement(path);
  if (e == nullptr) return def;
  if (e->Value == "0") return false;
  if (e->Value == "1") return true;
  return def;
}

double TElement::GetReal(std::string_view path, double def) const {
  const TElement* e = FindElement(path);
  if (e == nullptr) return def;
  std::string_view s = e->Value;
  if (s.starts_with('+')) s.remove_prefix(1);
  if (s.empty()) return def;
  double value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value)) return def;
  return value;
}

TElement& TElement::SetText(std::string_view path, std::string_view text) {
  TElement* e = FindElement(path, true);
  e->Value = std::string(text);
  return *e;
}

TElement& TElement::SetInt(std::string_view path, long long value) {
  return SetText(path, std::to_string(value));
}

TElement& TElement::SetBool(std::string_view path, bool value) {
  return SetText(path, value ? "1" : "0");
}

TElement& TElement::SetReal(std::string_view path, double value) {
  return SetText(path, XmlFormatReal(value));
}

TAttribute* TElement::FindAttribute(std::string_view name, bool create) {
  TAttribute* a = attributes_.Find(name);
  if (a == nullptr && create)
    a = attributes_.Add(std::make_unique<TAttribute>(this, std::string(name)));
  return a;
}

const TAttribute* TElement::FindAttribute(std::string_view name) const {
  return attributes_.Find(name);
}

TAttribute& TElement::SetAttribute(std::string_view name, std::string_view text) {
  TAttribute* a = FindAttribute(name, true);
  a->Value = std::string(text);
  return *a;
}

// The three forms of an element at indentation n (lines end CR LF):
//   with children:  <Name a="v">            text, when present, on a line of
//                     text                  its own at n + 2, or unindented
//                     <Child .../>          when it holds a line feed
//                   </Name>
//   text only:      <Name>text</Name>       or, holding a line feed:
//                                           <Name>  / text unindented / </Name>
//   neither:        <Name/>                 ("<?xml ...?>" for a name with "?")
void TElement::Write(std::string& out, int indent) const {
  Indent(out, indent);
  out += '<';
  out += Name();
  for (const TAttribute* a : attributes_) a->Write(out, indent);
  bool multiline = Value.find('\n') != std::string::npos;
  if (!elements_.Empty()) {
    out += '>';
    out += kLineEnd;
    if (!Value.empty()) {
      if (!multiline) Indent(out, indent + kIndentStep);
      out += XmlEscape(Value);
      out += kLineEnd;
    }
    for (const TElement* child : elements_) child->Write(out, indent + kIndentStep);
    Indent(out, indent);
    out += "</" + Name() + '>';
  } else if (!Value.empty()) {
    if (multiline) {
      out += '>';
      out += kLineEnd;
      out += XmlEscape(Value);
      out += kLineEnd;
      Indent(out, indent);
      out += "</" + Name() + '>';
    } else {
      out += '>' + XmlEscape(Value) + "</" + Name() + '>';
    }
  } else {
    out += Name().starts_with('?') ? "?>" : "/>";
  }
  out += kLineEnd;
}

void TElement::ReadChildren(TXmlTokenizer& tokens, int depth) {
  tokens.SetMark();
  std::string name = tokens.ReadTagStart();
  while (!name.empty() && name[0] != '/') {
    if (depth >= kMaxDepth) throw EXmlException("elements nested too deeply");
    TElement* child = elements_.Add(std::make_unique<TElement>(this, std::move(name)));
    child->ReadElement(tokens, depth + 1);
    tokens.SetMark();
    name = tokens.ReadTagStart();
  }
  // The closing tag (or whatever ended the list) is read again by the parent.
  tokens.GoBackToMark();
}

void TElement::ReadElement(TXmlTokenizer& tokens, int depth) {
  for (std::string name = tokens.ReadAttributeName(); !name.empty();
       name = tokens.ReadAttributeName()) {
    tokens.SkipWhite();
    tokens.Expect('=');
    tokens.SkipWhite();
    std::string value = XmlDecodeEntities(tokens.ReadAttributeValue());
    attributes_.Add(std::make_unique<TAttribute>(this, std::move(name), std::move(value)));
  }
  if (tokens.TryConsume("/>") || tokens.TryConsume("?>")) return;
  tokens.Expect('>');
  tokens.SkipWhite();
  Value = XmlDecodeEntities(TrimRight(tokens.ReadTextRun()));
  ReadChildren(tokens, depth);
  std::string closing = tokens.ReadTagStart();
  if (closing != "/" + Name())
    throw EXmlException("invalid closing tag\nexpecting /" + Name() + ", found " + closing);
  tokens.Expect('>');
}

// ---------------------------------------------------------------- document

TDocument::TDocument(unsigned flags, std::string file_name)
    : TElement(nullptr, "/"), flags_(flags), file_name_(std::move(file_name)) {
  if (file_name_.empty() || (flags_ & kXmlNoRead) != 0) return;
  std::error_code ec;
  if (!std::filesystem::exists(file_name_, ec)) return;
  if (std::filesystem::is_directory(file_name_, ec)) {
    throw std::runtime_error("Cannot open file \"" + file_name_ + "\": it is a folder");
  }
  std::ifstream in(file_name_, std::ios::binary);
  if (!in) throw std::runtime_error("Cannot open file \"" + file_name_ + "\"");
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw std::runtime_error("Cannot read file \"" + file_name_ + "\"");
  Parse(Cp1252ToUtf8(bytes));
}

TDocument::~TDocument() {
  try {
    Close();
  } catch (...) {
    // A destructor cannot report; callers that need to know call Close().
  }
}

std::unique_ptr<TDocument> TDocument::FromText(std::string_view text) {
  auto doc = std::make_unique<TDocument>();
  doc->Parse(text);
  return doc;
}

std::unique_ptr<TDocument> TDocument::FromBytes(std::string_view bytes) {
  return FromText(Cp1252ToUtf8(bytes));
}

std::unique_ptr<TDocument> TDocument::FromStream(std::istream& in) {
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return FromBytes(bytes);
}

void TDocument::Parse(std::string_view text) {
  TXmlTokenizer tokens(text);
  ReadChildren(tokens, 0);
}

void TDocument::Write(std::string& out, int indent) const {
  for (const TElement* child : Elements()) child->Write(out, indent);
}

std::string TDocument::ToText() const {
  std::string out;
  Write(out, 0);
  return out;
}

std::string TDocument::ToBytes() const { return Utf8ToCp1252(ToText()); }

void TDocument::Save(std::ostream& out) const {
  std::string bytes = ToBytes();
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void TDocument::Save(const std::string& file_name) const {
  const std::string bytes = ToBytes();
  std::error_code is_folder_ec;
  if (std::filesystem::is_directory(file_name, is_folder_ec)) {
    throw std::runtime_error("Cannot create file \"" + file_name + "\": it is a folder");
  }
  try {
    WriteFileAtomically(file_name, bytes);
  } catch (const EAtomicWriteError&) {
    throw std::runtime_error("Cannot create file \"" + file_name + "\"");
  }
}

void TDocument::Close() {
  if (closed_) return;
  closed_ = true;
  if (!file_name_.empty() && (flags_ & kXmlSaveOnClose) != 0) Save(file_name_);
}

}  // namespace zelvora
