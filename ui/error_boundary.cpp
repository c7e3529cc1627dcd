// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/error_boundary.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTextDocument>
#include <QTextOption>
#include <QWidget>
#include <algorithm>
#include <string_view>

#include "app/error_report.h"
#include "core/errors.h"
#include "ui/platform/modal_dialog.h"
#include "ui/widgets/text_view.h"
#include "ui/widgets/utf8_text.h"

namespace ui {

namespace {

// What a report shows: the text, the caption, and the part of the text that
// the message quotes.
struct Report {
  QString text;
  QString caption;
  IsolatedPart quoted;
};

using Presenter = std::function<void(const Report&)>;

// The longest message that the box's label is even asked to measure; a longer
// one goes to the scrolled view at once.
constexpr qsizetype kMaxLabelLength = 4096;

// The width at which a message box wraps a long text, at its narrowest.
int WrapWidth(const QRect& screen) {
  return std::min(500, screen.width() / 2);
}

// Whether the box's own label can show the text well inside the screen:
// measured wrapping anywhere at the narrowest width the box wraps at, within
// half the screen's height, which leaves room for the label wrapping at word
// boundaries instead.
bool FitsInLabel(const QString& text, const QFont& font, const QRect& screen) {
  if (text.size() > kMaxLabelLength) return false;
  const QRect needed = QFontMetrics(font).boundingRect(
      QRect(0, 0, WrapWidth(screen), screen.height()), Qt::TextWrapAnywhere, text);
  return needed.height() <= screen.height() / 2;
}

// A text too long for the label goes, in the label's place, into a scrolled
// view that lays out only what it shows, a third of the screen high: the box
// stays inside the screen with its button in reach.
void ShowInScrolledView(QMessageBox& box, const QString& text, IsolatedPart quoted,
                        const QRect& screen) {
  auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (label == nullptr || grid == nullptr) {  // a toolkit that builds its box otherwise
    box.setText(WithIsolatedPart(text, quoted));
    return;
  }
  int row = 0, column = 0, rows = 0, columns = 0;
  grid->getItemPosition(grid->indexOf(label), &row, &column, &rows, &columns);
  auto* view = new TextView(&box);
  view->SetText(text, quoted);
  view->setTabChangesFocus(true);
  view->setFixedSize(WrapWidth(screen), screen.height() / 3);
  label->hide();
  grid->addWidget(view, row, column, rows, columns);
}

// The box lives on the heap and goes after its loop: on the stack, it would be
// freed by its parent window if that went first.
// The box reads left to right in the program's language, whatever the quoted
// text holds. Qt takes a paragraph's direction from its first strong
// character, isolated or not: a right-to-left mark or a Hebrew letter in the
// quoted input would turn the whole message round. So the direction is set,
// on the box and on the documents of its label and scrolled view.
void KeepLeftToRight(QMessageBox& box) {
  box.setLayoutDirection(Qt::LeftToRight);
  for (QTextDocument* document : box.findChildren<QTextDocument*>()) {
    QTextOption option = document->defaultTextOption();
    option.setTextDirection(Qt::LeftToRight);
    document->setDefaultTextOption(option);
  }
}

void ShowMessageBox(const Report& report) {
  auto* box = new QMessageBox(QMessageBox::Critical, report.caption, QString(), QMessageBox::Ok,
                              QApplication::activeWindow());
  box->setWindowModality(Qt::ApplicationModal);
  box->setTextFormat(Qt::PlainText);
  // A NUL cannot show as itself; the replacement character stands in its
  // place, one for one, so the quoted part stays where it was.
  QString shown = report.text;
  shown.replace(QChar(0), QChar::ReplacementCharacter);
  const QRect screen = box->screen()->availableGeometry();
  if (FitsInLabel(shown, box->font(), screen)) {
    box->setText(WithIsolatedPart(shown, report.quoted));
  } else {
    ShowInScrolledView(*box, shown, report.quoted, screen);
  }
  KeepLeftToRight(*box);
  RunModalDialog(box);
}

Presenter& CurrentPresenter() {
  static Presenter presenter = ShowMessageBox;
  return presenter;
}

// The message in UTF-8 with the quoted part at bytes [quoted_begin,
// quoted_end).
void Present(std::string_view message, std::size_t quoted_begin, std::size_t quoted_end) {
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  const QString text = FromUtf8(app::ReportText(message));
  // The quoted part lies between ASCII quotes, so it and what precedes it
  // decode on their own to exactly their share of the whole.
  const qsizetype begin = FromUtf8(message.substr(0, quoted_begin)).size();
  const qsizetype end =
      begin + FromUtf8(message.substr(quoted_begin, quoted_end - quoted_begin)).size();
  const QString caption = FromUtf8(app::kApplicationTitle);
  CurrentPresenter()({text, caption, {begin, end}});
}

}  // namespace

void ReportError(const std::exception& error) {
  if (const auto* ours = dynamic_cast<const core::Exception*>(&error)) {
    Present(ours->Message(), ours->QuotedBegin(), ours->QuotedEnd());
  } else {
    Present(error.what(), 0, 0);
  }
}

void ReportError(const std::string& message) {
  Present(message, 0, 0);
}

void SetErrorPresenter(ErrorPresenter presenter) {
  CurrentPresenter() = [presenter = std::move(presenter)](const Report& report) {
    presenter(report.text, report.caption);
  };
}

void RestoreDefaultErrorPresenter() {
  CurrentPresenter() = ShowMessageBox;
}

}  // namespace ui
