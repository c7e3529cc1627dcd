// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Unit2.h"

#include <QPushButton>
#include <QVBoxLayout>
#include <cstddef>

#include "app/help_file.h"
#include "app/text_file.h"
#include "ui/error_boundary.h"
#include "ui/help/help_text.h"
#include "ui/widgets/bevel_panel.h"
#include "ui/widgets/design_look.h"
#include "ui/widgets/design_names.h"
#include "ui/widgets/placement.h"
#include "ui/widgets/text_view.h"

TForm2* Form2 = nullptr;

namespace {

// The most text the text box takes; a larger file is refused while it is
// read, so no file, however large, is read beyond it.
constexpr std::size_t kMemoCapacity = 16 * 1024 * 1024;

const QString kInitialText = QStringLiteral("Memo1");

ui::TextView* MakeMemo(QWidget* parent) {
  auto* memo = new ui::TextView(parent);
  memo->SetText(kInitialText);
  memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setFont(ui::DesignFont(16));
  ui::SetColours(*memo, {{QPalette::Base, ui::SystemColour(ui::k3DLight)},
                         {QPalette::Text, ui::SystemColour(ui::kWindowText)}});
  return memo;
}

QPushButton* MakeCloseButton(QWidget* panel) {
  auto* button = new QPushButton(QIcon(QStringLiteral(":/assets/close_glyph.png")),
                                 QStringLiteral("&Закрыть"), panel);
  button->setIconSize(QSize(18, 18));
  button->setGeometry(8, 8, 75, 25);
  // Outside a dialog auto-default means only this: Enter presses the button
  // while it has the focus. It is never the window's default button.
  button->setAutoDefault(true);
  button->setDefault(false);
  return button;
}

// The text box does not redraw while it loads; it repaints once at the end,
// whether the load succeeded or not.
class RedrawSuspended {
 public:
  explicit RedrawSuspended(QWidget& widget) : widget_(widget) { widget_.setUpdatesEnabled(false); }
  ~RedrawSuspended() { widget_.setUpdatesEnabled(true); }
  RedrawSuspended(const RedrawSuspended&) = delete;
  RedrawSuspended& operator=(const RedrawSuspended&) = delete;

 private:
  QWidget& widget_;
};

}  // namespace

TForm2::TForm2(QWidget* parent)
    : QWidget(parent, Qt::Window),
      Memo1(MakeMemo(this)),
      Panel1(new ui::BevelPanel(ui::SystemColour(ui::kGradientInactiveCaption),
                                ui::BevelPanel::Bevel::kNone, ui::BevelPanel::Bevel::kRaised,
                                this)),
      BitBtn1(MakeCloseButton(Panel1)) {
  setObjectName(QStringLiteral("Form2"));
  ui::SetDesignNames({NLE_DESIGN_NAME(Memo1), NLE_DESIGN_NAME(Panel1), NLE_DESIGN_NAME(BitBtn1)});
  setWindowTitle(QStringLiteral("Справка"));
  resize(477, 248);
  setFont(ui::DesignFont(11));
  setPalette(ui::DesignPalette());
  setAutoFillBackground(true);
  setAttribute(Qt::WA_QuitOnClose, false);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Memo1, 1);
  Panel1->setFixedHeight(41);
  layout->addWidget(Panel1);

  connect(BitBtn1, &QPushButton::clicked, this,
          [this] { ui::Guarded([this] { BitBtn1Click(BitBtn1); }); });
  Memo1->setFocus();  // tab order 0: it has the focus at the first activation
}

void TForm2::BitBtn1Click(QObject* /*sender*/) {
  hide();
}

void TForm2::FormShow(QObject* /*sender*/) {
  const RedrawSuspended frozen(*Memo1);
  // The file's bytes go as soon as they are decoded.
  const QString text =
      ui::HelpText(app::ReadTextFile(app::HelpFilePath(), kMemoCapacity), ui::LocaleCodeset());
  // An unchanged text leaves the box alone, scroll position and selection
  // included.
  if (Memo1->Shows(text)) return;
  Memo1->SetText(text);
}

void TForm2::ShowNonModal() {
  if (!isVisible()) {
    ui::Guarded([this] { FormShow(this); });
    first_place_.Place(*this, [this] { return ui::CentredOnDesktop(ui::OuterSize(size())); });
    show();
  }
  raise();
  activateWindow();
}
