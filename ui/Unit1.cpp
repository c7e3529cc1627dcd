// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Unit1.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>
#include <string_view>

#include "app/number_text.h"
#include "app/table_window.h"
#include "core/equations.h"
#include "core/method_table.h"
#include "core/root_finding.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit4.h"
#include "ui/detail/detail_opener.h"
#include "ui/error_boundary.h"
#include "ui/own_equation/own_equation_window.h"
#include "ui/report/print_command.h"
#include "ui/report/run_report.h"
#include "ui/widgets/bevel_panel.h"
#include "ui/widgets/block_progress_bar.h"
#include "ui/widgets/design_look.h"
#include "ui/widgets/design_names.h"
#include "ui/widgets/placement.h"
#include "ui/widgets/results_grid.h"
#include "ui/widgets/status_panel.h"
#include "ui/widgets/steady_cursor.h"
#include "ui/widgets/tool_bar.h"
#include "ui/widgets/utf8_text.h"
#include "ui/widgets/window_frame.h"

TForm1* Form1 = nullptr;
app::SharedState MainUnitState;

namespace {

using ui::FromUtf8;

// The design's client area; the menu bar comes on top of it.
constexpr int kClientWidth = 541;
constexpr int kClientHeight = 356;
constexpr int kGroupBoxHeight = 167;
constexpr int kStatusBarHeight = 19;
// The design's table and progress bar: the header row and a row for each
// of the four methods, and a step for each.
constexpr int kGridColumns = 3;
constexpr int kGridRows = 5;
constexpr int kProgressMaximum = 5;
static_assert(kGridRows == core::MethodSet::Specified().size() + 1);
static_assert(kProgressMaximum == core::MethodSet::Specified().size() + 1);
constexpr int kListItemHeight = 13;
constexpr int kListVisibleItems = 6;

QFont CaptionFont() {
  QFont font = ui::DesignFont(11, true);
  font.setUnderline(true);
  return font;
}

// A label sized to its text at the design font. A label that names an input
// is its buddy: screen readers then name the input after the label.
QLabel* NewLabel(QWidget* parent, QPoint position, const QString& text, const QFont& font,
                 QWidget* buddy = nullptr) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  label->setTextFormat(Qt::PlainText);
  label->setFont(font);
  ui::SetColours(*label, {{QPalette::WindowText, ui::Navy()}});
  label->move(position);
  label->adjustSize();
  return label;
}

// Items of one fixed height in a drop-down list.
class FixedHeightItems : public QStyledItemDelegate {
 public:
  FixedHeightItems(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
  }

 private:
  const int height_;
};

// A drop-down list with a flat face (a one-pixel shadow line instead of the
// style's gradient) that shows `visible_items` items of `item_height` at a
// time. The style draws a non-editable list as a menu of all its items and
// ignores the count; as a scrolling list ("combobox-popup: 0") it honours it.
void MakeFlatList(QComboBox& list, int item_height, int visible_items) {
  list.setMaxVisibleItems(visible_items);
  list.setItemDelegate(new FixedHeightItems(item_height, &list));
  // A style sheet's colours replace the palette's, so it names all it uses,
  // for the face and for the dropped-down items.
  const QPalette colours = list.palette();
  const QString face = colours.color(QPalette::Button).name();
  const QString text = colours.color(QPalette::ButtonText).name();
  const QString selection = QStringLiteral("selection-background-color: %1; selection-color: %2;")
                                .arg(colours.color(QPalette::Highlight).name(),
                                     colours.color(QPalette::HighlightedText).name());
  // With the focus the line takes the selection colour, as an edit box's
  // frame does.
  list.setStyleSheet(
      QStringLiteral("QComboBox { combobox-popup: 0; border: 1px solid %1; padding-left: 2px;"
                     " background: %2; color: %3; %4 }"
                     " QComboBox:focus { border-color: %5; }"
                     " QComboBox QAbstractItemView { background: %2; color: %3; %4 }")
          .arg(colours.color(QPalette::Dark).name(), face, text, selection,
               colours.color(QPalette::Highlight).name()));
}

// An edit box without the toolkit's default length limit.
QLineEdit* NewEdit(QWidget* parent, const QRect& geometry, const QString& text,
                   const QColor& background) {
  auto* edit = new QLineEdit(parent);
  edit->setMaxLength(std::numeric_limits<int>::max());
  edit->setText(text);
  edit->setGeometry(geometry);
  ui::SetColours(*edit, {{QPalette::Base, background}});
  ui::KeepCursorSteadyWhenLong(*edit);
  return edit;
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(
      QStringLiteral("Простейший математический пакет по решению нелинейных уравнений "));
  setFont(ui::DesignFont(11));
  setPalette(ui::DesignPalette());

  auto* client = new QWidget(this);
  CreateMenu();
  CreateToolBar(client);
  CreateGroupBox(client);
  StringGrid1 = new ui::ResultsGrid(kGridColumns, kGridRows, client);
  CreateStatusBar();
  UseWidgets(StringGrid1, StatusPanel, ProgressBar1);
  LayOutClientArea(client);
  SetTabOrder();
  NameControls();
  WireCommands();
  PrintItem = ui::NewPrintAction(this, [this] {
    return [report = ui::RunReport{comparison_.LastRun(), app::TableLines(*this),
                                   StatusPanel->text().toStdString()}](
               QPagedPaintDevice& device, const ui::ReportOptions&) {
      // No pass tables: the options do not apply.
      ui::PaintRunReport(device, report);
    };
  });
  PrintItem->setObjectName(QStringLiteral("PrintItem"));
  ToolsMenu->addAction(PrintItem);
  DetailOpener = new ui::DetailOpener(
      StringGrid1, [this] { return comparison_.LastRun(); },
      [this] { return comparison_.IsRunning(); });

  // The menu bar comes on top of the client area; a status bar that had to
  // grow to fit its font adds its extra height, so the grid keeps its own.
  const int status_bar_extra = StatusBar1->height() - kStatusBarHeight;
  resize(kClientWidth, kClientHeight + MainMenu1->sizeHint().height() + status_bar_extra);
  setMinimumSize(size());
  Dispatch(&TForm1::FormCreate, this);
}

void TForm1::CreateMenu() {
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setNativeMenuBar(false);
  MainMenu1->setFont(QApplication::font(MainMenu1));
  setMenuBar(MainMenu1);
  // Each caption's first letter is its access key (Alt+letter on the bar,
  // the letter in an open menu); the captions read as designed.
  N1 = MainMenu1->addMenu(QStringLiteral("&Программа"));
  N4 = N1->addAction(QStringLiteral("&Вычислить уравнение"));
  N2 = N1->addAction(QStringLiteral("&Закрыть"));
  N8 = MainMenu1->addMenu(QStringLiteral("&Справка"));
  N3 = N8->addAction(QStringLiteral("&Помощь"));
  N9 = N8->addAction(QStringLiteral("&Об авторе..."));
  // The commands added to the design have a menu of their own after the
  // designed two, so that every designed item keeps its place: the second
  // item of "Программа" closes the program. "С" is taken by "Справка".
  ToolsMenu = MainMenu1->addMenu(QStringLiteral("С&ервис"));
  ToolsMenu->setObjectName(QStringLiteral("ToolsMenu"));
  OwnEquationItem = ToolsMenu->addAction(QStringLiteral("&Своё уравнение…"));
  OwnEquationItem->setObjectName(QStringLiteral("OwnEquationItem"));
  // The menus are windows of their own and do not inherit the window's
  // colours.
  for (QMenu* menu : {N1, N8, ToolsMenu}) menu->setPalette(palette());

  // The usual keys of a desktop program; the design leaves them unused.
  // Shortcuts of menu items work anywhere in the window. The keys are named
  // rather than taken as the platform's standard keys: without a desktop
  // theme those follow another system's conventions, with no key to quit.
  // The menu shows the first key, named "Ctrl+Enter" as on the keyboard.
  N4->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Enter), QKeySequence(Qt::CTRL | Qt::Key_Return),
                    QKeySequence(Qt::Key_F5)});
  // Ctrl+Q quits from any of the program's windows.
  N2->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  N2->setShortcutContext(Qt::ApplicationShortcut);
  N3->setShortcut(QKeySequence(Qt::Key_F1));
  // Ctrl+N, a new equation; not Ctrl+E, which an X11 edit box keeps for
  // "end of line", so it would never reach the menu from the inputs.
  OwnEquationItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
}

void TForm1::CreateToolBar(QWidget* client) {
  ImageList1 = {QIcon(QStringLiteral(":/assets/toolbar_solve.png")),
                QIcon(QStringLiteral(":/assets/toolbar_help.png")),
                QIcon(QStringLiteral(":/assets/toolbar_exit.png"))};
  ToolBar1 = new ui::ToolBar(client);
  ToolButton6 = ToolBar1->AddSeparator(0);
  ToolButton1 = ToolBar1->AddButton(8, ImageList1[0], QStringLiteral("Решить"));
  ToolButton4 = ToolBar1->AddSeparator(31);
  ToolButton2 = ToolBar1->AddButton(39, ImageList1[1], QStringLiteral("Справка"));
  ToolButton5 = ToolBar1->AddSeparator(62);
  ToolButton3 = ToolBar1->AddButton(70, ImageList1[2], QStringLiteral("Выход"));
}

// The group box's children sit at the design's pixel positions, counted from
// the box's top-left corner.
void TForm1::CreateGroupBox(QWidget* client) {
  GroupBox1 = new ui::EtchedGroupBox(client);
  GroupBox1->setFixedHeight(kGroupBoxHeight);
  GroupBox1->setAutoFillBackground(true);
  ui::SetColours(*GroupBox1, {{QPalette::Window, ui::SystemColour(ui::k3DLight)}});
  const QColor input_colour = ui::SystemColour(ui::kGradientActiveCaption);

  ComboBox1 = new QComboBox(GroupBox1);
  ComboBox1->setEditable(false);
  ComboBox1->setGeometry(136, 16, 137, 21);
  ComboBox1->setFont(ui::DesignFont(11, true));
  ComboBox1->setToolTip(QStringLiteral("выбор уравнения"));
  ui::SetColours(*ComboBox1, {{QPalette::Button, input_colour}, {QPalette::Base, input_colour}});
  MakeFlatList(*ComboBox1, kListItemHeight, kListVisibleItems);
  Label3 = NewLabel(GroupBox1, {64, 16}, QStringLiteral("Уравнение"), CaptionFont(), ComboBox1);

  Edit1 = NewEdit(GroupBox1, {136, 48, 121, 21}, QStringLiteral("1"), input_colour);
  Label2 = NewLabel(GroupBox1, {8, 48}, QStringLiteral("Начальное значение"), CaptionFont(), Edit1);
  Edit2 = NewEdit(GroupBox1, {136, 76, 121, 21}, FromUtf8(app::InputTexts::DefaultPrecisionText()),
                  input_colour);
  Label4 = NewLabel(GroupBox1, {72, 80}, QStringLiteral("Точность"), CaptionFont(), Edit2);
  Edit11 = NewEdit(GroupBox1, {136, 112, 121, 21}, QStringLiteral("2"), input_colour);
  Label5 =
      NewLabel(GroupBox1, {8, 112}, QStringLiteral("Конечный интервал"), CaptionFont(), Edit11);

  SpeedButton1 = new QPushButton(QStringLiteral("Вычислить"), GroupBox1);
  SpeedButton1->setGeometry(8, 136, 121, 25);
  SpeedButton1->setFocusPolicy(Qt::NoFocus);
  SpeedButton1->setAutoDefault(false);
  SpeedButton1->setFont(ui::DesignFont(13, true));
  ui::SetColours(*SpeedButton1, {{QPalette::ButtonText, ui::Navy()}});

  CreatePageControl();

  ProgressBar1 = new ui::BlockProgressBar(GroupBox1);
  ProgressBar1->setGeometry(136, 144, 377, 17);
  ProgressBar1->setRange(0, kProgressMaximum);
  ProgressBar1->setValue(0);
  ProgressBar1->hide();
  ProgressBar1->setAccessibleName(QStringLiteral("Ход вычисления"));

  Label1 = NewLabel(GroupBox1, {17, 160}, QString(), ui::DesignFont(11, true));
}

void TForm1::CreatePageControl() {
  PageControl1 = new QTabWidget(GroupBox1);
  PageControl1->setGeometry(280, 16, 153, 121);
  ui::SetColours(*PageControl1, {{QPalette::Window, ui::SystemColour(ui::kButtonFace)}});
  TabSheet1 = new QWidget();
  PageControl1->addTab(TabSheet1, QStringLiteral("коэффициенты"));

  const QColor coefficient_colour = ui::SystemColour(ui::kInactiveCaption);
  Edit3 = NewEdit(TabSheet1, {24, 8, 81, 21}, QStringLiteral("1"), coefficient_colour);
  Label6 = NewLabel(TabSheet1, {8, 8}, QStringLiteral("k"), ui::DesignFont(11, true), Edit3);
  Edit4 = NewEdit(TabSheet1, {24, 32, 81, 21}, QStringLiteral("1"), coefficient_colour);
  Label7 = NewLabel(TabSheet1, {8, 40}, QStringLiteral("l"), ui::DesignFont(11, true), Edit4);
}

// The bar is as high as designed unless its font needs more: a larger system
// font makes it grow rather than cut the one line that gives the answer.
void TForm1::CreateStatusBar() {
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setSizeGripEnabled(false);
  StatusBar1->setFont(QApplication::font(StatusBar1));
  StatusBar1->setAutoFillBackground(true);
  ui::SetColours(*StatusBar1, {{QPalette::Window, ui::SystemColour(ui::kGradientInactiveCaption)}});
  // The only panel is also the last, so it reaches to the right edge.
  StatusPanel = new ui::StatusPanel(StatusBar1);
  // A font too tall for the designed bar is too wide for the designed
  // window too: the panel then gives the answer two lines.
  if (StatusPanel->minimumSizeHint().height() > kStatusBarHeight) StatusPanel->SetLines(2);
  StatusBar1->addWidget(StatusPanel, 1);
  StatusBar1->setFixedHeight(std::max(kStatusBarHeight, StatusBar1->sizeHint().height()));
  setStatusBar(StatusBar1);
}

// Top to bottom: the toolbar and the group box keep their heights, the grid
// takes the rest (all of the extra height when the window is maximized).
void TForm1::LayOutClientArea(QWidget* client) {
  auto* column = new QVBoxLayout(client);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(ToolBar1);
  column->addWidget(GroupBox1);
  column->addWidget(StringGrid1, 1);
  setCentralWidget(client);
}

// Edit1, Edit2, ComboBox1, Edit11, the page's tabs, Edit3, Edit4, the grid.
// The toolbar, the speed button, the progress bar and the status bar never
// take the focus.
void TForm1::SetTabOrder() {
  setTabOrder(Edit1, Edit2);
  setTabOrder(Edit2, ComboBox1);
  setTabOrder(ComboBox1, Edit11);
  setTabOrder(Edit11, PageControl1);
  setTabOrder(PageControl1, Edit3);
  setTabOrder(Edit3, Edit4);
  setTabOrder(Edit4, StringGrid1);
}

// In the order of the members; ImageList1 holds pictures, not a control.
void TForm1::NameControls() {
  setObjectName(QStringLiteral("Form1"));
  ui::SetDesignNames(
      {NLE_DESIGN_NAME(Edit1),        NLE_DESIGN_NAME(Edit2),        NLE_DESIGN_NAME(Label1),
       NLE_DESIGN_NAME(GroupBox1),    NLE_DESIGN_NAME(Label2),       NLE_DESIGN_NAME(Label3),
       NLE_DESIGN_NAME(Label4),       NLE_DESIGN_NAME(ComboBox1),    NLE_DESIGN_NAME(MainMenu1),
       NLE_DESIGN_NAME(N1),           NLE_DESIGN_NAME(N2),           NLE_DESIGN_NAME(N8),
       NLE_DESIGN_NAME(N9),           NLE_DESIGN_NAME(StringGrid1),  NLE_DESIGN_NAME(Edit11),
       NLE_DESIGN_NAME(Label5),       NLE_DESIGN_NAME(SpeedButton1), NLE_DESIGN_NAME(StatusBar1),
       NLE_DESIGN_NAME(PageControl1), NLE_DESIGN_NAME(TabSheet1),    NLE_DESIGN_NAME(Label6),
       NLE_DESIGN_NAME(Edit3),        NLE_DESIGN_NAME(Label7),       NLE_DESIGN_NAME(Edit4),
       NLE_DESIGN_NAME(N3),           NLE_DESIGN_NAME(ProgressBar1), NLE_DESIGN_NAME(N4),
       NLE_DESIGN_NAME(ToolBar1),     NLE_DESIGN_NAME(ToolButton1),  NLE_DESIGN_NAME(ToolButton2),
       NLE_DESIGN_NAME(ToolButton3),  NLE_DESIGN_NAME(ToolButton4),  NLE_DESIGN_NAME(ToolButton5),
       NLE_DESIGN_NAME(ToolButton6),  NLE_DESIGN_NAME(StatusPanel)});
}

void TForm1::WireCommands() {
  Wire(SpeedButton1, &QPushButton::clicked, &TForm1::Button1Click);
  Wire(ToolButton1, &QToolButton::clicked, &TForm1::Button1Click);
  Wire(N4, &QAction::triggered, &TForm1::Button1Click);
  Wire(ToolButton2, &QToolButton::clicked, &TForm1::N3Click);
  Wire(N3, &QAction::triggered, &TForm1::N3Click);
  Wire(N9, &QAction::triggered, &TForm1::N9Click);
  Wire(ToolButton3, &QToolButton::clicked, &TForm1::N2Click);
  Wire(N2, &QAction::triggered, &TForm1::N2Click);
  Wire(OwnEquationItem, &QAction::triggered, &TForm1::OwnEquationClick);
}

template <typename Sender, typename Signal>
void TForm1::Wire(Sender* sender, Signal signal, Handler handler) {
  connect(sender, signal, this, [this, sender, handler] { Dispatch(handler, sender); });
}

void TForm1::Dispatch(Handler handler, QObject* sender) {
  ui::Guarded([this, handler, sender] { (this->*handler)(sender); });
  EndProgramIfRequested();
}

// ---- Handlers ----

void TForm1::Button1Click(QObject* /*Sender*/) {
  comparison_.Execute(*this, MainUnitState);
}

double TForm1::f(std::uint8_t equation, double x) {
  return core::f(equation, x, MainUnitState.coefficients);
}

double TForm1::f_(std::uint8_t equation, double x) {
  return core::f_(equation, x, MainUnitState.coefficients);
}

void TForm1::FormCreate(QObject* /*Sender*/) {
  ComboBox1->clear();
  for (const std::string_view text : core::kEquationTexts) ComboBox1->addItem(FromUtf8(text));
  ComboBox1->setCurrentIndex(0);
  app::WriteTableHeaders(*this);
}

void TForm1::N2Click(QObject* /*Sender*/) {
  close();
}

void TForm1::N9Click(QObject* /*Sender*/) {
  AboutBox->ShowModal();
}

void TForm1::FormShow(QObject* /*Sender*/) {
  PlaySplashSequence(*Form4);
}

std::int32_t TForm1::run(std::uint8_t method, double& root, double a, double eps, double b) {
  return core::run(*this, MainUnitState.coefficients, method, root, a, eps, b);
}

void TForm1::N3Click(QObject* /*Sender*/) {
  Form2->ShowNonModal();
}

// k, l and the precision come along from this window's boxes.
void TForm1::OwnEquationClick(QObject* /*Sender*/) {
  if (OwnEquation == nullptr) OwnEquation = new ui::OwnEquationWindow(this);
  OwnEquation->Open(Edit3->text(), Edit4->text(), Edit2->text());
}

// ---- The window as the comparison run sees it ----

std::uint8_t TForm1::SelectedEquation() const {
  // The low 8 bits of the index: no selection (-1) reads as 255.
  return static_cast<std::uint8_t>(ComboBox1->currentIndex());
}

std::string TForm1::PrecisionText() const {
  return Edit2->text().toStdString();
}

std::string TForm1::InputText(app::Input input) const {
  switch (input) {
    case app::Input::kStart:
      return Edit1->text().toStdString();
    case app::Input::kPrecision:
      return Edit2->text().toStdString();
    case app::Input::kEnd:
      return Edit11->text().toStdString();
    case app::Input::kK:
      return Edit3->text().toStdString();
    case app::Input::kL:
      return Edit4->text().toStdString();
  }
  return std::string();
}

// ---- Showing, closing, locale ----

void TForm1::setVisible(bool visible) {
  const bool showing = visible && isHidden();
  if (showing) {
    // The splash plays while the main window is not yet on the screen. A
    // failure in it is reported, and the window is shown all the same.
    Dispatch(&TForm1::FormShow, this);
    PlaceAtFirstShowing();
    ui::FixBorderKeepMaximize(*this);
  }
  QMainWindow::setVisible(visible);
  if (showing) {
    activateWindow();
    Edit1->setFocus(Qt::ActiveWindowFocusReason);
  }
}

// The window's size includes the menu bar; the window manager's frame is not
// known before the first showing, so the designs' usual frame stands for it.
void TForm1::PlaceAtFirstShowing() {
  first_place_.Place(*this, [this] { return ui::CentredOnDesktop(ui::OuterSize(size())); });
}

void TForm1::changeEvent(QEvent* event) {
  // Linux announces no change of the user's locale to a running program; the
  // toolkit's locale change is the nearest counterpart.
  if (event->type() == QEvent::LocaleChange) ui::Guarded([] { app::ReadDecimalSeparator(); });
  QMainWindow::changeEvent(event);
}

// A close during a comparison run is remembered and the window stays on the
// screen: the run completes and shows its results, or its error report over
// the window, and the close takes effect when it has returned.
void TForm1::closeEvent(QCloseEvent* event) {
  program_end_requested_ = true;
  if (comparison_.IsRunning()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
  EndProgramIfRequested();
}

// The end of the program takes effect in the main event loop, once no
// comparison run is under way. The other windows close with the program, so
// an open help window does not keep it running.
void TForm1::EndProgramIfRequested() {
  if (!program_end_requested_ || comparison_.IsRunning()) return;
  program_end_requested_ = false;
  hide();
  QCoreApplication::exit(0);
}
