// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/file_chooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <optional>
#include <string_view>

#include "app/safe_file.h"
#include "core/errors.h"
#include "ui/platform/modal_dialog.h"
#include "ui/platform/nested_loop.h"

namespace ui {

namespace {

// "png" of "PNG (*.png)"; empty for a filter without one.
QString ExtensionOf(const QString& filter) {
  const qsizetype star = filter.indexOf(QStringLiteral("*."));
  if (star < 0) return QString();
  const qsizetype end = filter.indexOf(QLatin1Char(')'), star);
  return filter.mid(star + 2, end < 0 ? -1 : end - star - 2);
}

QString AskWithFileDialog(QWidget* parent, const QString& caption, const QString& file_name,
                          const QStringList& filters, QString* filter) {
  auto* dialog = new QFileDialog(parent, caption, file_name, filters.join(QStringLiteral(";;")));
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  if (filter != nullptr && !filter->isEmpty()) dialog->selectNameFilter(*filter);
  // The dialog adds the extension itself, so that it asks about replacing the
  // very file that is written.
  dialog->setDefaultSuffix(ExtensionOf(dialog->selectedNameFilter()));
  QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString& chosen) {
    dialog->setDefaultSuffix(ExtensionOf(chosen));
  });
  QString path;
  RunModalDialog<QFileDialog>(dialog, [&path, filter](QFileDialog& chosen, int result) {
    if (result != QDialog::Accepted) return;
    path = chosen.selectedFiles().value(0);
    if (filter != nullptr) *filter = chosen.selectedNameFilter();
  });
  return path;
}

bool AskToReplace(QWidget* parent, const QString& path) {
  auto* box = new QMessageBox(
      QMessageBox::Warning, QStringLiteral("Сохранение"),
      QStringLiteral("Файл «%1» уже существует.\nЗаменить его?").arg(QFileInfo(path).fileName()),
      QMessageBox::Yes | QMessageBox::No, parent);
  box->setTextFormat(Qt::PlainText);
  box->setDefaultButton(QMessageBox::No);
  return RunModalDialog(box) == QMessageBox::Yes;
}

SaveFileChooser& Chooser() {
  static SaveFileChooser chooser = AskWithFileDialog;
  return chooser;
}

ReplaceQuestion& Question() {
  static ReplaceQuestion question = AskToReplace;
  return question;
}

[[noreturn]] void RaiseCannotCreate(const QString& path, const QString& reason) {
  throw core::EFOpenError("Cannot create file \"", path.toStdString(),
                          "\". " + reason.toStdString());
}

}  // namespace

QString ChooseFileToSave(QWidget* parent, const QString& caption, const QString& file_name,
                         const QStringList& filters, QString* filter) {
  QString chosen_filter = filter != nullptr ? *filter : QString();
  QString path;
  {
    const NestedLoopScope loop;
    path = Chooser()(parent, caption, file_name, filters, &chosen_filter);
  }
  if (path.isEmpty()) return path;
  if (filter != nullptr) *filter = chosen_filter;
  const QString written =
      WithExtension(path, chosen_filter.isEmpty() ? filters.value(0) : chosen_filter);
  // The dialog asked, if at all, about the name without the extension.
  if (written != path && QFileInfo::exists(written)) {
    const NestedLoopScope loop;
    if (!Question()(parent, written)) return QString();
  }
  return written;
}

void SetSaveFileChooser(SaveFileChooser chooser) {
  Chooser() = std::move(chooser);
}

void SetReplaceQuestion(ReplaceQuestion question) {
  Question() = std::move(question);
}

void RestoreDefaultSaveFileChooser() {
  Chooser() = AskWithFileDialog;
  Question() = AskToReplace;
}

QString WithExtension(const QString& path, const QString& filter) {
  const QString extension = ExtensionOf(filter);
  if (extension.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
  return path + QLatin1Char('.') + extension;
}

void SaveFile(const QString& path, const QByteArray& bytes) {
  app::WriteFileSafely(FileNameBytes(path), std::string_view(bytes.constData(), bytes.size()));
}

std::string FileNameBytes(const QString& path) {
  const QByteArray bytes = QFile::encodeName(path);
  if (path.contains(QChar::ReplacementCharacter) || QFile::decodeName(bytes) != path)
    RaiseCannotCreate(path, QStringLiteral("The name cannot be written in the system's encoding"));
  return bytes.toStdString();
}

}  // namespace ui
