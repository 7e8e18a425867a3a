#include "report/Rptdflt.h"

#include <charconv>
#include <limits>

#include "APP/SectionedConfigFile.h"
#include "base/Cp1252.h"
#include "base/Text.h"

namespace zelvora {
namespace {

constexpr const char* kOptionsSection = "REPORT OPTIONS";
constexpr const char* kBoxColorKey = "BOXCOLOR";
constexpr const char* kShadeColorKey = "SHADECOLOR";
constexpr const char* kHeaderFooterBarKey = "HEADERFOOTERBAR";
constexpr const char* kGraphOverKey = "GRAPHOVER";
constexpr const char* kGraphUnderKey = "GRAPHUNDER";
constexpr const char* kUseColorKey = "UseColor";
constexpr const char* kUseTextDefaultsKey = "UseReportTextDefaults";
constexpr const char* kDefaultBoxColor = "0";
constexpr const char* kDefaultShadeColor = "13158600";

constexpr std::array<const char*, TReportConfig::kFontCount> kDefaultFonts = {
    "Arial,10,Regular,0",
    "Times New Roman,14,Bold,0",
    "Times New Roman,11,Bold,0",
    "Arial,18,Bold,0",
    "Arial,14,Bold,0",
    "Arial,12,Regular,0",
    "Arial,14,Bold,0",
    "Arial,12,Bold,0",
    "Arial,10,Bold Italic,0",
    "Arial,11,Italic,0",
    "Arial,10,Bold,0",
    "Times New Roman,11,Regular,0",
    "Times New Roman,11,Italic,0",
    "Times New Roman,11,Bold,0",
    "Times New Roman,9,Regular,0",
    "Arial,10,Regular,0",
    "Arial,8,Regular,0",
    "Arial,6,Regular,0",
    "Arial,5,Regular,0",
    "Arial,8,Bold,0",
};

// In the order of TReportText, which is the order they are read and written.
constexpr std::array<TReportConfig::TextEntry, TReportConfig::kTextCount> kTexts = {{
    {"TITLE PAGE", "HEADERBAR", "360 FEEDBACK"},
    {"TITLE PAGE", "INSTRUMENT", ""},
    {"CATEGORY REPORT", "HEADERBAR", "CATEGORY FEEDBACK"},
    {"CATEGORY REPORT", "REPORTNAME", "CATEGORY REPORT"},
    {"PRACTICES REPORT", "HEADERBAR", "INDIVIDUAL FEEDBACK"},
    {"PRACTICES REPORT", "REPORTNAME", "INDIVIDUAL PRACTICES REPORT"},
    {"OVERVIEW REPORT", "HEADERBAR", "OVERVIEW FEEDBACK"},
    {"OVERVIEW REPORT", "REPORTNAME", "OVERVIEW REPORT"},
    {"OVERVIEW REPORT", "RESPONSETAG", "RESPONSES FROM"},
    {"OVERVIEW REPORT", "PRACTICETAG", "Practices"},
    {"OVERVIEW REPORT", "GAPSIZETAG", "Gap Size"},
    {"OVERVIEW REPORT", "STRONGTAG", "STRENGTHS /"},
    {"OVERVIEW REPORT", "NEEDSTAG", "POSSIBLE DEVELOPMENTAL NEEDS /"},
    {"OVERVIEW REPORT", "SUGGESTTAG", "DEVELOPMENTAL SUGGESTIONS"},
    {"SUMMARY REPORT", "HEADERBAR", "SUMMARY FEEDBACK"},
    {"SUMMARY REPORT", "REPORTNAME", "SUMMARY REPORT"},
    {"SUMMARY REPORT", "RESPONSETAG", "RESPONSES FROM"},
    {"SUMMARY REPORT", "PRACTICETAG", "Practices"},
    {"SUMMARY REPORT", "GAPSIZETAG", "Gap Size"},
    {"COACHING REPORT", "HEADERBAR", "COACHING FEEDBACK"},
    {"COACHING REPORT", "REPORTNAME", "COACHING REPORT"},
    {"COACHING REPORT", "RESPONSETAG", "RESPONSES FROM"},
    {"COACHING REPORT", "PRACTICETAG", "Practices"},
    {"COACHING REPORT", "GAPSIZETAG", "Avg Gap Size"},
    {"SURVEYS", "SURVDOESTAG", "PERFORMANCE"},
    {"SURVEYS", "SURVSHOULDTAG", "EXPECTATIONS"},
}};

struct NamedColor {
  const char* name;  // without the "cl" prefix
  std::uint32_t value;
};
constexpr std::array<NamedColor, 22> kColorNames = {{
    {"Black", 0x000000},  {"Maroon", 0x000080},  {"Green", 0x008000},      {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080},  {"Teal", 0x808000},       {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},     {"Lime", 0x00FF00},       {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},       {"White", 0xFFFFFF},
    {"LtGray", 0xC0C0C0}, {"DkGray", 0x808080},  {"MoneyGreen", 0xC0DCC0}, {"SkyBlue", 0xF0CAA6},
    {"Cream", 0xF0FBFF},  {"MedGray", 0xA4A0A0},
}};
constexpr std::uint32_t kMaxColor = 0xFFFFFF;

// The value of `text` when it is an unsigned integer in `base`, entirely.
bool ParseUnsigned(std::string_view text, int base, std::uint64_t& value) {
  if (text.empty()) return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return ec == std::errc() && end == text.data() + text.size();
}

// A colour number written in decimal; false for anything else or out of range.
bool ParseDecimalColor(std::string_view text, std::uint32_t& color) {
  std::uint64_t value = 0;
  if (!ParseUnsigned(Trim(text), 10, value) || value > kMaxColor) return false;
  color = static_cast<std::uint32_t>(value);
  return true;
}

// Settings values are single lines; a line break handed in by a caller would
// split the file's line, so it becomes a blank.
std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c == '\r' || c == '\n') c = ' ';
  return out;
}

std::string NotAnInteger(std::string_view text) {
  return "'" + std::string(text) + "' is not a valid integer value";
}

}  // namespace

TColorRef ColorFromText(std::string_view text) {
  const std::string_view t = Trim(text);
  std::uint64_t value = 0;
  bool ok = false;
  if (!t.empty() && t.front() == '$') {
    ok = ParseUnsigned(t.substr(1), 16, value);
  } else if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    ok = ParseUnsigned(t.substr(2), 16, value);
  } else if (!t.empty() && t.front() >= '0' && t.front() <= '9') {
    ok = ParseUnsigned(t, 10, value);
  } else {
    std::string_view name = t;
    if (name.size() > 2 && (name[0] == 'c' || name[0] == 'C') && (name[1] == 'l' || name[1] == 'L'))
      name.remove_prefix(2);
    const std::string wanted = UpperCase(name);
    for (const auto& named : kColorNames) {
      if (UpperCase(named.name) == wanted) return TColorRef{named.value};
    }
    throw EFontSpecError(NotAnInteger(t));
  }
  if (!ok) throw EFontSpecError(NotAnInteger(t));
  if (value > kMaxColor) throw EFontSpecError("'" + std::string(t) + "' is not a valid colour");
  return TColorRef{static_cast<std::uint32_t>(value)};
}

TFontSpec TFontSpec::Parse(std::string_view spec) {
  std::array<std::string_view, 4> fields{};
  std::size_t count = 0;
  std::size_t pos = 0;
  // The colour is the last field; extra commas are refused by reading the
  // rest of the text as the colour.
  while (count < 3) {
    const auto comma = spec.find(',', pos);
    if (comma == std::string_view::npos) break;
    fields[count++] = Trim(spec.substr(pos, comma - pos));
    pos = comma + 1;
  }
  fields[count++] = Trim(spec.substr(pos));

  TFontSpec font;
  font.face = std::string(fields[0]);
  if (font.face.empty())
    throw EFontSpecError("'" + std::string(Trim(spec)) + "' is not a valid font specification");

  const std::string_view size_text = count > 1 ? fields[1] : std::string_view{};
  std::string_view digits = size_text;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  std::uint64_t size = 0;
  if (!ParseUnsigned(digits, 10, size)) throw EFontSpecError(NotAnInteger(size_text));
  if (size < 1 || size > 1000)
    throw EFontSpecError("'" + std::string(size_text) + "' is not a valid font size");
  font.size_pt = static_cast<int>(size);

  if (count > 2) {
    const std::string style = UpperCase(fields[2]);
    font.bold = style.find("BOLD") != std::string::npos;
    font.italic = style.find("ITALIC") != std::string::npos;
    font.underline = style.find("UNDERLINE") != std::string::npos;
  }
  if (count > 3 && !fields[3].empty()) font.color = ColorFromText(fields[3]);
  return font;
}

const TReportConfig::TextEntry& TReportConfig::TextInfo(TReportText slot) {
  return kTexts.at(static_cast<std::size_t>(slot));
}

const char* TReportConfig::DefaultFontSpec(int index) {
  if (index < 0 || index >= kFontCount) return "";
  return kDefaultFonts[static_cast<std::size_t>(index)];
}

TReportConfig::TReportConfig() : box_color_(kDefaultBoxColor), shade_color_(kDefaultShadeColor) {
  for (int i = 0; i < kFontCount; ++i) fonts_[static_cast<std::size_t>(i)] = DefaultFontSpec(i);
  for (std::size_t i = 0; i < kTexts.size(); ++i) texts_[i] = kTexts[i].default_text;
}

TReportConfig::TReportConfig(TSectionedConfigFile& file) : TReportConfig() {
  file_ = &file;
  Read(file);
}

TReportConfig::~TReportConfig() {
  try {
    Close();
  } catch (...) {
    // Only a failure to allocate can land here; the settings stay as they
    // were, which is what a missing write-back means anyway.
  }
}

void TReportConfig::Read(const TSectionedConfigFile& file) {
  for (int i = 0; i < kFontCount; ++i) {
    const std::string value = file.ReadString(kOptionsSection, "FONT" + std::to_string(i), "");
    if (value.empty())
      write_back_ = true;
    else
      fonts_[static_cast<std::size_t>(i)] = value;
  }
  box_color_ =
      CutToChars(file.ReadString(kOptionsSection, kBoxColorKey, box_color_), kMaxColorChars);
  shade_color_ =
      CutToChars(file.ReadString(kOptionsSection, kShadeColorKey, shade_color_), kMaxColorChars);
  header_footer_bar_ = file.ReadBool(kOptionsSection, kHeaderFooterBarKey, header_footer_bar_);
  graph_over_ = file.ReadBool(kOptionsSection, kGraphOverKey, graph_over_);
  graph_under_ = file.ReadBool(kOptionsSection, kGraphUnderKey, graph_under_);
  use_color_ = file.ReadBool(kOptionsSection, kUseColorKey, use_color_);
  use_text_defaults_ = file.ReadBool(kOptionsSection, kUseTextDefaultsKey, use_text_defaults_);

  for (std::size_t i = 0; i < kTexts.size(); ++i)
    texts_[i] = use_text_defaults_ ? kTexts[i].default_text : "";
  for (std::size_t i = 0; i < kTexts.size(); ++i)
    texts_[i] =
        CutToChars(file.ReadString(kTexts[i].section, kTexts[i].key, texts_[i]), kMaxTextChars);
}

void TReportConfig::Write(TSectionedConfigFile& file) const {
  std::vector<std::string> lines;
  for (int i = 0; i < kFontCount; ++i) {
    const std::string& spec = fonts_[static_cast<std::size_t>(i)];
    if (!spec.empty()) lines.push_back("FONT" + std::to_string(i) + "=" + spec);
  }
  const auto add = [&lines](const char* key, const std::string& value) {
    if (!Trim(value).empty()) lines.push_back(std::string(key) + "=" + value);
  };
  add(kBoxColorKey, box_color_);
  add(kShadeColorKey, shade_color_);
  add(kHeaderFooterBarKey, header_footer_bar_ ? "1" : "0");
  add(kGraphOverKey, graph_over_ ? "1" : "0");
  add(kGraphUnderKey, graph_under_ ? "1" : "0");
  add(kUseColorKey, use_color_ ? "1" : "0");
  add(kUseTextDefaultsKey, use_text_defaults_ ? "1" : "0");

  // Lines of the section this configuration does not own (comments, keys of
  // other versions) are kept after the ones it writes.
  const std::size_t own_count = lines.size();
  for (const auto& line : file.ReadSection(kOptionsSection)) {
    const auto eq = line.find('=');
    const std::string key = UpperCase(Trim(std::string_view(line).substr(0, eq)));
    bool own = false;
    if (eq != std::string::npos) {
      for (std::size_t i = 0; i < own_count && !own; ++i)
        own = UpperCase(lines[i].substr(0, lines[i].find('='))) == key;
      for (int i = 0; i < kFontCount && !own; ++i) own = key == "FONT" + std::to_string(i);
    }
    if (!own) lines.push_back(line);
  }
  file.WriteSection(kOptionsSection, lines);

  for (std::size_t i = 0; i < kTexts.size(); ++i)
    file.WriteString(kTexts[i].section, kTexts[i].key, texts_[i]);
}

void TReportConfig::Close() {
  if (file_ && write_back_) Write(*file_);
  write_back_ = false;
}

std::string TReportConfig::FontSpec(int index) const {
  if (index < 0 || index >= kFontCount) return {};
  return fonts_[static_cast<std::size_t>(index)];
}

void TReportConfig::SetFontSpec(int index, std::string_view spec) {
  if (index < 0 || index >= kFontCount) return;
  fonts_[static_cast<std::size_t>(index)] = std::string(Trim(OneLine(spec)));
}

std::vector<TFontSpec> TReportConfig::FontTable() const {
  std::vector<TFontSpec> table;
  for (const auto& spec : fonts_) {
    if (Trim(spec).empty()) break;
    table.push_back(TFontSpec::Parse(spec));
  }
  return table;
}

void TReportConfig::SetBoxColor(std::string_view text) {
  box_color_ = CutToChars(Trim(OneLine(text)), kMaxColorChars);
}

void TReportConfig::SetShadeColor(std::string_view text) {
  shade_color_ = CutToChars(Trim(OneLine(text)), kMaxColorChars);
}

TColorRef TReportConfig::BoxColorValue() const {
  TColorRef color;
  if (!use_color_ || !ParseDecimalColor(box_color_, color.value)) return TColorRef{0};
  return color;
}

TColorRef TReportConfig::ShadeColorValue() const {
  TColorRef color;
  if (!ParseDecimalColor(shade_color_, color.value)) return TColorRef{kShadeColorFallback};
  return color;
}

const std::string& TReportConfig::Text(TReportText slot) const {
  return texts_.at(static_cast<std::size_t>(slot));
}

void TReportConfig::SetText(TReportText slot, std::string_view text) {
  texts_.at(static_cast<std::size_t>(slot)) = CutToChars(OneLine(text), kMaxTextChars);
}

}  // namespace zelvora
