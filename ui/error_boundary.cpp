#include "ui/error_boundary.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include "app/error_report.h"

namespace ui {

namespace {

void ShowMessageBox(const QString& text, const QString& caption) {
  QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

ErrorPresenter& Presenter() {
  static ErrorPresenter presenter = ShowMessageBox;
  return presenter;
}

}  // namespace

void ReportError(const std::string& message) {
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  const QString text = QString::fromStdString(app::ReportText(message));
  const QString caption = QString::fromUtf8(app::kApplicationTitle.data(),
                                            static_cast<qsizetype>(app::kApplicationTitle.size()));
  Presenter()(text, caption);
}

void SetErrorPresenter(ErrorPresenter presenter) { Presenter() = std::move(presenter); }
void RestoreDefaultErrorPresenter() { Presenter() = ShowMessageBox; }

}  // namespace ui
