// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's own language: its help, usage errors and hints are in
// Russian under a Russian locale and in English otherwise, through Qt's
// translations (translations/*.ts, compiled when the program is built and
// installed beside help.txt). The results stay Russian whatever the locale,
// and so do the windows.
#pragma once

#include <QString>

namespace ui {

// Installs the program's translation and Qt's own (QCommandLineParser's
// texts) for the user's language into the running application.
void InstallUserLanguage();

// `source` in the user's language where no application runs yet (the
// toolkit failed to start): looked up in the program's translation directly.
QString UserLanguageText(const char* context, const char* source);

}  // namespace ui
