#include "ui/help_text.h"

#include <iconv.h>
#include <langinfo.h>
#include <QStringDecoder>
#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "ui/windows_1251.h"

namespace ui {

namespace {

// CR and LF are never part of a multi-byte character in UTF-8 or in the
// legacy character sets, so the breaks can be found before decoding.
std::string NormaliseLineBreaks(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char byte = bytes[i];
    if (byte == '\r') {
      text += '\n';
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      text += byte;
    }
  }
  return text;
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
// can have. Bytes it cannot convert, or a set it does not know, give nothing.
std::optional<QString> DecodeIn(std::string_view codeset, std::string_view bytes) {
  const std::string from(codeset);
  const iconv_t converter = iconv_open("UTF-8", from.c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  // One input byte makes at most one character, and a character at most four
  // UTF-8 bytes.
  std::string utf8(bytes.size() * 4 + 16, '\0');
  char* in = const_cast<char*>(bytes.data());
  std::size_t in_left = bytes.size();
  char* out = utf8.data();
  std::size_t out_left = utf8.size();
  const bool converted = iconv(converter, &in, &in_left, &out, &out_left) != std::size_t(-1) &&
                         iconv(converter, nullptr, nullptr, &out, &out_left) != std::size_t(-1) &&
                         in_left == 0;
  iconv_close(converter);
  if (!converted) return std::nullopt;
  utf8.resize(utf8.size() - out_left);
  return QString::fromStdString(utf8);
}

QString Decode(std::string_view bytes, std::string_view locale_codeset) {
  if (auto text = DecodeUtf8(bytes)) return *text;
  if (IsLegacyCodeset(locale_codeset)) {
    if (auto text = DecodeIn(locale_codeset, bytes)) return *text;
  }
  return DecodeWindows1251(bytes);
}

}  // namespace

QString HelpText(std::string_view bytes, std::string_view locale_codeset) {
  const std::string_view shown = bytes.substr(0, bytes.find('\0'));
  return Decode(NormaliseLineBreaks(shown), locale_codeset);
}

std::string_view LocaleCodeset() {
  return nl_langinfo(CODESET);
}

}  // namespace ui
