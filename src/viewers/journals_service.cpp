#include "viewers/journals_service.h"

#include "app/dialogs.h"
#include "viewers/journals_dlg.h"

namespace mk::viewers {

std::function<bool(device::TMK&)> JournalsDialog(JournalsService service) {
  return [service = std::move(service)](device::TMK& mk) {
    app::QtDialogs own_dialogs;
    app::IDialogs& dialogs = service.dialogs ? *service.dialogs : own_dialogs;
    TMK_ViewJournalsDlg window(mk, dialogs, service.program_folder,
                               service.parent ? service.parent() : nullptr);
    own_dialogs.SetParent(&window);
    const bool ok = window.exec() == QDialog::Accepted;
    if (ok && window.Cleared() && service.cleared) service.cleared();
    return ok;
  };
}

}  // namespace mk::viewers
