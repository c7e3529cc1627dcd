// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and shut-down of the program's windows, shared by main() and the
// window tests so that both run the same sequence.
#pragma once

namespace ui {

// Before the toolkit starts: the program's floating-point environment and the
// user's decimal separator; and, until StartProgram, one line and status 1
// instead of the toolkit's abort when no display can be opened
// (ui/platform/display_guard.h).
void PrepareProcess();

// Once the toolkit has started, whose start-up may have touched the
// floating-point settings: the environment again, the application's identity
// and the four windows.
void StartProgram();

// The application's identity: the window class and desktop file name by
// which the desktop finds the program's entry (and so its title), and the
// icon of the title bars and the task bar. Only the main window decides when
// the program ends.
void SetApplicationIdentity();

// Creates the four windows, hidden, in this order: Form1 (the main window),
// AboutBox, Form4 (the splash), Form2 (the help window).
void CreateWindows();

// Asks the event loop to show the main window once it runs.
void ShowMainWindowFromEventLoop();

// Destroys the four windows, the main window last.
void DestroyWindows();

}  // namespace ui
