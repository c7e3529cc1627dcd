// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/own_equation/interval_picker.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "app/number_text.h"
#include "ui/error_boundary.h"
#include "ui/widgets/utf8_text.h"

namespace ui {

namespace {

QString Number(double value, int digits = 15) {
  return FromUtf8(app::FormatReal(value, digits));
}

QString IntervalText(const app::Interval& interval) {
  return QStringLiteral("[%1; %2]").arg(Number(interval.start), Number(interval.end));
}

}  // namespace

IntervalPicker::IntervalPicker(QWidget* parent) : QWidget(parent) {
  list_ = new QComboBox(this);
  list_->setObjectName(QStringLiteral("SignChangeList"));
  list_->setAccessibleName(QStringLiteral("Отрезок у смены знака"));
  list_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  list_->setMinimumContentsLength(16);
  wider_ = new QPushButton(QStringLiteral("Искать &шире"), this);
  wider_->setObjectName(QStringLiteral("WiderScanButton"));
  wider_->setAutoDefault(false);
  wider_->setToolTip(QStringLiteral("Искать смены знака f за пределами отрезка"));
  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("WiderScanNote"));
  note_->setWordWrap(true);
  note_->hide();

  auto* row = new QHBoxLayout();
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(list_, 1);
  row->addWidget(wider_);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addLayout(row);
  column->addWidget(note_);

  connect(list_, &QComboBox::activated, this,
          [this](int item) { Guarded([this, item] { Pick(item); }); });
  connect(wider_, &QPushButton::clicked, this, [this] { Guarded([this] { ScanWider(); }); });
  ShowChanges({}, 0, 0, {});
}

void IntervalPicker::ShowChanges(const app::SignChanges& changes, double left, double right,
                                 app::SampledFunction f) {
  f_ = std::move(f);
  all_ = changes;
  left_ = left;
  right_ = right;
  note_->hide();
  wider_->setEnabled(static_cast<bool>(f_));
  Fill(changes.roots, false);
}

void IntervalPicker::Fill(const std::vector<app::SignChange>& changes, bool beyond) {
  offers_.clear();
  list_->clear();
  list_->addItem(changes.empty() ? QStringLiteral("Смен знака нет")
                 : beyond ? QStringLiteral("За отрезком: выберите смену знака…")
                          : QStringLiteral("Отрезок у смены знака…"));
  for (const app::SignChange& change : changes) {
    const app::Interval interval = app::IntervalAround(change, all_, left_, right_, f_);
    offers_.push_back({change, interval});
    list_->addItem(QStringLiteral("x ≈ %1: %2").arg(Number(change.x, 4), IntervalText(interval)));
  }
  list_->setEnabled(!changes.empty());
}

void IntervalPicker::Pick(int item) {
  if (item < 1 || item > static_cast<int>(offers_.size())) return;
  const app::Interval interval = offers_[static_cast<std::size_t>(item - 1)].interval;
  list_->setCurrentIndex(0);
  emit IntervalChosen(interval.start, interval.end);
}

void IntervalPicker::PickNear(double x) {
  int nearest = 0;
  for (int i = 0; i < static_cast<int>(offers_.size()); ++i) {
    if (nearest == 0 || std::fabs(offers_[static_cast<std::size_t>(i)].change.x - x) <
                            std::fabs(offers_[static_cast<std::size_t>(nearest - 1)].change.x - x))
      nearest = i + 1;
  }
  Pick(nearest);
}

void IntervalPicker::ScanWider() {
  if (!f_) return;
  const double start = left_;
  const double end = right_;
  const app::WiderScan scan = app::ScanWider(f_, start, end);
  const QString range = QStringLiteral("[%1; %2]").arg(Number(scan.left, 4), Number(scan.right, 4));
  QString outcome;
  if (scan.beyond.empty()) {
    outcome = QStringLiteral("И на %1 f не меняет знак за отрезком.").arg(range);
  } else {
    all_ = scan.all;
    left_ = scan.left;
    right_ = scan.right;
    Fill(scan.beyond, true);
    outcome =
        QStringLiteral("На %1 за отрезком найдено смен знака: %2; они в списке, ближние первыми.")
            .arg(range)
            .arg(scan.beyond.size());
  }
  note_->setText(outcome);
  note_->show();
  emit Searched(outcome);
}

}  // namespace ui
