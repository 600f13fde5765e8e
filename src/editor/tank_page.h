// SPDX-License-Identifier: GPL-3.0-or-later
// The page "Бак": the fuel-tank calibration (a line through two points, a
// polyline through up to seven points, a table of up to 68 measured points),
// its chart, and the tank settings file that carries it across firmware
// changes. The rules live in the core (settings/tank_calibration.h,
// device/tank_file.h); this page shows them and writes back through the
// editor's context.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "editor/settings_page.h"
#include "settings/setting.h"
#include "settings/tank_calibration.h"

class QButtonGroup;
class QGroupBox;
class QHBoxLayout;
class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QVBoxLayout;

namespace mk::editor {

class TTankChart;

class TTankPage final : public TSettingsPage {
  Q_OBJECT

 public:
  static const char* const kNoticeVersions;
  static const char* const kNoticeCopy;
  static const char* const kNoticeManual;

  explicit TTankPage(TEditorContext& context, QWidget* parent = nullptr);
  /// Drops the application's focus signal first: the child widgets' own
  /// destruction moves the focus, and the page is no longer whole by then.
  ~TTankPage() override;

  void Build() override;
  void Fill() override;
  bool WriteBack() override;
  void Activated() override { Fill(); }
  void AddMarks(TChangedMarks& marks) override;

  /// Loads the tank settings file at `path` (UTF-8) as the button
  /// «Считать настройки бака из файла» does once its file is chosen.
  void LoadTankFile(const std::string& path);

  /// TarirEdited: a grid cell was typed into and not yet written back.
  bool TarirEdited() const { return tarir_edited_; }
  TTankChart* Chart() const { return chart_; }

 private:
  // A spin edit of the FuelSensor record: litres are limited by TankContFull,
  // units by the shown range.
  QMetaObject::Connection focus_watch_;
  struct BoundSpin {
    QSpinBox* spin;
    const settings::Setting* setting;  // its row: range, field and write-back
  };
  struct SevenRow {
    QLabel* label = nullptr;
    QSpinBox* litres = nullptr;
    QSpinBox* units = nullptr;
  };

  QGroupBox* BuildTwoPoints();
  QGroupBox* BuildSevenPoints();
  /// The point table: its count, finish flag, grid and slope, the chart beside.
  void BuildTarirTable(QHBoxLayout* middle);
  void BuildTarirCount(QGroupBox* table, QVBoxLayout* table_left);
  void BuildTarirGrid(QGroupBox* table, QVBoxLayout* table_left);
  QGroupBox* BuildIncline(QGroupBox* table);
  QHBoxLayout* BuildFileButtons();
  QSpinBox* AddSpin(const QString& name);
  void StoreSpin(const BoundSpin& bound);
  void ShowChart();
  void ShowSevenRows(int count);
  void FillGrid(std::size_t points);
  /// The grid's write-back; false when a value was refused.
  bool StoreGrid();
  void OnFocusChanged(QWidget* old, QWidget* now);
  void SaveTankFileClick();
  void LoadTankFileClick();

  std::vector<BoundSpin> spins_;
  std::array<SevenRow, settings::kSevenPointsMax> seven_{};
  QSpinBox* se_quant_ = nullptr;
  QSpinBox* se_tarir_leng_ = nullptr;
  QCheckBox* cb_finish_ = nullptr;
  QTableWidget* grid_ = nullptr;
  QButtonGroup* incline_ = nullptr;
  TTankChart* chart_ = nullptr;
  bool filling_ = false;
  bool tarir_edited_ = false;
  bool storing_grid_ = false;
};

}  // namespace mk::editor
