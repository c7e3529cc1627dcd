// SPDX-License-Identifier: GPL-3.0-or-later
// The one place where the program asks for a file name to save to, so that
// tests can answer instead of a modal file dialog.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace ui {

// Returns the chosen path (empty when the user cancels) and sets *filter to
// the chosen one of `filters` ("PNG (*.png)").
using SaveFileChooser =
    std::function<QString(QWidget* parent, const QString& caption, const QString& file_name,
                          const QStringList& filters, QString* filter)>;

QString ChooseFileToSave(QWidget* parent, const QString& caption, const QString& file_name,
                         const QStringList& filters, QString* filter);
void SetSaveFileChooser(SaveFileChooser chooser);
void RestoreDefaultSaveFileChooser();

// Writes the bytes to the file whole or not at all; raises EFOpenError
// "Cannot create file \"<path>\". <reason>" when it cannot.
void SaveFile(const QString& path, const QByteArray& bytes);

}  // namespace ui
