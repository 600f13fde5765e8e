// The main window's journals_dialog: the journals window run modally over the
// device model inside the journals transaction.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace mk::app {
class IDialogs;
}
namespace mk::device {
class TMK;
}

namespace mk::viewers {

struct JournalsService {
  /// The window's parent (the main window); may be null.
  std::function<QWidget*()> parent;
  /// Where the save dialog starts: the program's folder.
  std::string program_folder;
  /// Boxes and the save dialog; null: the real ones, parented to the window.
  app::IDialogs* dialogs = nullptr;
  /// Runs when the window closes with OK after a clearing: the settings changed.
  std::function<void()> cleared;
};

/// A journals_dialog for MainFormServices: true when the window closed with OK.
std::function<bool(device::TMK&)> JournalsDialog(JournalsService service);

}  // namespace mk::viewers
