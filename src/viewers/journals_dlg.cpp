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
constexpr GridShape kErrorShape{{50, 140, 231}, 8, 19, 1, 1};
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
  button->setObjectName(QString::fromLatin1(name));
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

  pcMain = new QTabWidget(this);
  pcMain->setObjectName(QStringLiteral("pcMain"));
  pcMain->setGeometry(0, 0, kClientWidth, kPagesHeight);
  QFont bold = small;
  bold.setBold(true);
  pcMain->tabBar()->setFont(bold);

  tsTrip = BuildJournalPage("tsTrip", sgTrip, "sgTrip", bTripReset, "bTripReset", bTrip, "bTrip");
  tsTank = BuildJournalPage("tsTank", sgTank, "sgTank", bTankReset, "bTankReset", bTank, "bTank");
  tsSum = BuildSumPage();
  tsErrors = BuildErrorPage();
  pcMain->addTab(tsTrip, Q("Журнал поездок"));
  pcMain->addTab(tsTank, Q("Журнал заправок"));
  pcMain->addTab(tsSum, Q("Средние"));
  pcMain->addTab(tsErrors, Q("Журнал ошибок"));

  OKBtn = MakeButton(this, "OKBtn", "OK");
  OKBtn->setGeometry(838, 494, 75, 25);
  OKBtn->setDefault(true);
  CancelBtn = MakeButton(this, "CancelBtn", "Отмена");
  CancelBtn->setGeometry(919, 494, 75, 25);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

  connect(bTrip, &QPushButton::clicked, this, [this] { bTripClick(); });
  connect(bTank, &QPushButton::clicked, this, [this] { bTankClick(); });
  connect(bTripReset, &QPushButton::clicked, this, [this] { bTripResetClick(); });
  connect(bTankReset, &QPushButton::clicked, this, [this] { bTankResetClick(); });
  connect(bErrrJReset, &QPushButton::clicked, this, [this] { bErrrJResetClick(); });
  // A click, the arrow keys and a selection made in code all refill the freeze frame.
  connect(sgErrors, &QTableWidget::currentCellChanged, this, [this] { sgErrorsClick(); });
  for (std::size_t g = 0; g < sgSums.size(); ++g) {
    connect(sgSums[g], &QTableWidget::cellDoubleClicked, this, [this, g] { TotalsDblClick(g); });
  }
}

QWidget* TMK_ViewJournalsDlg::BuildJournalPage(const char* name, QTableWidget*& grid,
                                               const char* grid_name, QPushButton*& reset,
                                               const char* reset_name, QPushButton*& save,
                                               const char* save_name) {
  auto* page = new QWidget;
  page->setObjectName(QString::fromLatin1(name));
  grid = MakeGrid(page, grid_name, kJournalShape);
  grid->move(0, 0);
  const int below = grid->height() + 10;
  reset = MakeButton(page, reset_name, "Очистить");
  reset->setGeometry(8, below, 120, 25);
  save = MakeButton(page, save_name, "Сохранить в файл");
  save->setGeometry(136, below, 140, 25);
  return page;
}

QWidget* TMK_ViewJournalsDlg::BuildSumPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("tsSum"));
  for (std::size_t g = 0; g < sgSums.size(); ++g) {
    const SumPlace& place = kSumPlaces[g];
    sgSums[g] = MakeGrid(page, place.grid, kSumShape);
    sgSums[g]->move(place.left, place.top);
    auto* caption = new QLabel(Q(journal::kTotalsGroups[g].caption), page);
    caption->setObjectName(QString::fromLatin1(place.grid).replace(0, 2, QStringLiteral("l")));
    caption->setGeometry(place.left, place.top - 17, sgSums[g]->width(), 15);
  }
  lSumNote = new QLabel(
      Q("Для сброса накопителей сделайте двойной щелчок мыши на соответствующей таблице"), page);
  lSumNote->setObjectName(QStringLiteral("lSumNote"));
  lSumNote->setGeometry(680, 352, 265, 49);
  lSumNote->setAlignment(Qt::AlignCenter);
  lSumNote->setWordWrap(true);
  return page;
}

QWidget* TMK_ViewJournalsDlg::BuildErrorPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("tsErrors"));
  auto* row = new QHBoxLayout(page);
  row->setContentsMargins(0, 0, 0, 0);
  auto* left = new QVBoxLayout;
  sgErrors = MakeGrid(page, "sgErrors", kErrorShape);
  sgErrors->setFixedSize(sgErrors->size());
  // One error at a time: the selected row shows its freeze frame.
  sgErrors->setSelectionBehavior(QAbstractItemView::SelectRows);
  left->addWidget(sgErrors);
  left->addSpacing(6);
  bErrrJReset = MakeButton(page, "bErrrJReset", "Очистить");
  bErrrJReset->setFixedSize(120, 25);
  left->addWidget(bErrrJReset);
  left->addStretch();
  row->addLayout(left);
  row->addStretch();
  sgStopCadr = MakeGrid(page, "sgStopCadr", kStopCadrShape);
  sgStopCadr->setFixedWidth(kStopCadrWidth);
  row->addWidget(sgStopCadr);
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
  FormShow();
}

void TMK_ViewJournalsDlg::FormShow() {
  pcMain->setCurrentIndex(0);
  FillJournal(JournalKind::Trip);
  FillJournal(JournalKind::Tank);
  FillErrors();
  for (std::size_t g = 0; g < sgSums.size(); ++g) FillTotals(g);
}

QTableWidget* TMK_ViewJournalsDlg::JournalGridOf(JournalKind kind) const {
  return kind == JournalKind::Trip ? sgTrip : sgTank;
}

void TMK_ViewJournalsDlg::FillJournal(JournalKind kind) {
  journal::TextGrid& texts = journals_[static_cast<std::size_t>(kind)];
  texts = journal::JournalGrid(mk_.Rec(BlockId::Journals).Bytes(), kind, separator_);
  FillGrid(JournalGridOf(kind), texts, Qt::AlignRight | Qt::AlignVCenter);
}

void TMK_ViewJournalsDlg::FillTotals(std::size_t group) {
  FillLines(sgSums[group], journal::TotalsLines(mk_.Rec(BlockId::Totals).Bytes(),
                                                journal::kTotalsGroups[group], separator_));
}

void TMK_ViewJournalsDlg::FillErrors() {
  FillGrid(sgErrors, journal::ErrorGrid(mk_.Rec(BlockId::ErrorJournal).Bytes(), error_style_));
  // Selecting row 1 refills the freeze frame through the selection signal;
  // when row 1 was selected already, refill it here.
  if (sgErrors->currentRow() == 1) {
    FillStopCadr();
  } else {
    sgErrors->setCurrentCell(1, 1);
  }
}

void TMK_ViewJournalsDlg::sgErrorsClick() {
  FillStopCadr();
}

void TMK_ViewJournalsDlg::FillStopCadr() {
  EmptyCells(sgStopCadr);
  const int row = sgErrors->currentRow();
  if (row <= 0) return;
  const auto lines = journal::FreezeFrameLines(mk_.Rec(BlockId::ErrorJournal).Bytes(),
                                               static_cast<std::size_t>(row - 1), separator_);
  // Without a freeze frame the grid stays blank with the rows it had.
  if (!lines.empty()) FillLines(sgStopCadr, lines);
}

void TMK_ViewJournalsDlg::bTripClick() {
  SaveJournal(JournalKind::Trip);
}

void TMK_ViewJournalsDlg::bTankClick() {
  SaveJournal(JournalKind::Tank);
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

void TMK_ViewJournalsDlg::bTripResetClick() {
  mk_.ClearTripJournal();
  cleared_ = true;
  FillJournal(JournalKind::Trip);
}

void TMK_ViewJournalsDlg::bTankResetClick() {
  mk_.ClearTankJournal();
  cleared_ = true;
  FillJournal(JournalKind::Tank);
}

void TMK_ViewJournalsDlg::bErrrJResetClick() {
  journal::ClearErrorJournal(mk_);
  cleared_ = true;
  FillErrors();
}

void TMK_ViewJournalsDlg::TotalsDblClick(std::size_t group) {
  if (group >= sgSums.size()) return;
  journal::ClearTotalsGroup(mk_.Rec(BlockId::Totals).Bytes(), journal::kTotalsGroups[group]);
  cleared_ = true;
  FillTotals(group);
}

widgets::WindowOutcome RunJournals(device::TMK& mk, const widgets::WindowEnvironment& environment) {
  widgets::QtDialogs own_dialogs;
  widgets::IDialogs& dialogs = environment.dialogs ? *environment.dialogs : own_dialogs;
  TMK_ViewJournalsDlg window(mk, dialogs, environment.folder, environment.parent);
  own_dialogs.SetParent(&window);
  const bool ok = window.exec() == QDialog::Accepted;
  return {.accepted = ok, .changed = ok && window.Cleared()};
}

}  // namespace mk::viewers
