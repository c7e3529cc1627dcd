// SPDX-License-Identifier: GPL-3.0-or-later
// Under the typed-equation window's preview: the places where f changes
// sign, as a list whose items set start and end to an interval around one
// (a click on a mark of the preview does the same), and "Искать шире",
// which looks for sign changes beyond the interval and offers them in the
// list. The intervals are app::IntervalAround's.
//
// Controls (objectName): SignChangeList, WiderScanButton, WiderScanNote.
#pragma once

#include <QWidget>
#include <vector>

#include "app/sign_changes.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace ui {

class IntervalPicker : public QWidget {
  Q_OBJECT

 public:
  explicit IntervalPicker(QWidget* parent = nullptr);

  // The roots of `changes`, found by sampling `f` over [left, right], the
  // preview's range; `f` is empty when there is nothing to preview.
  void ShowChanges(const app::SignChanges& changes, double left, double right,
                   app::SampledFunction f);

  // Sets start and end around the listed change nearest to `x`, as a click
  // on the mark at x asks.
  void PickNear(double x);

  QComboBox* List() const { return list_; }
  QPushButton* WiderButton() const { return wider_; }
  QLabel* Note() const { return note_; }

 signals:
  void IntervalChosen(double start, double end);
  // What the wider scan found, in a sentence, for a screen reader too.
  void Searched(const QString& outcome);

 private:
  struct Offer {
    app::SignChange change;
    app::Interval interval;
  };

  void Fill(const std::vector<app::SignChange>& changes, bool beyond);
  void Pick(int item);
  void ScanWider();

  QComboBox* list_;
  QPushButton* wider_;
  QLabel* note_;
  app::SampledFunction f_;
  app::SignChanges all_;
  double left_ = 0;
  double right_ = 0;
  std::vector<Offer> offers_;  // list item i + 1
};

}  // namespace ui
