// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the equation list, the five inputs, the results table, the
// status bar, the progress bar, the menu and the toolbar. Its compute command
// runs the comparison of app/comparison_run.h on these very widgets: the
// window is the ComparisonWindow that the run reads its inputs from and
// writes its results to. Its first showing plays the splash sequence, and
// closing it ends the program.
//
// The controls by design name (also each one's objectName) and role:
//   ComboBox1      the equation; its index is the equation number
//   Edit1          start a                         app::Input::kStart
//   Edit2          precision eps; its length sets  app::Input::kPrecision
//                  the decimals of the roots
//   Edit11         end b                           app::Input::kEnd
//   Edit3, Edit4   the coefficients k and l        app::Input::kK, kL
//   SpeedButton1, ToolButton1, N4   compute        Button1Click
//   OwnEquationItem                 own equation   OwnEquationClick (Ctrl+N)
//   PrintItem                       print report   (Ctrl+P)
//   ToolButton2, N3                 help window    N3Click
//   N9                              About box      N9Click
//   ToolButton3, N2                 close          N2Click
//   StringGrid1    results: method name, root, iteration count; row 0 and
//                  column 0 are headers; a method's row opens its detail
//                  window (DetailOpener)
//   StatusBar1     its one panel (StatusPanel) names the fastest method
//   ProgressBar1   methods done, shown only while a comparison runs
//   Label2..Label7 captions of Edit1, ComboBox1, Edit2, Edit11, Edit3, Edit4;
//                  Label1 is an empty bold label
//   GroupBox1 holds the inputs; PageControl1's one page TabSheet1
//   ("коэффициенты") holds Edit3 and Edit4; MainMenu1 has the menus N1
//   ("Программа": N4, N2) and N8 ("Справка": N3, N9) as designed, and after
//   them ToolsMenu ("Сервис": OwnEquationItem, PrintItem), which holds the
//   commands added to the design; ToolBar1's gaps are ToolButton4 to
//   ToolButton6, and ImageList1 holds its three pictures.
#pragma once

#include <QIcon>
#include <QMainWindow>
#include <array>
#include <cstdint>
#include <string>

#include "app/comparison_run.h"
#include "ui/comparison_widgets.h"
#include "ui/widgets/placement.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QToolButton;

namespace ui {
class DetailOpener;
class OwnEquationWindow;
class ResultsGrid;
class StatusPanel;
class ToolBar;
}  // namespace ui

class TForm1 : public QMainWindow, public ui::ComparisonWidgets {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);

  // The controls, named and ordered as in the design. The window owns them.
  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QLabel* Label1;
  QGroupBox* GroupBox1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QComboBox* ComboBox1;
  QMenuBar* MainMenu1;
  QMenu* N1;
  QAction* N2;
  QMenu* N8;
  QAction* N9;
  ui::ResultsGrid* StringGrid1;
  QLineEdit* Edit11;
  QLabel* Label5;
  QPushButton* SpeedButton1;
  QStatusBar* StatusBar1;
  QTabWidget* PageControl1;
  QWidget* TabSheet1;
  QLabel* Label6;
  QLineEdit* Edit3;
  QLabel* Label7;
  QLineEdit* Edit4;
  QAction* N3;
  QProgressBar* ProgressBar1;
  QAction* N4;
  ui::ToolBar* ToolBar1;
  QToolButton* ToolButton1;
  QToolButton* ToolButton2;
  QToolButton* ToolButton3;
  QWidget* ToolButton4;
  QWidget* ToolButton5;
  std::array<QIcon, 3> ImageList1;
  QWidget* ToolButton6;
  // The status bar's only panel.
  ui::StatusPanel* StatusPanel;
  // Opens a method's detail window from a row of the results table.
  ui::DetailOpener* DetailOpener;
  // The third menu, "Сервис", after the designed two: "Своё уравнение…" and
  // the window it opens (created at its first opening), then "Печать…".
  QMenu* ToolsMenu;
  QAction* OwnEquationItem;
  QAction* PrintItem;
  ui::OwnEquationWindow* OwnEquation = nullptr;

  // The design's methods, in its order. The handlers (the ...Click methods,
  // FormCreate, FormShow) take the object that raised the event and ignore
  // it. f, f_ and run are no handlers: they are the equation catalogue and
  // the root-finding routine bound to this window's equation list and
  // coefficients. The comparison run calls core::run itself, so nothing in
  // the program calls these three; they stay as the window's published
  // methods.
  void Button1Click(QObject* Sender);
  double f(std::uint8_t equation, double x);
  double f_(std::uint8_t equation, double x);
  void FormCreate(QObject* Sender);
  void N2Click(QObject* Sender);
  void N9Click(QObject* Sender);
  void FormShow(QObject* Sender);
  std::int32_t run(std::uint8_t method, double& root, double a, double eps, double b);
  void N3Click(QObject* Sender);
  void OwnEquationClick(QObject* Sender);

  // What the comparison run and the root-finding methods use of the window
  // beyond its table, status bar and progress bar (ui::ComparisonWidgets).
  std::uint8_t SelectedEquation() const override;
  std::string PrecisionText() const override;
  std::string InputText(app::Input input) const override;

  // Showing a hidden window runs FormShow first; the first showing also
  // places the window centred on the desktop. The focus goes to Edit1.
  void setVisible(bool visible) override;

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  using Handler = void (TForm1::*)(QObject*);

  void CreateMenu();
  void CreateToolBar(QWidget* client);
  void CreateGroupBox(QWidget* client);
  void CreatePageControl();
  void CreateStatusBar();
  void LayOutClientArea(QWidget* client);
  void SetTabOrder();
  void NameControls();
  void WireCommands();

  template <typename Sender, typename Signal>
  void Wire(Sender* sender, Signal signal, Handler handler);
  // Runs a handler the way the event loop runs every handler: an error that
  // escapes it is reported and the loop goes on.
  void Dispatch(Handler handler, QObject* sender);
  void PlaceAtFirstShowing();
  void EndProgramIfRequested();

  app::ComparisonRun comparison_;
  ui::PlaceOnce first_place_;
  // Closing the window requests the end of the program; a comparison run that
  // is processing messages completes first, with the window on the screen.
  bool program_end_requested_ = false;
};

extern TForm1* Form1;

// The shared state of the main window's unit: the coefficients k and l that
// the equations read, and the root variable that run() writes.
extern app::SharedState MainUnitState;
