// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/program_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "app/help_file.h"

namespace ui {

namespace {

QString TranslationsDirectory() {
  return QString::fromStdString((app::InstalledDataDirectory() / "translations").string());
}

// The user's language as the locale names it: LC_ALL, LC_MESSAGES, LANG or
// LANGUAGE, whether or not the system has that locale generated.
bool LoadProgramTranslation(QTranslator& translator) {
  return translator.load(QLocale::system(), QStringLiteral("nonlinear-equations"),
                         QStringLiteral("_"), TranslationsDirectory());
}

}  // namespace

void InstallUserLanguage() {
  auto* ours = new QTranslator(QCoreApplication::instance());
  if (LoadProgramTranslation(*ours)) {
    QCoreApplication::installTranslator(ours);
  } else {
    delete ours;
  }
  auto* qt = new QTranslator(QCoreApplication::instance());
  if (qt->load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
               QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(qt);
  } else {
    delete qt;
  }
}

QString UserLanguageText(const char* context, const char* source) {
  QTranslator translator;
  if (LoadProgramTranslation(translator)) {
    const QString text = translator.translate(context, source);
    if (!text.isEmpty()) return text;
  }
  return QString::fromUtf8(source);
}

}  // namespace ui
