// SPDX-License-Identifier: GPL-3.0-or-later
// TMK_ViewOscDlg: the oscilloscope recording drawn with its grid, scales and
// trigger markers; scroll along the 1024 samples, change the time scale, see
// the sample under the pointer, save the trace as text.
#pragma once

#include <QDialog>

#include <optional>
#include <string>

#include "scope/osc_drawing.h"
#include "scope/osc_recording.h"
#include "widgets/window_environment.h"

class QLabel;
class QPushButton;
class QScrollBar;
class QVBoxLayout;

namespace mk::widgets {
class IDialogs;
}
namespace mk::device {
class TMK;
}

namespace mk::viewers {

class TOscPaintBox;
class TOscRadioGroup;

inline constexpr const char* kOscCaption = "Просмотр данных осциллографа";

class TMK_ViewOscDlg final : public QDialog {
  Q_OBJECT

 public:
  /// Works on the recording in `mk` (loaded by the oscilloscope transaction).
  /// The samples were taken at the time scale the recording holds now; when
  /// that is none of the ten, mk::RangeError is thrown and nothing opens.
  /// `program_folder` is where the save dialog starts.
  TMK_ViewOscDlg(device::TMK& mk, widgets::IDialogs& dialogs, std::string program_folder,
                 QWidget* parent = nullptr);
  ~TMK_ViewOscDlg() override;

  /// What is drawn now: the scroll offset, the opening time scale, the size.
  scope::OscView View() const;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  /// Sets the controls from the recording and draws it, when the window first shows.
  void ShowRecording();
  void ChooseTimeScale(int index);
  void ChooseVoltScale();
  void Scroll(int position);
  void SaveTrace();
  void ShowReadout(int x);
  /// Draws the picture into the bitmap and shows it; a range error goes to the
  /// error box and the dialog stays as it is.
  void Draw();

  void BuildControls();
  void BuildScrollBar(QVBoxLayout* layout);
  /// The three scale groups, the readout and the save button under the trace.
  void BuildControlRow(QVBoxLayout* layout);
  void ConnectControls();
  scope::OscRecording Recording() const;

  // Object names: PB, sbSclollOffset, rgOscTimeDiv, rgOscVoltDiv, rgOscInDivider,
  // lReadout, bSave.
  TOscPaintBox* picture_;
  QScrollBar* scroll_bar_;
  TOscRadioGroup* time_scale_;
  TOscRadioGroup* volt_scale_;
  TOscRadioGroup* divider_;
  QLabel* readout_;
  QPushButton* save_button_;

  device::TMK& mk_;
  widgets::IDialogs& dialogs_;
  std::string program_folder_;
  int base_time_index_;
  int offset_ = 0;
  std::optional<int> pointer_x_;  // over the picture, for the readout
  bool shown_ = false;
};

/// The oscilloscope window over `mk`, run modally inside
/// TMK::ViewOscilloscope; it only shows, so it never changes the settings.
widgets::WindowOutcome RunOscilloscope(device::TMK& mk,
                                       const widgets::WindowEnvironment& environment);

}  // namespace mk::viewers
