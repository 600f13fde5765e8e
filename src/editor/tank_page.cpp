// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/tank_page.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <utility>

#include "device/tank_file.h"
#include "editor/changed_marks.h"
#include "editor/tank_chart.h"
#include "settings/env.h"
#include "settings/setting_table.h"
#include "settings/setting_value.h"
#include "text/error.h"
#include "text/utf8_path.h"
#include "widgets/qt_text.h"

namespace mk::editor {

const char* const TTankPage::kNoticeVersions =
    "Внмание! Для правильной работы программы МК НЕОБХОДИМО использовать последние версии ПО МК "
    "и программы настройки.";
const char* const TTankPage::kNoticeCopy =
    "В том случае, если Вы хотите скопировать текущие настройки бака из текущей версии ПО в "
    "последующие, сохраните их сейчас кнопкой \"Сохранить настройки бака\".\r\nВ будущем, после "
    "загрузки НОВОГО ПО МК и соответствующей новой программы настройки, откройте закладку Бак и "
    "нажмите кнопку \"Считать настройки бака\".";
const char* const TTankPage::kNoticeManual =
    "Внмание! Установка значений пользователем вручную НЕ РЕКОМЕНДУЕТСЯ! \r\nНекорректная "
    "установка может привести к неправильной работе МК!";

namespace {

using text::PathFromUtf8;
using widgets::Q;

constexpr const char* kHeader = "  #       литры           у.е.";
constexpr int kLitresColumn = 1, kUnitsColumn = 2;
const QColor kTypoCell{255, 205, 205};

// The grid's cells take digits only: at most three for litres, four for units.
class TarirCellDelegate final : public QStyledItemDelegate {
 public:
  TarirCellDelegate(std::function<void()> typed, QObject* parent)
      : QStyledItemDelegate(parent), typed_(std::move(typed)) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                        const QModelIndex& index) const override {
    if (index.column() != kLitresColumn && index.column() != kUnitsColumn) return nullptr;
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(index.column() == kLitresColumn ? 3 : 4);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    QObject::connect(edit, &QLineEdit::textEdited, edit, [typed = typed_] { typed(); });
    return edit;
  }

 private:
  std::function<void()> typed_;
};

// A notice keeps the line breaks it was written with.
QLabel* Notice(const char* text, QWidget* parent) {
  auto* label = new QLabel(Q(text).replace("\r\n", "\n"), parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  return label;
}

QLabel* Header(QWidget* parent) {
  auto* label = new QLabel(Q(kHeader), parent);
  label->setTextFormat(Qt::PlainText);
  return label;
}

// The row of a control the page draws; the table has every one of them.
const settings::Setting& Row(std::string_view name) {
  return *settings::FindSetting(name);
}

const settings::Setting& RowNamed(const QString& name) {
  return Row(std::string_view(name.toStdString()));
}

}  // namespace

TTankPage::TTankPage(TEditorContext& context, QWidget* parent)
    : TSettingsPage(context, settings::Page::Tank, parent) {}

TTankPage::~TTankPage() {
  disconnect(focus_watch_);
}

QSpinBox* TTankPage::AddSpin(const QString& name) {
  auto* spin = new QSpinBox(this);
  spin->setObjectName(name);
  spin->setMinimumWidth(70);
  spins_.push_back({spin, &RowNamed(name)});
  const BoundSpin bound = spins_.back();
  connect(spin, &QSpinBox::editingFinished, this, [this, bound] { StoreSpin(bound); });
  return spin;
}

void TTankPage::Build() {
  auto* page = new QVBoxLayout(Body());
  page->setContentsMargins(6, 6, 6, 6);
  page->setSpacing(4);
  for (const char* text : {kNoticeVersions, kNoticeCopy, kNoticeManual}) {
    page->addWidget(Notice(text, this));
  }

  // The two linear calibrations side by side, the table with its chart beside them.
  auto* middle = new QHBoxLayout;
  page->addLayout(middle, 1);
  auto* left = new QVBoxLayout;
  middle->addLayout(left);
  left->addWidget(BuildTwoPoints());
  left->addStretch(1);
  middle->addWidget(BuildSevenPoints());
  BuildTarirTable(middle);
  page->addLayout(BuildFileButtons());
}

QGroupBox* TTankPage::BuildTwoPoints() {
  auto* two = new QGroupBox(Q(Row("seLit6L").group), this);
  two->setObjectName("gbOil2Points");
  auto* two_grid = new QGridLayout(two);
  two_grid->addWidget(Header(two), 0, 0, 1, 3);
  const struct {
    const char* lit;
    const char* res;
  } two_rows[] = {{"seLit6L", "seOil6L"}, {"seLit43L", "seOil43L"}};
  for (int r = 0; r < 2; ++r) {
    two_grid->addWidget(new QLabel(Q(Row(two_rows[r].lit).row), two), r + 1, 0);
    two_grid->addWidget(AddSpin(two_rows[r].lit), r + 1, 1);
    two_grid->addWidget(AddSpin(two_rows[r].res), r + 1, 2);
  }
  return two;
}

QGroupBox* TTankPage::BuildSevenPoints() {
  auto* seven = new QGroupBox(Q(Row("seOilCalibrQuant").group), this);
  seven->setObjectName("gbOil7Points");
  auto* seven_grid = new QGridLayout(seven);
  seven_grid->addWidget(Header(seven), 0, 0, 1, 3);
  for (std::size_t k = 0; k < settings::kSevenPointsMax; ++k) {
    SevenRow& row = seven_[k];
    const int r = static_cast<int>(k) + 1;
    row.litres = AddSpin(QStringLiteral("seOilCalibrLitArr%1").arg(k));
    row.units = AddSpin(QStringLiteral("seOilCalibrResArr%1").arg(k));
    row.label = new QLabel(Q(spins_.back().setting->row), seven);
    row.label->setObjectName(QStringLiteral("lOilCalibr%1").arg(k));
    seven_grid->addWidget(row.label, r, 0);
    seven_grid->addWidget(row.litres, r, 1);
    seven_grid->addWidget(row.units, r, 2);
  }
  const settings::Setting& quant = Row("seOilCalibrQuant");
  seven_grid->addWidget(new QLabel(Q(quant.caption), seven), 8, 0, 1, 2, Qt::AlignRight);
  se_quant_ = new QSpinBox(seven);
  se_quant_->setObjectName("seOilCalibrQuant");
  se_quant_->setRange(static_cast<int>(quant.min), static_cast<int>(quant.max));
  seven_grid->addWidget(se_quant_, 8, 2);
  seven_grid->setRowStretch(9, 1);
  // Rows follow the count as it is typed; the count is stored on leaving.
  connect(se_quant_, &QSpinBox::valueChanged, this, [this](int count) { ShowSevenRows(count); });
  connect(se_quant_, &QSpinBox::editingFinished, this, [this] {
    StoreSpin({se_quant_, &Row("seOilCalibrQuant")});
  });
  return seven;
}

void TTankPage::BuildTarirTable(QHBoxLayout* middle) {
  auto* table = new QGroupBox(Q(Row("seTarirLeng").group), this);
  table->setObjectName("gbTarir");
  middle->addWidget(table, 1);
  auto* table_layout = new QHBoxLayout(table);
  auto* table_left = new QVBoxLayout;
  table_layout->addLayout(table_left);
  BuildTarirCount(table, table_left);
  BuildTarirGrid(table, table_left);
  table_left->addWidget(BuildIncline(table));

  chart_ = new TTankChart(table);
  table_layout->addWidget(chart_, 1);
  connect(&Context(), &TEditorContext::Changed, this, &TTankPage::ShowChart);
}

void TTankPage::BuildTarirCount(QGroupBox* table, QVBoxLayout* table_left) {
  const settings::Setting& leng = Row("seTarirLeng");
  auto* count_row = new QHBoxLayout;
  count_row->addWidget(new QLabel(Q(leng.caption), table));
  se_tarir_leng_ = new QSpinBox(table);
  se_tarir_leng_->setObjectName("seTarirLeng");
  se_tarir_leng_->setRange(static_cast<int>(leng.min), static_cast<int>(leng.max));
  // Buttons only: the count changes by the arrows, never by typing.
  if (auto* edit = se_tarir_leng_->findChild<QLineEdit*>()) edit->setReadOnly(true);
  count_row->addWidget(se_tarir_leng_);
  table_left->addLayout(count_row);
  connect(se_tarir_leng_, &QSpinBox::valueChanged, this, [this](int count) {
    if (filling_) return;
    Context().Change([&] { settings::SetTarirPointCount(Mk(), count); });
    Fill();
  });

  cb_finish_ = new QCheckBox(Q(Row("cbTarirFlagFinish").caption), table);
  cb_finish_->setObjectName("cbTarirFlagFinish");
  table_left->addWidget(cb_finish_);
  connect(cb_finish_, &QCheckBox::clicked, this, [this](bool checked) {
    Context().Change([&] { settings::CommitChecked(Row("cbTarirFlagFinish"), Mk(), checked); });
  });
}

void TTankPage::BuildTarirGrid(QGroupBox* table, QVBoxLayout* table_left) {
  grid_ = new QTableWidget(1, 3, table);
  grid_->setObjectName("sgTarir");
  grid_->setHorizontalHeaderLabels({"#", "литры", "уе"});
  grid_->verticalHeader()->hide();
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->setColumnWidth(0, 36);
  grid_->setColumnWidth(kLitresColumn, 60);
  grid_->verticalHeader()->setDefaultSectionSize(20);
  grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                         QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setItemDelegate(new TarirCellDelegate([this] { tarir_edited_ = true; }, grid_));
  grid_->setMinimumWidth(190);
  table_left->addWidget(grid_, 1);
  focus_watch_ = connect(qApp, &QApplication::focusChanged, this, &TTankPage::OnFocusChanged);
}

QGroupBox* TTankPage::BuildIncline(QGroupBox* table) {
  const settings::Setting& incline = Row("rgTarirIncline");
  auto* slope = new QGroupBox(Q(incline.caption), table);
  slope->setObjectName("rgTarirIncline");
  slope->setEnabled(false);
  auto* slope_layout = new QHBoxLayout(slope);
  incline_ = new QButtonGroup(slope);
  int id = 0;
  for (const std::string& caption : settings::ItemsOf(incline, settings::Env::Of(Mk()))) {
    auto* button = new QRadioButton(Q(caption), slope);
    incline_->addButton(button, id++);
    slope_layout->addWidget(button);
  }
  return slope;
}

QHBoxLayout* TTankPage::BuildFileButtons() {
  auto* buttons = new QHBoxLayout;
  auto* save = new QPushButton("Сохранить настройки бака в файл", this);
  save->setObjectName("bSaveTankFile");
  auto* load = new QPushButton("Считать настройки бака из файла", this);
  load->setObjectName("bLoadTankFile");
  buttons->addWidget(save);
  buttons->addWidget(load);
  buttons->addStretch(1);
  connect(save, &QPushButton::clicked, this, &TTankPage::SaveTankFileClick);
  connect(load, &QPushButton::clicked, this, &TTankPage::LoadTankFileClick);
  return buttons;
}

void TTankPage::Fill() {
  filling_ = true;
  const settings::Env env = settings::Env::Of(Mk());
  for (const BoundSpin& b : spins_) {
    // The range first (litres end at the full tank), widened to show a stored value outside it.
    const settings::Shape shape = settings::ShapeOf(*b.setting, Mk(), env);
    const double v = settings::ShowNumber(*b.setting, Mk(), env);
    b.spin->setRange(static_cast<int>(std::min(shape.min, v)),
                     static_cast<int>(std::max(shape.max, v)));
    b.spin->setValue(static_cast<int>(v));
  }
  const auto quant = static_cast<int>(settings::ShowNumber(Row("seOilCalibrQuant"), Mk(), env));
  se_quant_->setValue(quant);
  ShowSevenRows(quant);

  cb_finish_->setChecked(settings::ShowChecked(Row("cbTarirFlagFinish"), Mk()));
  const std::size_t points = settings::TarirPointCount(Mk());
  se_tarir_leng_->setValue(static_cast<int>(points));
  const int slope = settings::ShowIndex(Row("rgTarirIncline"), Mk(), env);
  incline_->setExclusive(false);
  for (QAbstractButton* button : incline_->buttons()) {
    button->setChecked(incline_->id(button) == slope);
  }
  incline_->setExclusive(true);
  FillGrid(points);
  tarir_edited_ = false;
  filling_ = false;
}

void TTankPage::AddMarks(TChangedMarks& marks) {
  // A table row is its point's litres and units.
  for (int r = 0; r < static_cast<int>(settings::kTarirPointsMax); ++r) {
    marks.Add(grid_, r, [r] {
      return std::vector{settings::FindSetting("sgTarirLit" + std::to_string(r)),
                         settings::FindSetting("sgTarirRes" + std::to_string(r))};
    });
  }
}

void TTankPage::FillGrid(std::size_t points) {
  // The table's points are the chart's: TarirLeng of them once Fill has checked the count.
  const settings::TankChart chart = settings::TankChartOf(Mk());
  // The new items keep the changed marks the dialog laid on the rows.
  std::vector<bool> marked(static_cast<std::size_t>(grid_->rowCount()), false);
  for (int r = 0; r < grid_->rowCount(); ++r) {
    const QTableWidgetItem* item = grid_->item(r, kLitresColumn);
    marked[static_cast<std::size_t>(r)] = item != nullptr && item->font().bold();
  }
  grid_->clearContents();
  // No points: the header and one empty row.
  grid_->setRowCount(points == 0 ? 1 : static_cast<int>(points));
  for (int r = 0; r < grid_->rowCount(); ++r) {
    const auto i = static_cast<std::size_t>(r);
    const bool shown = i < points;
    auto* number = new QTableWidgetItem(shown ? QString::number(r + 1) : QString());
    number->setFlags(Qt::ItemIsEnabled);
    grid_->setItem(r, 0, number);
    auto* litres = new QTableWidgetItem(shown ? QString::number(chart.table[i].litres) : "");
    auto* units = new QTableWidgetItem(shown ? QString::number(chart.table[i].units) : "");
    if (shown && chart.table_typos[i]) {
      for (QTableWidgetItem* item : {number, litres, units}) {
        item->setBackground(kTypoCell);
        item->setToolTip("Литров меньше, чем в предыдущей точке: возможно, опечатка.");
      }
    }
    if (i < marked.size() && marked[i]) {
      for (QTableWidgetItem* item : {number, litres, units}) {
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
      }
    }
    grid_->setItem(r, kLitresColumn, litres);
    grid_->setItem(r, kUnitsColumn, units);
  }
  chart_->SetChart(chart);
}

void TTankPage::ShowChart() {
  chart_->SetChart(settings::TankChartOf(Mk()));
}

void TTankPage::StoreSpin(const BoundSpin& bound) {
  if (filling_ || Context().Refreshing()) return;
  const int value = bound.spin->value();
  const settings::Env env = settings::Env::Of(Mk());
  if (settings::ShowNumber(*bound.setting, Mk(), env) == value) return;
  if (!Context().Change([&] { settings::CommitNumber(*bound.setting, Mk(), env, value); })) Fill();
}

void TTankPage::ShowSevenRows(int count) {
  for (std::size_t k = 0; k < seven_.size(); ++k) {
    const bool shown = settings::SevenPointRowShown(k, count);
    seven_[k].label->setVisible(shown);
    seven_[k].litres->setVisible(shown);
    seven_[k].units->setVisible(shown);
  }
}

bool TTankPage::StoreGrid() {
  std::vector<settings::TarirRow> rows;
  for (int r = 0; r < grid_->rowCount(); ++r) {
    auto text = [&](int column) {
      const QTableWidgetItem* item = grid_->item(r, column);
      return item != nullptr ? item->text().toStdString() : std::string();
    };
    rows.push_back({text(kLitresColumn), text(kUnitsColumn)});
  }
  // The points before a refused value stay stored, as one undo step.
  std::string refused;
  Context().Change([&] {
    try {
      settings::StoreTarirRows(Mk(), rows);
    } catch (const RangeError& e) {
      refused = e.what();
    }
  });
  if (!refused.empty()) {
    Context().Prompt().ShowError(refused);
    return false;
  }
  Fill();
  return true;
}

bool TTankPage::WriteBack() {
  return !tarir_edited_ || StoreGrid();
}

void TTankPage::OnFocusChanged(QWidget* /*old*/, QWidget* now) {
  // Focus leaving the window altogether is not leaving the grid.
  if (!tarir_edited_ || storing_grid_ || now == nullptr) return;
  if (now == grid_ || grid_->isAncestorOf(now)) return;
  storing_grid_ = true;
  const bool stored = StoreGrid();
  storing_grid_ = false;
  if (!stored) grid_->setFocus();
}

void TTankPage::SaveTankFileClick() {
  const auto path =
      Context().Dialogs().SaveFile(widgets::FileKind::Tank, Context().FileFolder(), {});
  if (!path) return;
  try {
    device::SaveTankFile(PathFromUtf8(*path), Mk());
  } catch (const Error& e) {
    Context().Prompt().ShowError(e.what());
  }
}

void TTankPage::LoadTankFileClick() {
  const auto path = Context().Dialogs().OpenFile(widgets::FileKind::Tank, Context().FileFolder());
  if (path) LoadTankFile(*path);
}

void TTankPage::LoadTankFile(const std::string& path) {
  std::string notes;
  Context().Change([&] { notes = device::LoadTankFile(PathFromUtf8(path), Mk()).Text(); });
  Fill();
  if (!notes.empty()) Context().Prompt().ShowInfo(notes);
}

}  // namespace mk::editor
