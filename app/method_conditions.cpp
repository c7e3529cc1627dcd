// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/method_conditions.h"

#include <cstdint>

#include "app/number_text.h"
#include "core/errors.h"
#include "core/root_finding.h"
#include "core/simple_iteration.h"

namespace app {

namespace {

std::string Figure(double value) {
  return FormatReal(value, 4);
}

// "по 1001 точке отрезка"
std::string GridText(std::size_t points) {
  return "по " + FormatInteger(static_cast<std::int64_t>(points)) + " точке отрезка";
}

}  // namespace

std::string ContractionText(const core::MethodSetup& setup) {
  std::string text;
  if (!setup.contraction) {
    text = "условие сходимости не проверить: φ′ не вычисляется ни в одной точке отрезка";
  } else if (*setup.contraction < 1) {
    text = "сжатие: q = " + Figure(*setup.contraction) + " < 1";
  } else {
    text = "условие сходимости не выполнено: q = " + Figure(*setup.contraction);
  }
  text += " (q = max |φ′| " + GridText(core::kConditionGridPoints) + ")";
  if (setup.largest_slope && setup.lambda) {
    text +=
        "; λ = 1/M = " + Figure(*setup.lambda) + ", M = max |f′| = " + Figure(*setup.largest_slope);
  } else if (setup.lambda) {
    text += "; λ = " + Figure(*setup.lambda);
  }
  return text;
}

std::string ConditionFailureText(const core::ConditionFailure& failure) {
  const std::string at = FormatReal(failure.x, 7);
  switch (failure.kind) {
    case core::ConditionFailure::Kind::kNoSignChange:
      return "f(начало) и f(конец) должны быть разных знаков, а они одного знака или одно из "
             "них равно 0";
    case core::ConditionFailure::Kind::kSlopeChangesSign:
      return "f′ должна сохранять знак на отрезке, а она обращается в 0 или меняет знак около x "
             "= " +
             at;
    case core::ConditionFailure::Kind::kCurvatureChangesSign:
      return "f″ должна сохранять знак на отрезке, а она обращается в 0 или меняет знак около x "
             "= " +
             at;
    case core::ConditionFailure::Kind::kUndefined:
      break;
  }
  return "f, f′ и f″ должны вычисляться на всём отрезке, а в точке x = " + at +
         " одна из них не вычисляется";
}

std::string ConditionsNote(const core::MethodSet& methods, const core::EquationSource& source,
                           const core::Coefficients& coefficients, double start, double end,
                           const core::MethodParameters& parameters) {
  std::string note;
  const auto add = [&note](std::uint8_t method, const std::string& text) {
    if (!note.empty()) note += "\n";
    note += std::string(core::EntryOf(method).short_name) + ": " + text + ".";
  };
  for (const core::MethodEntry& entry : core::kMethods) {
    if (!methods.Contains(entry.number)) continue;
    try {
      if (entry.iterates_phi) {
        add(entry.number, ContractionText(core::EstimateContraction(source, coefficients, start,
                                                                    end, parameters)));
      } else if (entry.condition != nullptr) {
        const core::MethodInputs inputs{start, 0, end, parameters};
        const std::optional<core::ConditionFailure> failure =
            entry.condition(source, coefficients, inputs);
        add(entry.number,
            failure
                ? "условие не выполнено, метод не будет запущен: " + ConditionFailureText(*failure)
                : "условие выполнено: f′ и f″ сохраняют знак " + GridText(core::kSignGridPoints));
      }
    } catch (const core::Exception& error) {
      // λ = 1/M beyond the doubles: the run will say so in its error.
      add(entry.number,
          std::string(entry.iterates_phi ? "λ не вычислить" : "условие не проверить") + ": «" +
              error.Message() + "»");
    }
  }
  return note;
}

}  // namespace app
