// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/file_chooser.h"

#include <QFileDialog>
#include <QSaveFile>

#include "core/errors.h"

namespace ui {

namespace {

QString AskWithFileDialog(QWidget* parent, const QString& caption, const QString& file_name,
                          const QStringList& filters, QString* filter) {
  return QFileDialog::getSaveFileName(parent, caption, file_name,
                                      filters.join(QStringLiteral(";;")), filter);
}

SaveFileChooser& Chooser() {
  static SaveFileChooser chooser = AskWithFileDialog;
  return chooser;
}

[[noreturn]] void RaiseCannotCreate(const QString& path, const QString& reason) {
  throw core::EFOpenError(("Cannot create file \"" + path + "\". " + reason).toStdString());
}

}  // namespace

QString ChooseFileToSave(QWidget* parent, const QString& caption, const QString& file_name,
                         const QStringList& filters, QString* filter) {
  return Chooser()(parent, caption, file_name, filters, filter);
}

void SetSaveFileChooser(SaveFileChooser chooser) {
  Chooser() = std::move(chooser);
}

void RestoreDefaultSaveFileChooser() {
  Chooser() = AskWithFileDialog;
}

void SaveFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) RaiseCannotCreate(path, file.errorString());
  if (file.write(bytes) != bytes.size() || !file.commit())
    RaiseCannotCreate(path, file.errorString());
}

}  // namespace ui
