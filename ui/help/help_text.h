// SPDX-License-Identifier: GPL-3.0-or-later
// How the bytes of help.txt become the text that the help window shows.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace ui {

// The bytes up to the first NUL, with every line break (CR LF, a lone CR, a
// lone LF; so LF CR is two breaks) made one "\n", decoded: as UTF-8 when they
// are valid UTF-8, whatever the locale; otherwise in `locale_codeset` when that
// is a legacy character set (KOI8-R, CP1251, ...) that decodes them; otherwise
// as Windows-1251, the program's own Cyrillic code page. The bytes are taken
// by value and normalised in place, so a large file is never held twice.
QString HelpText(std::string bytes, std::string_view locale_codeset);
inline QString HelpText(std::string_view bytes, std::string_view locale_codeset) {
  return HelpText(std::string(bytes), locale_codeset);
}

// The character set of the user's locale, as the C library names it.
std::string_view LocaleCodeset();

}  // namespace ui
