// SPDX-License-Identifier: GPL-3.0-or-later
// The in-memory stand-in for the main window that the core and app tests and
// the benchmarks share. This part is the root-finding host: a selected
// equation and a precision text, counting how often the methods read them and
// recording each new value of a watched root variable that a read of the
// equation finds. fake_window.h adds the rest of the main window on top.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/root_finding.h"

namespace doubles {

// `Interface` is core::RootFindingHost or an interface derived from it.
template <class Interface>
class InMemoryHost : public Interface {
 public:
  explicit InMemoryHost(std::uint8_t equation = 0, std::string precision_text = "0,001")
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
    if (on_messages) on_messages(message_rounds);
  }

  void Select(std::uint8_t equation) { equation_ = equation; }
  void Type(std::string precision_text) { precision_text_ = std::move(precision_text); }

  // Once per evaluation of f or f_ that the methods ask for.
  mutable std::int64_t equation_reads = 0;
  mutable int precision_reads = 0;
  int message_rounds = 0;
  // A command dispatched while messages are processed; gets the round's number.
  std::function<void(int)> on_messages;
  const double* watched_root = nullptr;
  mutable std::vector<double> trail;

 protected:
  std::uint8_t equation_;
  std::string precision_text_;
};

using FakeHost = InMemoryHost<core::RootFindingHost>;

}  // namespace doubles
