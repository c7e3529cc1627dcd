// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/detail/pass_replay_bar.h"

#include <QAccessible>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "ui/error_boundary.h"

namespace ui {

namespace {

struct PlaySpeed {
  const char* text;
  int milliseconds;  // between two passes
};
constexpr PlaySpeed kSpeeds[] = {
    {"1 проход в секунду", 1000},
    {"2 прохода в секунду", 500},
    {"5 проходов в секунду", 200},
    {"20 проходов в секунду", 50},
};
constexpr int kUsualSpeed = 1;

QString PassOf(std::int32_t n, std::int32_t last) {
  return QStringLiteral("проход %1 из %2").arg(n).arg(last);
}

}  // namespace

PassReplayBar::PassReplayBar(std::int32_t first, std::int32_t last, QWidget* parent)
    : QWidget(parent), first_(first), last_(std::max(first, last)) {
  previous_ = new QToolButton();
  previous_->setText(QStringLiteral("◀"));
  previous_->setAccessibleName(QStringLiteral("Предыдущий проход"));
  previous_->setToolTip(QStringLiteral("Предыдущий проход (←)"));
  label_ = new QLabel(PassOf(last_, last_));
  label_->setTextFormat(Qt::PlainText);
  label_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  label_->setAccessibleName(QStringLiteral("Проход"));
  label_->setAccessibleDescription(label_->text());
  // Wide enough for the longest text, so that the bar does not jump.
  label_->setMinimumWidth(label_->fontMetrics().horizontalAdvance(PassOf(last_, last_)) +
                          label_->fontMetrics().averageCharWidth());
  next_ = new QToolButton();
  next_->setText(QStringLiteral("▶"));
  next_->setAccessibleName(QStringLiteral("Следующий проход"));
  next_->setToolTip(QStringLiteral("Следующий проход (→)"));
  slider_ = new QSlider(Qt::Horizontal);
  slider_->setRange(first_, last_);
  slider_->setValue(last_);
  slider_->setPageStep(std::max(1, (last_ - first_) / 10));
  slider_->setAccessibleName(QStringLiteral("Проход %1 из %2").arg(last_).arg(last_));
  slider_->setToolTip(QStringLiteral("Проход: ←, →, Home — первый, End — последний"));
  play_ = new QToolButton();
  play_->setText(QStringLiteral("Пуск"));
  play_->setAccessibleName(QStringLiteral("Показать проходы по очереди"));
  speed_ = new QComboBox();
  for (const PlaySpeed& speed : kSpeeds) speed_->addItem(QString::fromUtf8(speed.text));
  speed_->setCurrentIndex(kUsualSpeed);
  speed_->setAccessibleName(QStringLiteral("Скорость показа"));
  timer_ = new QTimer(this);
  previous_->setEnabled(last_ > first_);
  next_->setEnabled(false);

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(previous_);
  row->addWidget(label_);
  row->addWidget(next_);
  row->addWidget(slider_, 1);
  row->addWidget(play_);
  row->addWidget(speed_);

  connect(previous_, &QToolButton::clicked, this, [this] { SetPass(Pass() - 1); });
  connect(next_, &QToolButton::clicked, this, [this] { SetPass(Pass() + 1); });
  connect(slider_, &QSlider::valueChanged, this,
          [this](int n) { Guarded([this, n] { Show(n); }); });
  connect(play_, &QToolButton::clicked, this, [this] { IsPlaying() ? Pause() : Play(); });
  connect(speed_, &QComboBox::currentIndexChanged, this, [this](int index) {
    timer_->setInterval(
        kSpeeds[std::clamp(index, 0, static_cast<int>(std::size(kSpeeds)) - 1)].milliseconds);
  });
  timer_->setInterval(kSpeeds[kUsualSpeed].milliseconds);
  connect(timer_, &QTimer::timeout, this, [this] { Guarded([this] { Step(); }); });
  // The slider knows Home and End itself; the buttons beside it too.
  for (const auto& [key, to_last] :
       {std::pair(Qt::Key_Home, false), std::pair(Qt::Key_End, true)}) {
    auto* shortcut = new QShortcut(QKeySequence(key), this);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this,
            [this, to_last = to_last] { SetPass(to_last ? last_ : first_); });
  }
}

std::int32_t PassReplayBar::Pass() const {
  return slider_->value();
}

void PassReplayBar::SetPass(std::int32_t n) {
  slider_->setValue(std::clamp(n, first_, last_));
}

void PassReplayBar::Show(std::int32_t n) {
  label_->setText(PassOf(n, last_));
  label_->setAccessibleDescription(label_->text());
  previous_->setEnabled(n > first_);
  next_->setEnabled(n < last_);
  emit PassChanged(n);
}

void PassReplayBar::Announce(const QString& text) {
  slider_->setAccessibleName(QStringLiteral("Проход %1 из %2").arg(Pass()).arg(last_));
  slider_->setAccessibleDescription(text);
  QAccessibleEvent name(slider_, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&name);
  QAccessibleEvent description(slider_, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&description);
}

void PassReplayBar::Play() {
  if (Pass() >= last_) SetPass(first_);
  play_->setText(QStringLiteral("Пауза"));
  play_->setAccessibleName(QStringLiteral("Остановить показ"));
  timer_->start();
}

void PassReplayBar::Pause() {
  timer_->stop();
  play_->setText(QStringLiteral("Пуск"));
  play_->setAccessibleName(QStringLiteral("Показать проходы по очереди"));
}

bool PassReplayBar::IsPlaying() const {
  return timer_->isActive();
}

void PassReplayBar::Step() {
  SetPass(Pass() + 1);
  if (Pass() >= last_) Pause();
}

}  // namespace ui
