// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/charts/method_look.h"

#include <QRgb>
#include <array>

#include "core/method_table.h"
#include "ui/widgets/utf8_text.h"

namespace ui {

namespace {

struct MethodLook {
  core::Method method;
  QRgb on_light;
  QRgb on_dark;  // each at least 3:1 against its background
  QScatterSeries::MarkerShape marker;
  Qt::PenStyle dash;
  // Dashes and gaps in pen widths, for Qt::CustomDashLine only.
  std::array<qreal, 2> pattern = {};
};

// Blue, vermilion, bluish green and reddish purple; on a dark background sky
// blue, orange and the same green and purple.
constexpr core::PerMethod<MethodLook> kLooks = {{
    {.method = core::kBisection,
     .on_light = qRgb(0x00, 0x72, 0xb2),
     .on_dark = qRgb(0x56, 0xb4, 0xe9),
     .marker = QScatterSeries::MarkerShapeCircle,
     .dash = Qt::SolidLine},
    {.method = core::kChords,
     .on_light = qRgb(0xd5, 0x5e, 0x00),
     .on_dark = qRgb(0xe6, 0x9f, 0x00),
     .marker = QScatterSeries::MarkerShapeRectangle,
     .dash = Qt::DashLine},
    {.method = core::kTangents,
     .on_light = qRgb(0x00, 0x9e, 0x73),
     .on_dark = qRgb(0x00, 0x9e, 0x73),
     .marker = QScatterSeries::MarkerShapeTriangle,
     .dash = Qt::DotLine},
    {.method = core::kSecants,
     .on_light = qRgb(0xcc, 0x79, 0xa7),
     .on_dark = qRgb(0xcc, 0x79, 0xa7),
     .marker = QScatterSeries::MarkerShapeRotatedRectangle,
     .dash = Qt::DashDotLine},
    {.method = core::kSimpleIteration,
     .on_light = qRgb(0x88, 0x22, 0x55),
     .on_dark = qRgb(0xf0, 0xe4, 0x42),
     .marker = QScatterSeries::MarkerShapePentagon,
     .dash = Qt::DashDotDotLine},
    // Long dashes, unlike the short ones of the chords.
    {.method = core::kCombined,
     .on_light = qRgb(0x33, 0x22, 0x88),
     .on_dark = qRgb(0x88, 0xcc, 0xee),
     .marker = QScatterSeries::MarkerShapeStar,
     .dash = Qt::CustomDashLine,
     .pattern = {8, 3}},
}};

static_assert(
    [] {
      for (std::size_t i = 0; i < kLooks.size(); ++i)
        if (kLooks[i].method != core::kMethods[i].number) return false;
      return true;
    }(),
    "one look for each method of the method table, in its order");

}  // namespace

bool IsDark(const QPalette& palette) {
  return palette.color(QPalette::Base).lightness() < 128;
}

QColor MethodColour(std::uint8_t method, const QPalette& palette) {
  const MethodLook& look = core::ForMethod(kLooks, method);
  return QColor::fromRgb(IsDark(palette) ? look.on_dark : look.on_light);
}

QScatterSeries::MarkerShape MethodMarker(std::uint8_t method) {
  return core::ForMethod(kLooks, method).marker;
}

Qt::PenStyle MethodDash(std::uint8_t method) {
  return core::ForMethod(kLooks, method).dash;
}

QPen MethodPen(std::uint8_t method, const QColor& colour, qreal width) {
  const MethodLook& look = core::ForMethod(kLooks, method);
  QPen pen(colour, width, look.dash);
  if (look.dash == Qt::CustomDashLine) pen.setDashPattern({look.pattern[0], look.pattern[1]});
  return pen;
}

QString MethodShortName(std::uint8_t method) {
  return FromUtf8(core::EntryOf(method).short_name);
}

}  // namespace ui
