#include "editor/tmk_set_params_dlg.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include "editor/averages_page.h"
#include "editor/blocks_page.h"
#include "editor/corrections_page.h"
#include "editor/display_page.h"
#include "editor/limits_page.h"
#include "editor/parking_page.h"
#include "editor/service_page.h"
#include "editor/sources_page.h"
#include "editor/tank_page.h"
#include "editor/uni_meas_page.h"
#include "editor/voice_page.h"
#include "settings/page_rules.h"

namespace mk::editor {

namespace {

TSettingsPage* MakePage(settings::Page page, TEditorContext& context) {
  using settings::Page;
  switch (page) {
    case Page::Corrections:
      return new TCorrectionsPage(context);
    case Page::Sources:
      return new TSourcesPage(context);
    case Page::Limits:
      return new TLimitsPage(context);
    case Page::Display:
      return new TDisplayPage(context);
    case Page::Voice:
      return new TVoicePage(context);
    case Page::Averages:
      return new TAveragesPage(context);
    case Page::Parking:
      return new TParkingPage(context);
    case Page::Tank:
      return new TTankPage(context);
    case Page::Service:
      return new TServicePage(context);
    case Page::Blocks:
      return new TBlocksPage(context);
    case Page::UniMeas:
      return new TUniMeasPage(context);
  }
  return nullptr;
}

}  // namespace

TMK_SetParamsDlg::TMK_SetParamsDlg(device::TMK& mk, app::IDialogs& dialogs, QWidget* parent)
    : QDialog(parent), context_(mk, dialogs) {
  setObjectName("MK_SetParamsDlg");
  setWindowTitle(QString::fromUtf8(settings::kEditorCaption.data()));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(4);
  page_control_ = new QTabWidget(this);
  page_control_->setObjectName("PageControl1");
  layout->addWidget(page_control_, 1);
  for (const auto& info : settings::kPages) {
    TSettingsPage* page = MakePage(info.page, context_);
    page->Build();
    page_control_->addTab(page, page->Caption());
    pages_.push_back(page);
  }

  auto* bottom = new QHBoxLayout;
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  ok_->setObjectName("OKBtn");
  ok_->setText("OK");
  ok_->setDefault(true);
  cancel_ = buttons->button(QDialogButtonBox::Cancel);
  cancel_->setObjectName("CancelBtn");
  connect(buttons, &QDialogButtonBox::accepted, this, &TMK_SetParamsDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TMK_SetParamsDlg::reject);
  bottom->addStretch(1);
  bottom->addWidget(buttons);
  layout->addLayout(bottom);

  connect(page_control_, &QTabWidget::currentChanged, this, [this](int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < pages_.size())
      pages_[static_cast<std::size_t>(index)]->Activated();
  });
  connect(&context_, &TEditorContext::Refilled, this, &TMK_SetParamsDlg::RefillAll);
  connect(&context_, &TEditorContext::ProtocolChanged, this, [this] {
    for (TSettingsPage* page : pages_) page->Refresh();
  });

  setFixedSize(settings::kEditorWidth, settings::kEditorHeight);
}

TSettingsPage* TMK_SetParamsDlg::PageOf(settings::Page page) const {
  return pages_[static_cast<unsigned>(page)];
}

void TMK_SetParamsDlg::Open() {
  const auto features = context_.Mk().Catalogues().Variant().features;
  for (auto* tabs : findChildren<QTabWidget*>()) tabs->setCurrentIndex(0);
  RefillAll();
  for (const auto& info : settings::kPages) {
    page_control_->setTabVisible(static_cast<int>(info.page),
                                 settings::PageShown(info.page, features));
  }
  page_control_->setCurrentIndex(0);
}

void TMK_SetParamsDlg::RefillAll() {
  context_.SetRefreshing(true);
  for (TSettingsPage* page : pages_) page->Fill();
  context_.SetRefreshing(false);
}

void TMK_SetParamsDlg::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    Open();
    if (const QScreen* screen =
            parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen()) {
      const QRect area = screen->availableGeometry();
      move(area.center() - QPoint(width() / 2, height() / 2));
    }
  }
  QDialog::showEvent(event);
}

void TMK_SetParamsDlg::accept() {
  for (TSettingsPage* page : pages_) {
    if (!page->WriteBack()) return;
  }
  QDialog::accept();
}

bool TMK_SetParamsDlg::Run() {
  return exec() == QDialog::Accepted;
}

bool RunSettingsEditor(device::TMK& mk, app::IDialogs& dialogs, QWidget* parent) {
  TMK_SetParamsDlg dialog(mk, dialogs, parent);
  return dialog.Run();
}

}  // namespace mk::editor
