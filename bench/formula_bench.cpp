// SPDX-License-Identifier: GPL-3.0-or-later
// Long formulas: chains of 1,000 characters whose printed derivative grows
// with the square of their length. "formula/solve/<chain>" is what the
// command line does for them on [1, 2] (read, differentiate, the four
// methods; tangents run to their cap on the quotients); "typed_f/<chain>"
// and "typed_f_/<chain>" are one evaluation, with the program's size as the
// counter "operations".
#include <benchmark/benchmark.h>

#include <string>
#include <utility>

#include "app/table_window.h"
#include "bench/benchmarks.h"
#include "core/expression/formula.h"
#include "core/expression/parser.h"

namespace bench {

namespace {

struct Chain {
  const char* name;
  const char* factor;
  const char* operation;
};

constexpr Chain kChains[] = {
    {"divide", "sin(x)", "/"},
    {"multiply", "x", "*"},
};

std::string Text(const Chain& chain) {
  std::string text = chain.factor;
  const std::string next = std::string(chain.operation) + chain.factor;
  while (text.size() + next.size() <= core::expression::kMaxFormulaLength) text += next;
  return text;
}

}  // namespace

void RegisterFormulaBenchmarks() {
  for (const Chain& chain : kChains) {
    const std::string text = Text(chain);
    benchmark::RegisterBenchmark((std::string("formula/solve/") + chain.name).c_str(),
                                 [text](benchmark::State& state) {
                                   app::InputTexts inputs;
                                   inputs.formula = text;
                                   for (auto _ : state)
                                     benchmark::DoNotOptimize(app::Solve(inputs).record.get());
                                 })
        ->Unit(benchmark::kMillisecond);
    const auto formula = core::expression::Formula::Parse(text);
    benchmark::RegisterBenchmark(
        (std::string("typed_f/") + chain.name).c_str(), [formula](benchmark::State& state) {
          for (auto _ : state) benchmark::DoNotOptimize(formula->Value(1.5L, 1, 1).Value());
          state.counters["operations"] = static_cast<double>(formula->FunctionCost());
        });
    benchmark::RegisterBenchmark(
        (std::string("typed_f_/") + chain.name).c_str(), [formula](benchmark::State& state) {
          for (auto _ : state)
            benchmark::DoNotOptimize(formula->DerivativeValue(1.5L, 1, 1).Value());
          state.counters["operations"] = static_cast<double>(formula->DerivativeCost());
        });
  }
}

}  // namespace bench
