// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewers/journals_dlg.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "device/mk.h"
#include "journal/totals.h"
#include "text/error.h"
#include "text/utf8_path.h"
#include "viewers/journals_grid.h"
#include "widgets/dialogs.h"
#include "widgets/qt_text.h"

namespace mk::viewers {
namespace {

using widgets::Q;

using device::BlockId;
using journal::JournalKind;

constexpr int kClientWidth = 1002;
constexpr int kClientHeight = 523;
constexpr int kPagesHeight = 489;

constexpr GridShape kJournalShape{{50, 140, 96, 84, 131, 156, 145, 113, 78}, 22, 18, 1, 1};
constexpr GridShape kSumShape{{147, 116}, 6, 20, 0, 0, true};
// The description column takes what the page's width leaves after the code.
constexpr GridShape kErrorShape{{50, 140, 231, 560}, 8, 19, 1, 1};
constexpr GridShape kStopCadrShape{{380, 144}, 41, 19, 0, 0, true};
constexpr int kStopCadrWidth = 552;

struct SumPlace {
  const char* grid;
  int left;
  int top;
};
// In journal::kTotalsGroups order; each caption sits just above its grid.
constexpr SumPlace kSumPlaces[] = {
    {"sgAllSum", 8, 22},       {"sgTripSum", 8, 174},      {"sgResetSum", 8, 326},
    {"sgStopSum", 344, 22},    {"sgNoStopSum", 344, 174},  {"sgTankSum", 344, 326},
    {"sgOilOnlySum", 680, 22}, {"sgGasOnlySum", 680, 174},
};
static_assert(std::size(kSumPlaces) == journal::kTotalsGroups.size());

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption) {
  auto* button = new QPushButton(Q(caption), parent);
  button->setObjectName(Q(name));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TMK_ViewJournalsDlg::TMK_ViewJournalsDlg(device::TMK& mk, widgets::IDialogs& dialogs,
                                         std::string program_folder, QWidget* parent,
                                         char separator)
    : QDialog(parent),
      mk_(mk),
      dialogs_(dialogs),
      program_folder_(std::move(program_folder)),
      separator_(1, separator),
      error_style_(journal::CurrentErrorCodeStyle(mk)) {
  setObjectName(QStringLiteral("MK_ViewJournalsDlg"));
  setWindowTitle(Q(kJournalsCaption));
  // A fixed dialog border: no maximise or minimise, no resizing.
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  BuildControls();
  setFixedSize(kClientWidth, kClientHeight);
}

void TMK_ViewJournalsDlg::BuildControls() {
  QFont small = font();
  small.setPointSize(8);
  setFont(small);

  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("pcMain"));
  pages_->setGeometry(0, 0, kClientWidth, kPagesHeight);
  QFont bold = small;
  bold.setBold(true);
  pages_->tabBar()->setFont(bold);

  pages_->addTab(BuildJournalPage(JournalKind::Trip), QStringLiteral("Журнал поездок"));
  pages_->addTab(BuildJournalPage(JournalKind::Tank), QStringLiteral("Журнал заправок"));
  pages_->addTab(BuildSumPage(), QStringLiteral("Средние"));
  pages_->addTab(BuildErrorPage(), QStringLiteral("Журнал ошибок"));

  auto* ok = MakeButton(this, "OKBtn", "OK");
  ok->setGeometry(838, 494, 75, 25);
  ok->setDefault(true);
  auto* cancel = MakeButton(this, "CancelBtn", "Отмена");
  cancel->setGeometry(919, 494, 75, 25);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  // A click, the arrow keys and a selection made in code all refill the freeze frame.
  connect(errors_grid_, &QTableWidget::currentCellChanged, this, [this] { FillFreezeFrame(); });
  for (std::size_t g = 0; g < totals_grids_.size(); ++g) {
    connect(totals_grids_[g], &QTableWidget::cellDoubleClicked, this,
            [this, g] { ClearTotals(g); });
  }
}

QWidget* TMK_ViewJournalsDlg::BuildJournalPage(JournalKind kind) {
  const bool trip = kind == JournalKind::Trip;
  auto* page = new QWidget;
  page->setObjectName(trip ? QStringLiteral("tsTrip") : QStringLiteral("tsTank"));
  QTableWidget* grid = MakeGrid(page, trip ? "sgTrip" : "sgTank", kJournalShape);
  (trip ? trip_grid_ : tank_grid_) = grid;
  grid->move(0, 0);
  const int below = grid->height() + 10;
  auto* clear = MakeButton(page, trip ? "bTripReset" : "bTankReset", "Очистить");
  clear->setGeometry(8, below, 120, 25);
  auto* save = MakeButton(page, trip ? "bTrip" : "bTank", "Сохранить в файл");
  save->setGeometry(136, below, 140, 25);
  connect(clear, &QPushButton::clicked, this, [this, kind] { ClearJournal(kind); });
  connect(save, &QPushButton::clicked, this, [this, kind] { SaveJournal(kind); });
  return page;
}

QWidget* TMK_ViewJournalsDlg::BuildSumPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("tsSum"));
  for (std::size_t g = 0; g < totals_grids_.size(); ++g) {
    const SumPlace& place = kSumPlaces[g];
    totals_grids_[g] = MakeGrid(page, place.grid, kSumShape);
    totals_grids_[g]->move(place.left, place.top);
    auto* caption = new QLabel(Q(journal::kTotalsGroups[g].caption), page);
    caption->setObjectName(Q(place.grid).replace(0, 2, QStringLiteral("l")));
    caption->setGeometry(place.left, place.top - 17, totals_grids_[g]->width(), 15);
  }
  auto* note = new QLabel(
      QStringLiteral(
          "Для сброса накопителей сделайте двойной щелчок мыши на соответствующей таблице"),
      page);
  note->setObjectName(QStringLiteral("lSumNote"));
  note->setGeometry(680, 352, 265, 49);
  note->setAlignment(Qt::AlignCenter);
  note->setWordWrap(true);
  return page;
}

QWidget* TMK_ViewJournalsDlg::BuildErrorPage() {
  // The errors across the top, wide enough for their descriptions; under them
  // the Clear button on the left and the selected error's freeze frame along
  // the right edge.
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("tsErrors"));
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(6);
  errors_grid_ = MakeGrid(page, "sgErrors", kErrorShape);
  errors_grid_->setFixedSize(errors_grid_->size());
  // One error at a time: the selected row shows its freeze frame.
  errors_grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  column->addWidget(errors_grid_);
  auto* row = new QHBoxLayout;
  auto* clear = MakeButton(page, "bErrrJReset", "Очистить");
  clear->setFixedSize(120, 25);
  connect(clear, &QPushButton::clicked, this, [this] { ClearErrorJournal(); });
  row->addWidget(clear, 0, Qt::AlignTop);
  row->addStretch();
  freeze_frame_grid_ = MakeGrid(page, "sgStopCadr", kStopCadrShape);
  freeze_frame_grid_->setFixedWidth(kStopCadrWidth);
  freeze_frame_grid_->setMinimumHeight(1);
  row->addWidget(freeze_frame_grid_);
  column->addLayout(row, 1);
  return page;
}

void TMK_ViewJournalsDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  if (const QScreen* screen =
          parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
  FillAll();
}

void TMK_ViewJournalsDlg::FillAll() {
  pages_->setCurrentIndex(0);
  FillJournal(JournalKind::Trip);
  FillJournal(JournalKind::Tank);
  FillErrors();
  for (std::size_t g = 0; g < totals_grids_.size(); ++g) FillTotals(g);
}

QTableWidget* TMK_ViewJournalsDlg::JournalGridOf(JournalKind kind) const {
  return kind == JournalKind::Trip ? trip_grid_ : tank_grid_;
}

void TMK_ViewJournalsDlg::FillJournal(JournalKind kind) {
  journal::TextGrid& texts = journals_[static_cast<std::size_t>(kind)];
  texts = journal::JournalGrid(mk_.Rec(BlockId::Journals).Bytes(), kind, separator_);
  FillGrid(JournalGridOf(kind), texts, Qt::AlignRight | Qt::AlignVCenter);
}

void TMK_ViewJournalsDlg::FillTotals(std::size_t group) {
  FillLines(totals_grids_[group], journal::TotalsLines(mk_.Rec(BlockId::Totals).Bytes(),
                                                       journal::kTotalsGroups[group], separator_));
}

void TMK_ViewJournalsDlg::FillErrors() {
  FillGrid(errors_grid_, journal::ErrorGrid(mk_.Rec(BlockId::ErrorJournal).Bytes(), error_style_));
  // Selecting row 1 refills the freeze frame through the selection signal;
  // when row 1 was selected already, refill it here.
  if (errors_grid_->currentRow() == 1) {
    FillFreezeFrame();
  } else {
    errors_grid_->setCurrentCell(1, 1);
  }
}

void TMK_ViewJournalsDlg::FillFreezeFrame() {
  EmptyCells(freeze_frame_grid_);
  const int row = errors_grid_->currentRow();
  if (row <= 0) return;
  const auto lines = journal::FreezeFrameLines(mk_.Rec(BlockId::ErrorJournal).Bytes(),
                                               static_cast<std::size_t>(row - 1), separator_);
  // Without a freeze frame the grid stays blank with the rows it had.
  if (!lines.empty()) FillLines(freeze_frame_grid_, lines);
}

void TMK_ViewJournalsDlg::SaveJournal(JournalKind kind) {
  const auto path = dialogs_.SaveFile(widgets::FileKind::Text, program_folder_, {});
  if (!path) return;
  try {
    journal::SaveExport(text::PathFromUtf8(*path), journals_[static_cast<std::size_t>(kind)]);
  } catch (const Error& e) {
    dialogs_.ShowError(e.what());
  }
}

void TMK_ViewJournalsDlg::ClearJournal(JournalKind kind) {
  if (kind == JournalKind::Trip) {
    mk_.ClearTripJournal();
  } else {
    mk_.ClearTankJournal();
  }
  cleared_ = true;
  FillJournal(kind);
}

void TMK_ViewJournalsDlg::ClearErrorJournal() {
  journal::ClearErrorJournal(mk_);
  cleared_ = true;
  FillErrors();
}

void TMK_ViewJournalsDlg::ClearTotals(std::size_t group) {
  if (group >= totals_grids_.size()) return;
  journal::ClearTotalsGroup(mk_.Rec(BlockId::Totals).Bytes(), journal::kTotalsGroups[group]);
  cleared_ = true;
  FillTotals(group);
}

widgets::WindowOutcome RunJournals(device::TMK& mk, const widgets::WindowEnvironment& environment) {
  widgets::WindowDialogs dialogs(environment.dialogs);
  TMK_ViewJournalsDlg window(mk, dialogs.Get(), environment.folder, environment.parent);
  dialogs.Over(&window);
  const bool ok = window.exec() == QDialog::Accepted;
  return {.accepted = ok, .changed = ok && window.Cleared()};
}

}  // namespace mk::viewers
