// SPDX-License-Identifier: GPL-3.0-or-later
// What one evaluation costs. The floor is glibc's extended sine and cosine,
// which every formula needs at least once; the double sine is what GSL's
// functions pay instead.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <string>

#include "bench/benchmarks.h"
#include "bench/input_cases.h"
#include "core/equations.h"
#include "core/expression/formula.h"
#include "core/expression/parser.h"

namespace bench {

namespace {

// Arguments spread over the defaults' interval [1, 2], so that no single
// argument's path through the library decides the figure.
constexpr int kArgumentCount = 64;

std::array<double, kArgumentCount> Arguments() {
  std::array<double, kArgumentCount> arguments{};
  for (int i = 0; i < kArgumentCount; ++i)
    arguments[i] = kStart + (kEnd - kStart) * i / kArgumentCount;
  return arguments;
}

// Only values are handed to DoNotOptimize: GCC 12 can corrupt a floating-point
// variable passed to its non-const overload (google/benchmark issue 903), which
// once made every sine here a sine of a denormal.
template <typename Function>
void EvaluateOverArguments(benchmark::State& state, Function function) {
  const std::array<double, kArgumentCount> arguments = Arguments();
  benchmark::DoNotOptimize(arguments);
  int next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(function(arguments[next]));
    next = (next + 1) % kArgumentCount;
  }
}

void RegisterFloor() {
  benchmark::RegisterBenchmark("floor/sinl", [](benchmark::State& state) {
    EvaluateOverArguments(state, [](double x) { return sinl(x); });
  });
  benchmark::RegisterBenchmark("floor/cosl", [](benchmark::State& state) {
    EvaluateOverArguments(state, [](double x) { return cosl(x); });
  });
  benchmark::RegisterBenchmark("floor/sin", [](benchmark::State& state) {
    EvaluateOverArguments(state, [](double x) { return std::sin(x); });
  });
}

// Equation 3's f typed as written, against the catalogue's f/3 and f_/3:
// the price of the formula's evaluation loop over the compiled formula.
void RegisterTypedFormula() {
  static const auto typed = core::expression::Formula::Parse("cos(x)*k-x+l");
  benchmark::RegisterBenchmark("typed_f/3", [](benchmark::State& state) {
    EvaluateOverArguments(state, [](double x) { return typed->f(x, kDesignCoefficients); });
  });
  benchmark::RegisterBenchmark("typed_f_/3", [](benchmark::State& state) {
    EvaluateOverArguments(state, [](double x) { return typed->f_(x, kDesignCoefficients); });
  });
}

// A formula of the longest length typed, read, differentiated and compiled:
// what the window does at every key press.
std::string LongestFormula() {
  const std::string term = "sin(k*x)^2*exp(-x/l)+ln(1+x^2)*cos(x)-";
  std::string formula;
  while (formula.size() + term.size() + 1 <= core::expression::kMaxFormulaLength) formula += term;
  formula += std::string(core::expression::kMaxFormulaLength - formula.size(), '1');
  return formula;
}

void RegisterFormulaReading() {
  benchmark::RegisterBenchmark("formula/parse_differentiate/1000", [](benchmark::State& state) {
    const std::string text = LongestFormula();
    for (auto _ : state) benchmark::DoNotOptimize(core::expression::Formula::Parse(text).get());
  });
}

}  // namespace

void RegisterEquationBenchmarks() {
  RegisterFloor();
  RegisterTypedFormula();
  RegisterFormulaReading();
  for (int index = 0; index < core::kEquationCount; ++index) {
    const auto equation = static_cast<std::uint8_t>(index);
    benchmark::RegisterBenchmark(
        ("f/" + std::to_string(index)).c_str(), [equation](benchmark::State& state) {
          EvaluateOverArguments(
              state, [equation](double x) { return core::f(equation, x, kDesignCoefficients); });
        });
    benchmark::RegisterBenchmark(
        ("f_/" + std::to_string(index)).c_str(), [equation](benchmark::State& state) {
          EvaluateOverArguments(
              state, [equation](double x) { return core::f_(equation, x, kDesignCoefficients); });
        });
  }
}

}  // namespace bench
