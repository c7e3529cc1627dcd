// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit's own options (-platform, -style, …), which reach the toolkit
// whether the program opens its windows or runs from the command line.
#pragma once

#include <QStringList>

namespace ui {

// The arguments after the program's name without the toolkit's options and
// their values. "--title" is the program's own (the handout's title); the
// toolkit's window title is "-title".
QStringList WithoutQtOptions(const QStringList& arguments);

// Whether the arguments ask for the command line: anything beyond the
// toolkit's own options. Without any, the program starts its windows.
bool IsCommandLine(int argc, char* argv[]);

}  // namespace ui
