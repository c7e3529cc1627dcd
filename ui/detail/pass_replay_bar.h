// SPDX-License-Identifier: GPL-3.0-or-later
// The pass control above a detail window's function plot: "◀ проход n из N ▶"
// with a slider, Home and End for the first and the last pass, and play at
// a chosen speed. The window draws the construction up to pass n and
// highlights that pass in the table and in the worked solution; the pass's
// text reaches screen readers as the slider's description whenever n
// changes.
#pragma once

#include <QWidget>
#include <cstdint>

class QComboBox;
class QLabel;
class QSlider;
class QTimer;
class QToolButton;

namespace ui {

class PassReplayBar : public QWidget {
  Q_OBJECT

 public:
  // Passes from `first` to `last`; the bar starts at the last.
  PassReplayBar(std::int32_t first, std::int32_t last, QWidget* parent = nullptr);

  std::int32_t Pass() const;
  // Moves to pass n (clamped to the passes); PassChanged follows a change.
  void SetPass(std::int32_t n);

  // The pass written out, for screen readers: the slider's name says which
  // pass of how many, its description this text, and both are announced.
  void Announce(const QString& text);

  void Play();
  void Pause();
  bool IsPlaying() const;

  QSlider* Slider() const { return slider_; }
  QToolButton* PlayButton() const { return play_; }
  QComboBox* Speed() const { return speed_; }

 signals:
  void PassChanged(std::int32_t n);

 private:
  void Step();
  void Show(std::int32_t n);

  std::int32_t first_;
  std::int32_t last_;
  QToolButton* previous_ = nullptr;
  QLabel* label_ = nullptr;
  QToolButton* next_ = nullptr;
  QSlider* slider_ = nullptr;
  QToolButton* play_ = nullptr;
  QComboBox* speed_ = nullptr;
  QTimer* timer_ = nullptr;
};

}  // namespace ui
