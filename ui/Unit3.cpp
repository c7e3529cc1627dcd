// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Unit3.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include "ui/error_boundary.h"
#include "ui/widgets/bevel_panel.h"
#include "ui/widgets/design_look.h"
#include "ui/widgets/design_names.h"
#include "ui/widgets/placement.h"
#include "ui/widgets/stretched_image.h"

TAboutBox* AboutBox = nullptr;

namespace {

// Three lines exactly as stored: the first with its trailing blank, the
// third a single blank.
const QString kAboutText =
    QStringLiteral("Простейший математический пакет \nпо решению нелинейных уравнений\n ");

// Once clicked into, the text box keeps Tab and Enter to itself; read-only,
// it does nothing with them, and neither moves the focus nor presses OK.
class KeepsTabAndEnter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
      case Qt::Key_Return:
      case Qt::Key_Enter:
        return true;
      default:
        return false;
    }
  }
};

QImage LoadProgramIcon() {
  return QImage(QStringLiteral(":/assets/about_icon.bmp"));
}

QPlainTextEdit* MakeMemo(QWidget* panel) {
  auto* memo = new QPlainTextEdit(kAboutText, panel);
  memo->setGeometry(80, 8, 185, 89);
  memo->setFrameShape(QFrame::NoFrame);
  memo->setReadOnly(true);
  memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
  memo->document()->setDocumentMargin(0);
  // The first line is sized to fill the box in the design's typeface; the
  // wider substitute needs a narrower cut to keep the three designed lines.
  QFont font = ui::DesignFont(11);
  font.setStretch(80);
  memo->setFont(font);
  ui::SetColours(*memo, {{QPalette::Base, ui::SystemColour(ui::kGradientActiveCaption)},
                         {QPalette::Text, ui::SystemColour(ui::kWindowText)}});
  memo->installEventFilter(new KeepsTabAndEnter(memo));
  return memo;
}

QPushButton* MakeOkButton(QWidget* parent) {
  auto* button = new QPushButton(QStringLiteral("OK"), parent);
  button->setGeometry(103, 124, 75, 25);
  button->setDefault(true);
  return button;
}

// Centred on the primary screen; on a desktop of several monitors, then on
// the monitor that shows the active window.
QPoint FirstPlace(const QSize& outer) {
  const QWidget* active = QApplication::activeWindow();
  const QScreen* screen = active != nullptr ? active->screen() : nullptr;
  if (screen == nullptr || screen == QGuiApplication::primaryScreen()) {
    return ui::CentredOnPrimaryScreen(outer);
  }
  return ui::CentredIn(screen->geometry().size(), outer, screen->geometry().topLeft());
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      Panel1(new ui::BevelPanel(ui::SystemColour(ui::kGradientActiveCaption),
                                ui::BevelPanel::Bevel::kLowered, ui::BevelPanel::Bevel::kRaised,
                                this)),
      ProgramIcon(new ui::StretchedImage(LoadProgramIcon, Panel1)),
      OKButton(MakeOkButton(this)),
      Memo1(MakeMemo(Panel1)) {
  setObjectName(QStringLiteral("AboutBox"));
  ui::SetDesignNames({NLE_DESIGN_NAME(Panel1), NLE_DESIGN_NAME(ProgramIcon),
                      NLE_DESIGN_NAME(OKButton), NLE_DESIGN_NAME(Memo1)});
  setWindowTitle(QStringLiteral("About"));
  setFixedSize(298, 152);
  setFont(ui::DesignFont(11));
  setPalette(ui::DesignPalette());
  ui::SetColours(*this, {{QPalette::Window, Qt::white}});
  setAutoFillBackground(true);
  setAttribute(Qt::WA_QuitOnClose, false);

  Panel1->setGeometry(8, 8, 281, 113);
  ProgramIcon->setGeometry(8, 8, 65, 57);
  connect(OKButton, &QPushButton::clicked, this,
          [this] { ui::Guarded([this] { OKButtonClick(OKButton); }); });
  OKButton->setFocus();  // tab order 1, the first that takes the focus
}

void TAboutBox::OKButtonClick(QObject* /*sender*/) {
  accept();
}

int TAboutBox::ShowModal() {
  first_place_.Place(*this, [this] { return FirstPlace(ui::OuterSize(size())); });
  return exec();
}

void TAboutBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}
