// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/detail/basin_view.h"

#include <QAccessible>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStandardItemModel>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <algorithm>
#include <array>

#include "ui/charts/method_look.h"
#include "ui/error_boundary.h"
#include "ui/platform/background_job.h"
#include "ui/widgets/utf8_text.h"
#include "ui/widgets/wrapping_label.h"

namespace ui {

namespace {

// A new range waits this long for the next before its strip is computed:
// a wheel turn or a drag changes it many times a second.
constexpr int kSettleMilliseconds = 250;
// The coloured band's height in lines of the font.
constexpr double kBandLines = 1.4;
// Starts a Page Up or Page Down moves over.
constexpr std::size_t kPageOfStarts = 50;

struct Colours {
  QRgb on_light;
  QRgb on_dark;
};

// The roots in turn: blue, bluish green, sky blue, reddish purple, yellow and
// teal; on a dark background lighter where they need it.
constexpr std::array<Colours, 6> kRootColours = {{
    {qRgb(0x00, 0x72, 0xb2), qRgb(0x56, 0xb4, 0xe9)},
    {qRgb(0x00, 0x9e, 0x73), qRgb(0x2e, 0xc4, 0x9a)},
    {qRgb(0x56, 0xb4, 0xe9), qRgb(0x9c, 0xd6, 0xf5)},
    {qRgb(0xcc, 0x79, 0xa7), qRgb(0xe0, 0xa2, 0xc6)},
    {qRgb(0xf0, 0xe4, 0x42), qRgb(0xf0, 0xe4, 0x42)},
    {qRgb(0x44, 0xaa, 0x99), qRgb(0x6f, 0xd0, 0xbf)},
}};

Colours FateColours(app::StartFate fate) {
  switch (fate) {
    case app::StartFate::kCycle:
      return {qRgb(0xd5, 0x5e, 0x00), qRgb(0xff, 0x8c, 0x42)};
    case app::StartFate::kDiverges:
      return {qRgb(0x33, 0x33, 0x33), qRgb(0xe8, 0xe8, 0xe8)};
    case app::StartFate::kFToZeroFarAway:
      return {qRgb(0x99, 0x66, 0x33), qRgb(0xd2, 0xa0, 0x6e)};
    case app::StartFate::kNotARoot:
      return {qRgb(0x88, 0x22, 0x55), qRgb(0xe0, 0x7b, 0xb0)};
    case app::StartFate::kNoConvergence:
      return {qRgb(0xb0, 0xb0, 0xb0), qRgb(0x70, 0x70, 0x70)};
    case app::StartFate::kError:
    case app::StartFate::kRoot:
      break;
  }
  return {qRgb(0xe4, 0x1a, 0x1c), qRgb(0xff, 0x6b, 0x6b)};
}

}  // namespace

// The coloured band of the starts, aligned under the plot's own x-axis,
// and the legend of its colours under it.
class BasinBar : public QWidget {
 public:
  explicit BasinBar(QChartView& plot, QWidget* parent = nullptr) : QWidget(parent), plot_(plot) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAccessibleName(Name());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    FitHeight();
  }

  void SetStrip(const app::BasinStrip* strip) {
    strip_ = strip;
    focused_.reset();
    setAccessibleName(Name());
    setAccessibleDescription(strip_ != nullptr ? FromUtf8(app::BasinDescription(*strip_))
                                               : QString());
    FitHeight();
    update();
  }
  std::optional<std::size_t> Focused() const { return focused_; }

  int HeightAt(int width) const { return BandHeight() + LegendHeight(width); }

 protected:
  // The legend's rows follow the width; a fixed height, set anew with each
  // width, is what the plot's page lays out (it does not ask a child's
  // height for its width).
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    Guarded([this] { FitHeight(); });
  }
  void changeEvent(QEvent* event) override {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) Guarded([this] { FitHeight(); });
  }
  void paintEvent(QPaintEvent*) override {
    Guarded([this] { Paint(); });
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    Guarded([this, event] {
      const std::optional<std::size_t> start = StartAt(event->position().x());
      if (start && event->position().y() < BandHeight()) {
        QToolTip::showText(event->globalPosition().toPoint(),
                           FromUtf8(app::StartText(*strip_, *start)), this);
      } else {
        QToolTip::hideText();
      }
    });
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (strip_ == nullptr || strip_->starts.empty()) return QWidget::keyPressEvent(event);
    const std::size_t last = strip_->starts.size() - 1;
    const std::size_t at = focused_.value_or(StartAt(Span().center().x()).value_or(0));
    std::optional<std::size_t> to;
    switch (event->key()) {
      case Qt::Key_Left:
        to = at > 0 ? at - 1 : 0;
        break;
      case Qt::Key_Right:
        to = std::min(at + 1, last);
        break;
      case Qt::Key_PageUp:
        to = at > kPageOfStarts ? at - kPageOfStarts : 0;
        break;
      case Qt::Key_PageDown:
        to = std::min(at + kPageOfStarts, last);
        break;
      case Qt::Key_Home:
        to = 0;
        break;
      case Qt::Key_End:
        to = last;
        break;
      default:
        return QWidget::keyPressEvent(event);
    }
    Guarded([this, to] { Focus(*to); });
  }
  void focusInEvent(QFocusEvent* event) override {
    QWidget::focusInEvent(event);
    Guarded([this] {
      if (strip_ != nullptr && !strip_->starts.empty() && !focused_)
        Focus(StartAt(Span().center().x()).value_or(0));
    });
  }
  void focusOutEvent(QFocusEvent* event) override {
    QWidget::focusOutEvent(event);
    update();
  }

 private:
  void FitHeight() {
    const int height = HeightAt(std::max(width(), 1));
    if (height != this->height() || minimumHeight() != height) setFixedHeight(height);
  }
  static QString Name() { return QStringLiteral("Бассейны: куда ведёт каждое начальное значение"); }

  int BandHeight() const { return static_cast<int>(kBandLines * fontMetrics().height()); }

  // The legend's entries, laid out in rows within `width`.
  struct Entry {
    QRect swatch;
    QRect text;
    QString words;
    QColor colour;
  };
  std::vector<Entry> Legend(int width) const {
    std::vector<Entry> entries;
    if (strip_ == nullptr) return entries;
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.height();
    const int gap = metrics.averageCharWidth() * 2;
    int x = 0;
    int y = BandHeight() + line / 4;
    for (std::size_t i = 0; i < strip_->outcomes.size(); ++i) {
      const QString words = FromUtf8(app::OutcomeText(strip_->outcomes[i]));
      const int text_width = metrics.horizontalAdvance(words);
      const int entry_width = line + gap / 2 + text_width;
      if (x > 0 && x + entry_width > width) {
        x = 0;
        y += line;
      }
      entries.push_back({QRect(x, y + line / 6, line * 2 / 3, line * 2 / 3),
                         QRect(x + line + gap / 4, y, text_width, line), words, ColourOf(i)});
      x += entry_width + gap;
    }
    return entries;
  }
  int LegendHeight(int width) const {
    const std::vector<Entry> entries = Legend(width);
    if (entries.empty()) return fontMetrics().height() / 2;
    return entries.back().text.bottom() + 1 - BandHeight() + fontMetrics().height() / 4;
  }

  QColor ColourOf(std::size_t outcome) const {
    const app::BasinOutcome& basin = strip_->outcomes[outcome];
    Colours colours = FateColours(basin.fate);
    if (basin.fate == app::StartFate::kRoot) {
      std::size_t root = 0;
      for (std::size_t i = 0; i < outcome; ++i)
        root += strip_->outcomes[i].fate == app::StartFate::kRoot ? 1 : 0;
      colours = kRootColours[root % kRootColours.size()];
    }
    return QColor::fromRgb(IsDark(palette()) ? colours.on_dark : colours.on_light);
  }

  // The plot area's left and right edges in this widget, and the x-axis
  // range they show.
  QRectF Span() const {
    const QRectF area = plot_.chart()->plotArea();
    const QPoint left = mapFromGlobal(plot_.viewport()->mapToGlobal(
        plot_.mapFromScene(plot_.chart()->mapToScene(area.topLeft()))));
    const QPoint right = mapFromGlobal(plot_.viewport()->mapToGlobal(
        plot_.mapFromScene(plot_.chart()->mapToScene(area.topRight()))));
    return QRectF(QPointF(left.x(), 0), QPointF(right.x(), BandHeight()));
  }
  std::pair<double, double> AxisRange() const {
    if (const auto* axis =
            qobject_cast<const QValueAxis*>(plot_.chart()->axes(Qt::Horizontal).value(0)))
      return {axis->min(), axis->max()};
    return {0, 1};
  }
  double PixelOf(double x) const {
    const QRectF span = Span();
    const auto [low, high] = AxisRange();
    return span.left() + (x - low) / (high - low) * span.width();
  }
  std::optional<std::size_t> StartAt(double pixel) const {
    if (strip_ == nullptr || strip_->starts.empty()) return std::nullopt;
    const QRectF span = Span();
    if (pixel < span.left() || pixel > span.right()) return std::nullopt;
    const auto [low, high] = AxisRange();
    const double x = low + (pixel - span.left()) / span.width() * (high - low);
    if (x < strip_->left || x > strip_->right) return std::nullopt;
    return app::StartNearest(*strip_, x);
  }

  void Focus(std::size_t start) {
    focused_ = start;
    setAccessibleName(FromUtf8(app::StartText(*strip_, start)));
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
    update();
  }

  void Paint() {
    QPainter painter(this);
    const QRectF span = Span();
    painter.fillRect(QRectF(span.left(), 0, span.width(), BandHeight()),
                     palette().color(QPalette::AlternateBase));
    if (strip_ == nullptr) return;
    painter.setClipRect(QRectF(span.left(), 0, span.width(), BandHeight()));
    const double half =
        (strip_->right - strip_->left) / static_cast<double>(strip_->starts.size()) / 2;
    for (const app::BasinInterval& interval : strip_->intervals) {
      const double from = PixelOf(strip_->starts[interval.first] - half);
      const double to = PixelOf(strip_->starts[interval.last] + half);
      painter.fillRect(QRectF(QPointF(from, 0), QPointF(to, BandHeight())),
                       ColourOf(interval.outcome));
    }
    if (focused_) {
      const double x = PixelOf(strip_->starts[*focused_]);
      painter.setPen(QPen(palette().color(QPalette::Text), 3));
      painter.drawLine(QPointF(x, 0), QPointF(x, BandHeight()));
      painter.setPen(QPen(palette().color(QPalette::Base), 1));
      painter.drawLine(QPointF(x, 0), QPointF(x, BandHeight()));
    }
    painter.setClipping(false);
    if (hasFocus()) {
      painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
      painter.drawRect(QRectF(span.left(), 1, span.width(), BandHeight() - 2));
    }
    painter.setPen(palette().color(QPalette::Text));
    for (const Entry& entry : Legend(width())) {
      painter.fillRect(entry.swatch, entry.colour);
      painter.drawRect(entry.swatch);
      painter.drawText(entry.text, Qt::AlignLeft | Qt::AlignVCenter, entry.words);
    }
  }

  QChartView& plot_;
  const app::BasinStrip* strip_ = nullptr;
  std::optional<std::size_t> focused_;
};

BasinView::BasinView(std::shared_ptr<const app::RunRecord> run, std::uint8_t method,
                     QChartView& plot, QWidget* parent)
    : QWidget(parent), run_(std::move(run)), method_(method), plot_(plot) {
  caption_ = new WrappingLabel();
  caption_->setAccessibleName(QStringLiteral("Бассейны"));
  bar_ = new BasinBar(plot_);
  delay_ = new QTimer(this);
  delay_->setSingleShot(true);
  delay_->setInterval(kSettleMilliseconds);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(2);
  column->addWidget(bar_);
  column->addWidget(caption_);

  connect(delay_, &QTimer::timeout, this, [this] { Guarded([this] { Compute(); }); });
  if (auto* axis = qobject_cast<QValueAxis*>(plot_.chart()->axes(Qt::Horizontal).value(0))) {
    connect(axis, &QValueAxis::rangeChanged, this, [this] {
      // The old range's strip is of no use: stop it at once.
      if (job_) job_->Cancel();
      delay_->start();
    });
  }
  // The plot area moves when the window is laid out: the band follows it.
  connect(plot_.chart(), &QChart::plotAreaChanged, bar_, qOverload<>(&QWidget::update));
  Compute();
}

BasinView::~BasinView() = default;

bool BasinView::IsComputing() const {
  return job_ && job_->IsRunning();
}

QWidget* BasinView::Bar() const {
  return bar_;
}

void BasinView::Compute() {
  if (job_) job_->Cancel();
  double left = 0;
  double right = 1;
  if (const auto* axis =
          qobject_cast<const QValueAxis*>(plot_.chart()->axes(Qt::Horizontal).value(0))) {
    left = axis->min();
    right = axis->max();
  }
  range_ = {left, right};
  const QString computing = QStringLiteral("Считается, куда ведёт каждое начальное значение…");
  caption_->setText(computing);
  caption_->setAccessibleDescription(computing);
  job_ = RunInBackground<app::BasinStrip>(
      this,
      [run = run_, method = method_, left, right](app::JobControl& control) {
        return app::ComputeBasins(*run, method, left, right, app::kBasinStarts, control);
      },
      [this, computing](int done, int total) {
        const QString text = computing + QStringLiteral(" %1 из %2").arg(done).arg(total);
        caption_->setText(text);
        caption_->setAccessibleDescription(text);
      },
      [this, range = range_](std::optional<app::BasinStrip> strip) {
        // A strip of a range left meanwhile comes back cancelled, or late.
        if (strip && range == range_) ShowStrip(std::move(*strip));
      });
}

void BasinView::ShowStrip(app::BasinStrip strip) {
  strip_ = std::move(strip);
  bar_->SetStrip(&*strip_);
  const QString caption = FromUtf8(app::BasinCaption(*strip_));
  caption_->setText(caption);
  caption_->setAccessibleDescription(caption);
  emit Computed();
}

QAbstractItemModel* BasinView::NewTableModel(QObject* parent) const {
  if (!strip_) return nullptr;
  auto* model = new QStandardItemModel(parent);
  const std::vector<std::vector<std::string>> lines = app::BasinTable(*strip_);
  QStringList headers;
  for (const std::string& header : lines.front()) headers << FromUtf8(header);
  model->setHorizontalHeaderLabels(headers);
  for (std::size_t row = 1; row < lines.size(); ++row) {
    QList<QStandardItem*> items;
    for (const std::string& cell : lines[row]) items << new QStandardItem(FromUtf8(cell));
    model->appendRow(items);
  }
  return model;
}

}  // namespace ui
