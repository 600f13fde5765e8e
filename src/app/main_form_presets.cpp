// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's settings as text: some pages saved as a readable preset,
// and a preset loaded over the held settings after its changes are shown.
#include <QAction>
#include <QDate>
#include <QMenu>
#include <QPushButton>

#include "app/main_form.h"
#include "device/block_tables.h"
#include "settings/preset.h"
#include "text/utf8_path.h"
#include "widgets/qt_text.h"

namespace mk::app {

void TMainForm::BuildPresetMenu(QMenu* menu) {
  menu->addSeparator();
  QAction* save = menu->addAction(QStringLiteral("Сохранить страницы как текст…"));
  save->setObjectName("aSaveAsText");
  QAction* load = menu->addAction(QStringLiteral("Загрузить из текста…"));
  load->setObjectName("aLoadFromText");
  // Both need held settings.
  const auto follow = [this, save, load] {
    for (QAction* a : {save, load}) a->setEnabled(HoldsSettings());
  };
  connect(menu, &QMenu::aboutToShow, this, follow);
  connect(save, &QAction::triggered, this, [this] {
    SavePagesAsText();
    UpdateStatus();
  });
  connect(load, &QAction::triggered, this, [this] {
    LoadFromText();
    UpdateStatus();
  });
}

void TMainForm::SavePagesAsText() {
  if (busy_ || !mk_ || !HoldsSettings()) return;
  const auto pages = dialogs_->ChoosePages("Сохранить страницы как текст");
  if (!pages || pages->empty()) return;
  const QString date = QDate::currentDate().toString(Qt::ISODate);
  const auto path =
      dialogs_->SaveFile(widgets::FileKind::Preset, FileFolder(),
                         QStringLiteral("МК-настройки-%1.txt").arg(date).toStdString());
  if (!path) return;
  try {
    // Shown as the editor would show them, with the catalogues it builds.
    device::TMK shown = *mk_;
    std::string text;
    shown.EditSettings([&] {
      text = settings::PresetText(shown, *pages, date.toStdString());
      return false;
    });
    settings::SavePreset(text::PathFromUtf8(*path), text);
    RememberFolder(*path);
  } catch (const std::exception& e) {
    dialogs_->ShowError(e.what());
  }
}

void TMainForm::LoadFromText() {
  if (busy_ || !mk_ || !HoldsSettings()) return;
  const auto path = dialogs_->OpenFile(widgets::FileKind::Preset, FileFolder());
  if (!path) return;
  try {
    RememberFolder(*path);
    // The preset goes onto a copy; the held settings change only by what is ticked.
    device::TMK loaded = *mk_;
    settings::PresetOutcome outcome;
    loaded.EditSettings([&] {
      outcome = settings::ApplyPreset(loaded, settings::ReadPreset(text::PathFromUtf8(*path)));
      return true;
    });
    widgets::ChangesView view;
    view.purpose = widgets::ChangesPurpose::Take;
    view.title = "Загрузить из текста";
    view.intro =
        "Отметьте настройки, которые взять из текста (было - текущие, станет - из "
        "текста). Ничего не меняется, пока вы не нажмёте «Взять».";
    view.notes_title = "Строки, которые не взяты";
    view.notes = outcome.refused;
    view.notes.insert(view.notes.end(), outcome.skipped.begin(), outcome.skipped.end());
    OfferToTake(view, loaded,
                QStringLiteral("Из текста «%1»").arg(widgets::Q(text::FileNameText(*path))));
  } catch (const std::exception& e) {
    dialogs_->ShowError(e.what());
  }
}

}  // namespace mk::app
