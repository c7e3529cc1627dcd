// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own texts in Russian once qtbase_ru is loaded: the buttons of the
// file dialog, the edit boxes' context menu, and the compute command's
// shortcut as the menu shows it.
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include "core/floating_point_environment.h"
#include "tests/ui/window_test_support.h"
#include "ui/Unit1.h"
#include "ui/Unit4.h"
#include "ui/platform/qt_translations.h"
#include "ui/start_up.h"

class QtTranslationsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    window_test::QuietOffscreenLimitations();
    const QString file =
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ru.qm");
    if (!QFile::exists(file)) QSKIP("qt6-translations-l10n is not installed");
    QVERIFY(ui::LoadQtTranslations());
  }

  void theFileDialogSpeaksRussian() {
    QFileDialog dialog(nullptr, QStringLiteral("Сохранить график"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.show();
    QStringList texts;
    for (const QAbstractButton* button : dialog.findChild<QDialogButtonBox*>()->buttons())
      texts << button->text().remove('&');
    texts.sort();
    QCOMPARE(texts, QStringList({"Отмена", "Сохранить"}));
  }

  void theEditMenuSpeaksRussian() {
    QLineEdit edit(QStringLiteral("1"));
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) texts << action->text().remove('&');
    QVERIFY2(texts.join('|').contains("Выделить всё"), qPrintable(texts.join('|')));
  }

  void theMenuShowsCtrlEnter() {
    core::EstablishFloatingPointEnvironment();
    SetSplashSleep([](int) {});
    ui::CreateWindows();
    const QString shown = Form1->N4->shortcut().toString(QKeySequence::NativeText);
    ui::DestroyWindows();
    QCOMPARE(shown, QStringLiteral("Ctrl+Enter"));
  }
};

QTEST_MAIN(QtTranslationsTest)
#include "qt_translations_test.moc"
