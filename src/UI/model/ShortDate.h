// The short date format every window shows dates in: the user's own short
// format (in the toolkit's pattern letters: d, dd, M, MM, yy, yyyy) with the
// year widened to four digits, so that "d.M.yy" shows as "d.M.yyyy".
#pragma once

#include <string>
#include <string_view>

namespace zelvora {

// The pattern with every run of y (outside quoted text) made "yyyy".
std::string WidenShortDateYear(std::string_view pattern);

}  // namespace zelvora

namespace zelvora {

// The pattern ShortDateText uses; "M/d/yyyy" until the program sets the
// user's own at start-up.
void SetShortDatePattern(std::string pattern);
const std::string& ShortDatePattern();

// A day-count date in the short date pattern. Understands d, dd, M, MM, MMM,
// MMMM, yy, yyyy and text in single quotes ('' is a quote); other letters
// are copied.
std::string ShortDateText(double date);
std::string FormatDatePattern(double date, std::string_view pattern);

}  // namespace zelvora
