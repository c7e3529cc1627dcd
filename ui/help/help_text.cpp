// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help/help_text.h"

#include <iconv.h>
#include <langinfo.h>
#include <QStringDecoder>
#include <QSysInfo>
#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "ui/help/windows_1251.h"

namespace ui {

namespace {

// CR and LF are never part of a multi-byte character in UTF-8 or in the
// legacy character sets, so the breaks can be found before decoding. In
// place: the text only shrinks.
void NormaliseLineBreaks(std::string& text) {
  auto out = std::find(text.begin(), text.end(), '\r');
  for (auto in = out; in != text.end(); ++in) {
    if (*in == '\r') {
      *out++ = '\n';
      if (in + 1 != text.end() && in[1] == '\n') ++in;
    } else {
      *out++ = *in;
    }
  }
  text.erase(out, text.end());
}

std::optional<QString> DecodeUtf8(std::string_view bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text =
      utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (utf8.hasError()) return std::nullopt;
  return text;
}

// "UTF-8", "utf8", "ANSI_X3.4-1968" (the C locale's ASCII) ... compared
// without case and punctuation.
std::string CanonicalName(std::string_view codeset) {
  std::string name;
  for (const char c : codeset) {
    if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
      name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
  }
  return name;
}

bool IsLegacyCodeset(std::string_view codeset) {
  const std::string name = CanonicalName(codeset);
  return !name.empty() && name != "UTF8" && name != "ANSIX341968" && name != "ASCII" &&
         name != "USASCII";
}

// Through the C library's iconv, which knows every character set a locale
// can have, straight into the text's own UTF-16: the bytes are never held
// twice over in another form. Bytes it cannot convert, or a set it does not
// know, give nothing.
std::optional<QString> DecodeIn(std::string_view codeset, std::string_view bytes) {
  const std::string from(codeset);
  const char* const utf16 = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
  const iconv_t converter = iconv_open(utf16, from.c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  // Two UTF-16 units for each byte are more than any character set needs;
  // the pages that stay unwritten take no memory.
  QString text(2 * static_cast<qsizetype>(bytes.size()) + 2, Qt::Uninitialized);
  char* in = const_cast<char*>(bytes.data());
  std::size_t in_left = bytes.size();
  char* out = reinterpret_cast<char*>(text.data());
  std::size_t out_left = static_cast<std::size_t>(text.size()) * sizeof(QChar);
  const bool converted = iconv(converter, &in, &in_left, &out, &out_left) != std::size_t(-1) &&
                         iconv(converter, nullptr, nullptr, &out, &out_left) != std::size_t(-1) &&
                         in_left == 0;
  iconv_close(converter);
  if (!converted) return std::nullopt;
  text.resize(text.size() - static_cast<qsizetype>(out_left / sizeof(QChar)));
  return text;
}

QString Decode(std::string_view bytes, std::string_view locale_codeset) {
  if (auto text = DecodeUtf8(bytes)) return *text;
  if (IsLegacyCodeset(locale_codeset)) {
    if (auto text = DecodeIn(locale_codeset, bytes)) return *text;
  }
  return DecodeWindows1251(bytes);
}

}  // namespace

QString HelpText(std::string bytes, std::string_view locale_codeset) {
  bytes.resize(std::min(bytes.size(), bytes.find('\0')));
  NormaliseLineBreaks(bytes);
  return Decode(bytes, locale_codeset);
}

std::string_view LocaleCodeset() {
  return nl_langinfo(CODESET);
}

}  // namespace ui
