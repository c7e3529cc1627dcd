// A host for run() without any window: a fixed equation and precision text,
// counting how often the methods read the equation and recording each new
// value of the root variable that such a read finds.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/root_finding.h"

namespace core_test {

class FakeHost : public core::RootFindingHost {
 public:
  explicit FakeHost(std::uint8_t equation = 0, std::string precision_text = "0,001")
      : equation_(equation), precision_text_(std::move(precision_text)) {}

  std::uint8_t SelectedEquation() const override {
    ++equation_reads;
    if (watched_root != nullptr && (trail.empty() || trail.back() != *watched_root))
      trail.push_back(*watched_root);
    return equation_;
  }
  std::string PrecisionText() const override {
    ++precision_reads;
    return precision_text_;
  }
  void ProcessMessages() override {
    ++message_rounds;
    if (on_messages) on_messages();
  }

  void Select(std::uint8_t equation) { equation_ = equation; }
  void Type(std::string precision_text) { precision_text_ = std::move(precision_text); }

  mutable int equation_reads = 0;
  mutable int precision_reads = 0;
  int message_rounds = 0;
  std::function<void()> on_messages;  // a command dispatched while messages are processed
  const double* watched_root = nullptr;
  mutable std::vector<double> trail;

 private:
  std::uint8_t equation_;
  std::string precision_text_;
};

}  // namespace core_test
