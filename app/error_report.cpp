#include "app/error_report.h"

#include <cstdint>

namespace app {

namespace {

// The code of the last UTF-8 encoded character of a non-empty text.
std::uint32_t LastCodePoint(std::string_view text) {
  std::size_t start = text.size() - 1;
  while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
  const auto lead = static_cast<unsigned char>(text[start]);
  const std::size_t length = text.size() - start;
  if (lead < 0x80 || length == 1) return lead;
  std::uint32_t code = lead & (0x7F >> length);
  for (std::size_t i = start + 1; i < text.size(); ++i)
    code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
  return code;
}

}  // namespace

std::string ReportText(std::string_view message) {
  std::string text(message);
  if (!message.empty() && LastCodePoint(message) > '.') text += '.';
  return text;
}

}  // namespace app
