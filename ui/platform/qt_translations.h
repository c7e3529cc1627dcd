// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own texts in Russian, as the rest of the program: the buttons of the
// file dialog, the edit boxes' context menu, the names of keys in shortcuts
// and what screen readers hear of Qt's controls. The translations come with
// Qt (the qt6-translations-l10n package); without them the texts stay English.
#pragma once

namespace ui {

// Loads qtbase_ru from Qt's translations folder; false when it is missing.
bool LoadQtTranslations();

}  // namespace ui
