// TReportConfig: the user-adjustable look of the reports (twenty fonts, two
// colours, four options and twenty-six report texts), kept in the settings
// file "Korrin2.INI"; and TFontSpec, the parsed form of one font entry.
//
// Callers may rely on:
//  - A fresh TReportConfig holds the built-in defaults; Read() applies the
//    settings file over them in a fixed order (fonts, colours, options,
//    "UseReportTextDefaults", then the texts), and marks the configuration for
//    write-back when any FONTn key is missing or empty.
//  - FontSpec(n) is the raw text of font n, empty outside 0..19. FontTable()
//    parses the fonts in order and ends at the first empty one; a size that is
//    no integer or a colour that cannot be read throws EFontSpecError.
//  - Texts are at most 63 characters and colours at most 10 (longer values
//    are cut on reading and on setting).
//  - Close() writes the whole configuration into the settings file when the
//    write-back mark is set (the caller saves the file afterwards).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

class TSectionedConfigFile;

// A font specification failed to convert (size or colour unreadable). The
// message has the conversion's form: "'abc' is not a valid integer value".
class EFontSpecError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Colours are the platform's colour numbers: 0x00BBGGRR, so 255 is red.
struct TColorRef {
  std::uint32_t value = 0;
  int Red() const { return static_cast<int>(value & 0xFF); }
  int Green() const { return static_cast<int>((value >> 8) & 0xFF); }
  int Blue() const { return static_cast<int>((value >> 16) & 0xFF); }
  bool operator==(const TColorRef&) const = default;
};

// A colour text as the font colour field is read: a decimal number, a
// hexadecimal number written "$FF" or "0xFF", or a colour name ("clRed",
// "Red", "clNavy", ... any case). Throws EFontSpecError for anything else.
TColorRef ColorFromText(std::string_view text);

// One parsed font specification "face,size,style,colour", for example
// "Times New Roman,11,Bold Italic,0".
struct TFontSpec {
  std::string face;
  int size_pt = 10;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  TColorRef color;  // as written; see ColorFor

  // Parses the four comma-separated fields (each trimmed). The style is
  // searched for the words BOLD, ITALIC and UNDERLINE in any case ("Regular"
  // means none); a missing style is regular and a missing colour is black.
  // Throws EFontSpecError when the size is not an integer from 1 to 1000 or
  // the colour cannot be read, or when the face is empty.
  static TFontSpec Parse(std::string_view spec);

  // Fonts are drawn black when the output is not in colour.
  TColorRef ColorFor(bool use_color) const { return use_color ? color : TColorRef{}; }

  bool operator==(const TFontSpec&) const = default;
};

// The report text slots, in the order they are read and written.
enum class TReportText : int {
  TitleHeaderBar,       // TITLE PAGE / HEADERBAR
  TitleInstrument,      // TITLE PAGE / INSTRUMENT
  CategoryHeaderBar,    // CATEGORY REPORT / HEADERBAR
  CategoryReportName,   // CATEGORY REPORT / REPORTNAME
  PracticesHeaderBar,   // PRACTICES REPORT / HEADERBAR
  PracticesReportName,  // PRACTICES REPORT / REPORTNAME
  OverviewHeaderBar,    // OVERVIEW REPORT / HEADERBAR
  OverviewReportName,   // OVERVIEW REPORT / REPORTNAME
  OverviewResponseTag,  // OVERVIEW REPORT / RESPONSETAG
  OverviewPracticeTag,  // OVERVIEW REPORT / PRACTICETAG
  OverviewGapSizeTag,   // OVERVIEW REPORT / GAPSIZETAG
  OverviewStrongTag,    // OVERVIEW REPORT / STRONGTAG
  OverviewNeedsTag,     // OVERVIEW REPORT / NEEDSTAG
  OverviewSuggestTag,   // OVERVIEW REPORT / SUGGESTTAG
  SummaryHeaderBar,     // SUMMARY REPORT / HEADERBAR
  SummaryReportName,    // SUMMARY REPORT / REPORTNAME
  SummaryResponseTag,   // SUMMARY REPORT / RESPONSETAG
  SummaryPracticeTag,   // SUMMARY REPORT / PRACTICETAG
  SummaryGapSizeTag,    // SUMMARY REPORT / GAPSIZETAG
  CoachingHeaderBar,    // COACHING REPORT / HEADERBAR
  CoachingReportName,   // COACHING REPORT / REPORTNAME
  CoachingResponseTag,  // COACHING REPORT / RESPONSETAG
  CoachingPracticeTag,  // COACHING REPORT / PRACTICETAG
  CoachingGapSizeTag,   // COACHING REPORT / GAPSIZETAG
  SurveyDoesTag,        // SURVEYS / SURVDOESTAG
  SurveyShouldTag,      // SURVEYS / SURVSHOULDTAG
};

class TReportConfig {
 public:
  static constexpr int kFontCount = 20;
  static constexpr int kTextCount = 26;
  static constexpr std::size_t kMaxTextChars = 63;
  static constexpr std::size_t kMaxColorChars = 10;
  // The shade colour used when its text is not a number (light grey).
  static constexpr std::uint32_t kShadeColorFallback = 12632256;

  // Where a text slot lives in the settings file and its built-in default.
  struct TextEntry {
    const char* section;
    const char* key;
    const char* default_text;
  };
  static const TextEntry& TextInfo(TReportText slot);
  static const char* DefaultFontSpec(int index);  // "" outside 0..19

  // The built-in defaults.
  TReportConfig();
  // The defaults, then `file` read over them (see Read). Close() writes into
  // the same file, which must outlive this object.
  explicit TReportConfig(TSectionedConfigFile& file);
  // Writes back into the file given at construction when marked.
  ~TReportConfig();
  TReportConfig(const TReportConfig&) = delete;
  TReportConfig& operator=(const TReportConfig&) = delete;

  void Read(const TSectionedConfigFile& file);
  // Writes every font, colour, option and text into `file` (section "REPORT
  // OPTIONS" is rebuilt: FONT0..FONT19, the colours, the options and
  // "UseReportTextDefaults", then any other lines it held).
  void Write(TSectionedConfigFile& file) const;
  // Writes into the construction file when the write-back mark is set, then
  // clears the mark. Without a construction file it does nothing.
  void Close();
  bool WriteBackNeeded() const { return write_back_; }

  int FontCount() const { return kFontCount; }
  std::string FontSpec(int index) const;
  void SetFontSpec(int index, std::string_view spec);  // ignored outside 0..19
  // The parsed fonts, from index 0 up to the first empty entry.
  std::vector<TFontSpec> FontTable() const;

  const std::string& BoxColor() const { return box_color_; }
  const std::string& ShadeColor() const { return shade_color_; }
  void SetBoxColor(std::string_view text);
  void SetShadeColor(std::string_view text);
  // The colours as a report run loads them: the box colour is 0 when not a
  // number or when the output is not in colour; the shade colour falls back to
  // kShadeColorFallback when not a number.
  TColorRef BoxColorValue() const;
  TColorRef ShadeColorValue() const;

  bool HeaderFooterBar() const { return header_footer_bar_; }
  bool GraphOver() const { return graph_over_; }
  bool GraphUnder() const { return graph_under_; }
  bool UseColor() const { return use_color_; }
  bool UseReportTextDefaults() const { return use_text_defaults_; }
  void SetHeaderFooterBar(bool on) { header_footer_bar_ = on; }
  void SetGraphOver(bool on) { graph_over_ = on; }
  void SetGraphUnder(bool on) { graph_under_ = on; }
  void SetUseColor(bool on) { use_color_ = on; }
  void SetUseReportTextDefaults(bool on) { use_text_defaults_ = on; }

  const std::string& Text(TReportText slot) const;
  void SetText(TReportText slot, std::string_view text);  // cut to 63 characters

 private:
  TSectionedConfigFile* file_ = nullptr;
  std::array<std::string, kFontCount> fonts_;
  std::string box_color_;
  std::string shade_color_;
  bool header_footer_bar_ = true;
  bool graph_over_ = true;
  bool graph_under_ = false;
  bool use_color_ = false;
  bool use_text_defaults_ = true;
  std::array<std::string, kTextCount> texts_;
  bool write_back_ = false;
};

}  // namespace zelvora
