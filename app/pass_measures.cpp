// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pass_measures.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/method_table.h"
#include "core/stopping_test.h"

namespace app {

namespace {

// Units in the last place of xₙ below which a step or an error is noise.
constexpr double kNoiseUlps = 4;
// The most correct digits a reference root in extended precision can vouch for.
constexpr int kMostDigits = 19;

std::optional<double> OrderValue(const core::MethodHistory& history, const PassMeasures& measures,
                                 std::size_t index) {
  switch (measures.basis) {
    case OrderBasis::kErrors:
      return measures.passes[index].error;
    case OrderBasis::kWidths:
      if (!measures.passes[index].tested) return std::nullopt;
      return static_cast<double>(*measures.passes[index].tested);
    case OrderBasis::kSteps:
      return history.passes[index].step;
  }
  return std::nullopt;
}

int CorrectDigits(double error, long double reference) {
  if (error == 0) return kMostDigits;
  const long double scale = reference != 0 ? std::fabs(reference) : 1.0L;
  const long double digits = std::floor(-std::log10(error / scale));
  return static_cast<int>(std::clamp<long double>(digits, 0, kMostDigits));
}

}  // namespace

std::string_view TestedQuantityName(std::uint8_t method) {
  return core::EntryOf(method).test.name;
}

namespace {

std::optional<long double> Tested(core::StoppingQuantity quantity, const core::PassRecord& pass) {
  const std::optional<core::Extended> value = core::TestedQuantity(quantity, pass);
  if (!value) return std::nullopt;
  return value->Value();
}

}  // namespace

std::optional<long double> TestedQuantity(std::uint8_t method, const core::PassRecord& pass) {
  return Tested(core::EntryOf(method).test.quantity, pass);
}

bool HasStartingRow(const core::MethodHistory& history) {
  return core::EntryOf(history.method).test.quantity == core::StoppingQuantity::kDistance &&
         !history.passes.empty() && history.passes.front().n == 1;
}

long double StartingWidth(const core::MethodHistory& history) {
  return core::Distance(history.start, history.end).Value();
}

bool AboveRoundingNoise(double value, double x) {
  const double ulp =
      std::nextafter(std::fabs(x), std::numeric_limits<double>::infinity()) - std::fabs(x);
  return value > kNoiseUlps * ulp;
}

PassMeasures MeasurePasses(const core::MethodHistory& history,
                           std::optional<long double> reference) {
  PassMeasures measures;
  const core::MethodEntry& method = core::EntryOf(history.method);
  const bool tests_bracket_width =
      method.keeps_bracket && method.test.quantity == core::StoppingQuantity::kDistance;
  measures.basis = tests_bracket_width ? OrderBasis::kWidths
                   : reference         ? OrderBasis::kErrors
                                       : OrderBasis::kSteps;
  measures.passes.resize(history.passes.size());
  for (std::size_t i = 0; i < history.passes.size(); ++i) {
    const core::PassRecord& pass = history.passes[i];
    PassMeasure& measure = measures.passes[i];
    measure.tested = Tested(method.test.quantity, pass);
    if (reference) {
      measure.error = static_cast<double>(std::fabs(pass.x - *reference));
      measure.digits = CorrectDigits(*measure.error, *reference);
    }
  }
  for (std::size_t i = 2; i < history.passes.size(); ++i) {
    const std::optional<double> e1 = OrderValue(history, measures, i - 2);
    const std::optional<double> e2 = OrderValue(history, measures, i - 1);
    const std::optional<double> e3 = OrderValue(history, measures, i);
    if (!e1 || !e2 || !e3) continue;
    if (!(*e1 > *e2 && *e2 > *e3) || !AboveRoundingNoise(*e3, history.passes[i].x)) continue;
    const double q = std::log(*e3 / *e2) / std::log(*e2 / *e1);
    if (std::isfinite(q)) measures.passes[i].q = q;
  }
  return measures;
}

}  // namespace app
