// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/evaluator.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "core/errors.h"

namespace core {

const double* Evaluator::RecentValues::Find(const EquationSource& source, std::uint64_t x_bits) {
  const auto first = recent_.begin();
  const auto last = first + remembered_;
  const std::uint8_t equation = source.Equation();
  const void* formula = source.Formula().get();
  const auto known = std::find_if(first, last, [&](const Value& value) {
    return value.equation == equation && value.formula == formula && value.x_bits == x_bits;
  });
  if (known == last) return nullptr;
  std::rotate(first, known, known + 1);
  return &recent_.front().value;
}

void Evaluator::RecentValues::Add(const EquationSource& source, std::uint64_t x_bits,
                                  double value) {
  if (remembered_ < kRemembered) ++remembered_;
  const auto first = recent_.begin();
  std::rotate(first, first + remembered_ - 1, first + remembered_);
  recent_.front() = {source.Equation(), source.Formula().get(), x_bits, value};
}

double Evaluator::Evaluate(bool derivative, RecentValues& values, std::int64_t& computed,
                           double x) {
  // Whether the host solves a typed formula is settled at the first
  // evaluation: nothing between two evaluations of one method processes
  // messages. After that a built-in equation is read with SelectedEquation
  // alone, which is what SelectedSource reads for it, at the cost it always
  // had. The source is replaced only when it changes.
  if (source_ && !source_->Formula()) {
    const std::uint8_t equation = host_.SelectedEquation();
    if (equation != source_->Equation()) source_ = EquationSource(equation);
  } else {
    EquationSource read = host_.SelectedSource();
    if (!source_ || !(*source_ == read)) source_ = std::move(read);
  }
  const EquationSource& source = *source_;
  const auto x_bits = std::bit_cast<std::uint64_t>(x);
  if (const double* known = values.Find(source, x_bits)) return *known;
  // An overflow leaves nothing behind.
  const double value = derivative ? source.f_(x, coefficients_) : source.f(x, coefficients_);
  ++computed;
  values.Add(source, x_bits, value);
  return value;
}

double Evaluator::f(double x) {
  ++counts_.f_asked;
  const double value = Evaluate(false, f_values_, counts_.f_computed, x);
  if (history_ != nullptr) NoteValue(&PassRecord::fx, x, value);
  return value;
}

double Evaluator::f_(double x) {
  ++counts_.df_asked;
  const double value = Evaluate(true, derivative_values_, counts_.df_computed, x);
  if (history_ != nullptr) NoteValue(&PassRecord::dfx, x, value);
  return value;
}

double Evaluator::Phi(const expression::Formula& phi, double x) {
  ++counts_.f_asked;
  ++counts_.f_computed;
  return phi.f(x, coefficients_);
}

void Evaluator::AddPass(std::int32_t n, double x) {
  std::vector<PassRecord>& passes = history_->passes;
  // In extended precision the difference of two doubles is finite; only its
  // store into a double can overflow, and then the step stays empty.
  std::optional<double> step;
  if (!passes.empty()) {
    const auto difference =
        static_cast<double>(std::fabs(static_cast<long double>(x) - passes.back().x));
    if (std::isfinite(difference)) step = difference;
  }
  // Grow by doubling, but never past the longest possible history.
  if (passes.size() == passes.capacity()) {
    constexpr std::size_t kFirstCapacity = 16;
    passes.reserve(std::min(std::max(2 * passes.capacity(), kFirstCapacity), kMaxHistoryPasses));
  }
  // Written in place: the lines are many, and a copy of each costs as much.
  PassRecord& pass = passes.emplace_back();
  pass.n = n;
  // At most two evaluations a pass within the cap: far below the int32 range.
  pass.computed = static_cast<std::int32_t>(Computed());
  pass.x = x;
  pass.step = step;
}

void Evaluator::SetEnds(double a, double b) {
  if (history_->passes.empty()) return;
  PassRecord& pass = history_->passes.back();
  pass.a = a;
  pass.b = b;
}

void Evaluator::NoteValue(std::optional<double> PassRecord::*field, double x, double value) {
  if (history_->passes.empty()) return;
  PassRecord& pass = history_->passes.back();
  if (!(pass.*field) && std::bit_cast<std::uint64_t>(pass.x) == std::bit_cast<std::uint64_t>(x))
    pass.*field = value;
}

void Evaluator::FinishHistory() {
  if (history_ == nullptr) return;
  // A method that evaluated nothing (an interval already within the
  // precision) still solved the selected equation; read it once.
  if (!source_) source_ = host_.SelectedSource();
  history_->equation = source_->Equation();
  history_->formula = source_->Formula();
  history_->counts = counts_;
  if (history_->passes.empty()) return;
  PassRecord& last = history_->passes.back();
  if (last.fx) return;
  // Asked for by the history, not by the method: neither counted nor
  // remembered, and an error here is the history's, not the method's.
  try {
    last.fx = source_->f(last.x, coefficients_);
  } catch (const Exception&) {
    // f raises an error at x_n: the value stays empty.
  }
}

}  // namespace core
