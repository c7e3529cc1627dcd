// SPDX-License-Identifier: GPL-3.0-or-later
// The one place where the program asks for a file name to save to, so that
// tests can answer instead of a modal file dialog. The name it returns is the
// name that is written: with the chosen filter's extension, and asked about
// when it names an existing file that the dialog did not ask about.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <string>

class QWidget;

namespace ui {

// Returns the chosen path (empty when the user cancels) and sets *filter to
// the chosen one of `filters` ("PNG (*.png)").
using SaveFileChooser =
    std::function<QString(QWidget* parent, const QString& caption, const QString& file_name,
                          const QStringList& filters, QString* filter)>;
// Whether the user agrees to replace the existing file `path`.
using ReplaceQuestion = std::function<bool(QWidget* parent, const QString& path)>;

// The path to write (empty when the user cancels or declines to replace):
// the chooser's answer, with the extension of the chosen filter (or else the
// first) when it has none.
QString ChooseFileToSave(QWidget* parent, const QString& caption, const QString& file_name,
                         const QStringList& filters, QString* filter);
void SetSaveFileChooser(SaveFileChooser chooser);
void SetReplaceQuestion(ReplaceQuestion question);
void RestoreDefaultSaveFileChooser();  // and the default question

// `path` with the extension that `filter` ("PNG (*.png)") gives, unless it
// has one.
QString WithExtension(const QString& path, const QString& filter);

// Writes the bytes to the file whole or not at all, through app::WriteFileSafely
// (a file it replaces keeps its permissions; anything but a regular file is
// refused). Raises EFOpenError "Cannot create file \"<path>\". <reason>" when
// it cannot.
void SaveFile(const QString& path, const QByteArray& bytes);

// The system's bytes of a file name. A name that has none is refused with
// EFOpenError rather than written under another name: one holding U+FFFD,
// which stands for bytes that were no text when a name was read (two such
// names would meet in one file), or half of a surrogate pair.
std::string FileNameBytes(const QString& path);

}  // namespace ui
