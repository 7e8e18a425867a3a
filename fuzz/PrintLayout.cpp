// Fuzzes paragraph cutting and the printer's wrapping: any text, in either
// cutting mode, with any column, bullet, leader and page-break limit, must
// finish, keep every byte (double-byte mode) and put the margins back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "report/TextLine.h"
#include "report/prBase.h"

namespace {

using namespace zelvora;

class FixedPrinter : public TBasePrinter {
 public:
  Mils TextWidth(const std::string& s) override {
    Mils w = 0;
    for (unsigned char c : s) w += (c % 7) * 20;  // some characters have no width
    return w;
  }
};

std::int32_t Take(std::string_view& in, int bytes) {
  std::int32_t v = 0;
  for (int i = 0; i < bytes && !in.empty(); ++i) {
    v = (v << 8) | static_cast<unsigned char>(in.front());
    in.remove_prefix(1);
  }
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view in(reinterpret_cast<const char*>(data), size);
  const std::int32_t flags = Take(in, 1);
  const Mils left = Take(in, 2) % 9000;
  const Mils width = Take(in, 2) % 9000 - 500;
  const Mils offset = Take(in, 2) % 2000 - 1000;
  const Mils page_bottom = Take(in, 2) % 12000;
  const std::string_view text = in;

  TTextLine cut((flags & 1) != 0, 936);
  cut.SetText(text);
  std::string joined;
  for (const auto& piece : cut.Pieces()) {
    if (piece.empty()) __builtin_trap();
    joined += piece;
    (void)IsSentenceEnd(piece);
  }
  if ((flags & 1) != 0 && joined != text) __builtin_trap();
  cut.SetDirection(1);
  while (!cut.NextPiece().empty()) {
  }

  FixedPrinter p;
  p.LineHeight = 1 + (flags >> 4);
  p.PageBottom = page_bottom;
  p.WordSeparator = (flags & 2) ? " " : "";
  const std::string s(text);
  int breaks = 0;
  const TPageBreakHook hook = [&] {
    ++breaks;
    p.MoveTo(p.LeftMargin, p.TopMargin);
  };
  p.MoveTo(left, 2000);
  p.PrintLabelled(offset, "1.", left, s, left + width, 1);
  p.PrintBulleted(offset, (flags & 4) ? "*" : "", (flags >> 3) & 3, left, s, left + width, 1.5,
                  (flags & 8) ? "." : "", 100, hook, 2);
  if (p.LeftMargin != 1000 || p.RightMargin != 7000) __builtin_trap();
  return 0;
}
