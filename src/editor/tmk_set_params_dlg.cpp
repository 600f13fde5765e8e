// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/tmk_set_params_dlg.h"

#include <QTimer>

#include <QApplication>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStringListModel>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <set>

#include "device/block_tables.h"
#include "editor/blocks_page.h"
#include "editor/display_page.h"
#include "editor/page_names.h"
#include "editor/settings_panel.h"
#include "editor/tank_page.h"
#include "editor/value_page.h"
#include "settings/page_rules.h"
#include "settings/setting_table.h"
#include "settings/setting_value.h"
#include "widgets/qt_text.h"

namespace mk::editor {

namespace {

TSettingsPage* MakePage(settings::Page page, TEditorContext& context) {
  // The pages of plain values differ only in their rows, which the page
  // layout table gives; the others draw settings of their own.
  using settings::Page;
  switch (page) {
    case Page::Display:
      return new TDisplayPage(context);
    case Page::Tank:
      return new TTankPage(context);
    case Page::Blocks:
      return new TBlocksPage(context);
    default:
      return new TValuePage(context, page);
  }
}

}  // namespace

TMK_SetParamsDlg::TMK_SetParamsDlg(device::TMK& mk, widgets::IDialogs& dialogs, QWidget* parent,
                                   std::string file_folder)
    : QDialog(parent), context_(mk, dialogs, std::move(file_folder)) {
  setObjectName("MK_SetParamsDlg");
  setWindowTitle(widgets::Q(kEditorCaption));
  // Resizable: a page whose content is larger than the window scrolls.
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowMaximizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setSizeGripEnabled(true);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(4);
  BuildSearchRow(layout);
  BuildPages(layout);
  BuildButtons(layout);
  ConnectContext();

  setMinimumSize(480, 320);
  resize(kEditorWidth, kEditorHeight);
}

void TMK_SetParamsDlg::BuildSearchRow(QVBoxLayout* layout) {
  auto* top = new QHBoxLayout;
  changed_label_ = new QLabel(this);
  changed_label_->setObjectName("lChanged");
  search_ = new QLineEdit(this);
  search_->setObjectName("eSearch");
  search_->setPlaceholderText(QStringLiteral("Найти настройку"));
  search_->setClearButtonEnabled(true);
  search_->setMinimumWidth(320);
  completer_ = new QCompleter(this);
  completer_->setModel(new QStringListModel(completer_));
  completer_->setCaseSensitivity(Qt::CaseInsensitive);
  completer_->setFilterMode(Qt::MatchContains);
  completer_->setMaxVisibleItems(15);
  search_->setCompleter(completer_);
  connect(completer_, qOverload<const QString&>(&QCompleter::activated), this,
          [this](const QString& entry) { GoTo(entry); });
  connect(search_, &QLineEdit::returnPressed, this, [this] {
    const QStringList matches = SearchMatches(search_->text());
    if (!matches.isEmpty()) GoTo(matches.front());
  });
  top->addWidget(changed_label_, 1);
  top->addWidget(search_);
  layout->addLayout(top);
}

void TMK_SetParamsDlg::BuildPages(QVBoxLayout* layout) {
  page_control_ = new QTabWidget(this);
  page_control_->setObjectName("PageControl1");
  layout->addWidget(page_control_, 1);
  for (const auto& info : settings::kPages) {
    TSettingsPage* page = MakePage(info.page, context_);
    page->Build();
    page->AddMarks(marks_);
    page_control_->addTab(page, page->Caption());
    pages_.push_back(page);
  }
}

void TMK_SetParamsDlg::BuildButtons(QVBoxLayout* layout) {
  auto* bottom = new QHBoxLayout;
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  ok_->setObjectName("OKBtn");
  ok_->setText("OK");
  ok_->setDefault(true);
  cancel_ = buttons->button(QDialogButtonBox::Cancel);
  cancel_->setObjectName("CancelBtn");
  cancel_->setText(QStringLiteral("Отмена"));
  connect(buttons, &QDialogButtonBox::accepted, this, &TMK_SetParamsDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TMK_SetParamsDlg::reject);
  bottom->addStretch(1);
  bottom->addWidget(buttons);
  layout->addLayout(bottom);
}

void TMK_SetParamsDlg::ConnectContext() {
  connect(page_control_, &QTabWidget::currentChanged, this, [this](int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < pages_.size())
      pages_[static_cast<std::size_t>(index)]->Activated();
  });
  connect(&context_, &TEditorContext::Refilled, this, &TMK_SetParamsDlg::RefillAll);
  connect(&context_, &TEditorContext::ProtocolChanged, this, [this] {
    context_.SetRefreshing(true);
    for (TSettingsPage* page : pages_) page->Refresh();
    context_.SetRefreshing(false);
    RebuildSearch();
  });
  connect(&context_, &TEditorContext::Changed, this, &TMK_SetParamsDlg::UpdateMarks);
}

TMK_SetParamsDlg::~TMK_SetParamsDlg() {
  // The pages use the context, which goes before the base class deletes its children.
  context_.SetRefreshing(true);
  delete page_control_;
}

void TMK_SetParamsDlg::done(int result) {
  context_.SetRefreshing(true);
  QDialog::done(result);
}

TSettingsPage* TMK_SetParamsDlg::PageOf(settings::Page page) const {
  return pages_[static_cast<unsigned>(page)];
}

void TMK_SetParamsDlg::Open() {  // NOLINT(bugprone-virtual-near-miss): see the declaration
  const auto features = context_.Mk().Catalogues().Variant().features;
  for (auto* tabs : findChildren<QTabWidget*>()) tabs->setCurrentIndex(0);
  RefillAll();
  for (const auto& info : settings::kPages) {
    page_control_->setTabVisible(static_cast<int>(info.page),
                                 settings::PageShown(info.page, features));
  }
  page_control_->setCurrentIndex(0);
  changes_.emplace(context_.Mk());
  drawn_widgets_.clear();
  for (const settings::Setting& s : settings::AllSettings()) {
    if (!s.hand_drawn || !s.widget.empty()) continue;
    if (QWidget* w = DrawnWidget(s); w != nullptr && !marks_.Has(w)) {
      drawn_widgets_.emplace_back(s.name, w);
      ReserveBoldSize(w);
    }
  }
  marks_.ReserveRoom();
  UpdateMarks();
  RebuildSearch();
  search_->clear();
  page_control_->setFocus();
}

std::vector<TBoundControl*> TMK_SetParamsDlg::AllControls() const {
  std::vector<TBoundControl*> all;
  for (const TSettingsPanel* panel : findChildren<TSettingsPanel*>()) {
    for (const auto& control : panel->Controls()) all.push_back(control.get());
  }
  return all;
}

QWidget* TMK_SetParamsDlg::DrawnWidget(const settings::Setting& s) const {
  const std::string_view name = s.widget.empty() ? s.name : s.widget;
  return findChild<QWidget*>(widgets::Q(name));
}

void TMK_SetParamsDlg::UpdateMarks() {
  // The count is the core's: every setting, drawn by hand or not, whose value
  // differs from the one the editor opened with.
  if (!changes_) return;
  const auto changed = changes_->Changed(context_.Mk());
  std::set<std::string_view> names;
  for (const settings::Setting* s : changed) names.insert(s->name);
  for (TBoundControl* control : AllControls()) {
    control->MarkChanged(names.contains(control->Def().name));
  }
  // A hand-drawn control with a widget of its own is marked on that widget.
  for (const auto& [name, w] : drawn_widgets_) {
    QFont font = w->font();
    if (font.bold() != names.contains(name)) {
      font.setBold(names.contains(name));
      w->setFont(font);
    }
  }
  // What the pages draw inside shared grids and previews is marked there.
  marks_.Show(names);
  changed_count_ = static_cast<int>(changed.size());
  changed_label_->setText(changed_count_ == 0
                              ? QString()
                              : QStringLiteral("Изменено настроек: %1").arg(changed_count_));
}

void TMK_SetParamsDlg::RebuildSearch() {
  search_entries_.clear();
  const settings::Env env = settings::Env::Of(context_.Mk());
  QStringList entries;
  const auto add = [&](const settings::Setting& s, QWidget* widget) {
    const auto& page = settings::InfoOf(s.page);
    const QString entry = widgets::Q(settings::DisplayName(s, env)) + QStringLiteral(" — ") +
                          widgets::Q(page.caption);
    if (search_entries_.emplace(entry, Found{&s, widget}).second) entries.push_back(entry);
  };
  for (TBoundControl* control : AllControls()) {
    if (control->IsShown()) add(control->Def(), control->Widget());
  }
  for (const settings::Setting& s : settings::AllSettings()) {
    if (!s.hand_drawn || !settings::Visible(s, context_.Mk(), env)) continue;
    if (QWidget* w = DrawnWidget(s)) add(s, w);
  }
  static_cast<QStringListModel*>(completer_->model())->setStringList(entries);
}

QStringList TMK_SetParamsDlg::SearchMatches(const QString& text) const {
  QStringList matches;
  if (text.trimmed().isEmpty()) return matches;
  for (const auto& [entry, control] : search_entries_) {
    if (entry.contains(text.trimmed(), Qt::CaseInsensitive)) matches.push_back(entry);
  }
  return matches;
}

bool TMK_SetParamsDlg::GoTo(const QString& entry) {
  const auto it = search_entries_.find(entry);
  if (it == search_entries_.end()) return false;
  QWidget* widget = it->second.widget;
  page_control_->setCurrentIndex(static_cast<int>(it->second.setting->page));
  // A control on a sub-page: show the sub-page too.
  for (QWidget* w = widget->parentWidget(); w != nullptr; w = w->parentWidget()) {
    if (auto* stack = qobject_cast<QTabWidget*>(
            w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr)) {
      const int index = stack->indexOf(w);
      if (index >= 0) stack->setCurrentIndex(index);
    }
  }
  widget->setFocus(Qt::ShortcutFocusReason);
  return true;
}

void TMK_SetParamsDlg::OpenTankFile(const std::string& path) {
  auto* page = dynamic_cast<TTankPage*>(PageOf(settings::Page::Tank));
  if (page == nullptr) return;
  page_control_->setCurrentWidget(page);
  page->LoadTankFile(path);
}

bool TMK_SetParamsDlg::GoToSetting(const std::string& name) {
  // The search lists exactly the settings shown for this MK.
  for (const auto& [entry, found] : search_entries_) {
    if (found.setting->name == name) return GoTo(entry);
  }
  return false;
}

void TMK_SetParamsDlg::UndoOrRedo(bool redo) {
  // A value still being typed is committed first, so undo steps back over it.
  if (!redo && !CommitFocused()) return;
  if (redo) {
    context_.Redo();
  } else {
    context_.Undo();
  }
}

namespace {

// The dialog's own keys, taken before any control: undo and redo, the page
// switches a focused combo box or edit field would otherwise eat, the search.
enum class DialogKey { None, Undo, Redo, NextPage, PreviousPage, Search };

DialogKey DialogKeyOf(const QKeyEvent& key) {
  const auto mods = key.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
  if (!(mods & Qt::ControlModifier) || (mods & Qt::AltModifier)) return DialogKey::None;
  const bool shift = mods & Qt::ShiftModifier;
  switch (key.key()) {
    case Qt::Key_Z:
      return shift ? DialogKey::Redo : DialogKey::Undo;
    case Qt::Key_PageDown:
      return shift ? DialogKey::None : DialogKey::NextPage;
    case Qt::Key_PageUp:
      return shift ? DialogKey::None : DialogKey::PreviousPage;
    case Qt::Key_Tab:
      return shift ? DialogKey::PreviousPage : DialogKey::NextPage;
    case Qt::Key_Backtab:
      return DialogKey::PreviousPage;
    case Qt::Key_F:
      return shift ? DialogKey::None : DialogKey::Search;
    default:
      return DialogKey::None;
  }
}

}  // namespace

void TMK_SetParamsDlg::StepPage(int direction) {
  const int count = page_control_->count();
  int index = page_control_->currentIndex();
  for (int tries = 0; tries < count; ++tries) {
    index = (index + direction + count) % count;
    if (page_control_->isTabVisible(index)) break;
  }
  // What is typed on the page left is committed as leaving it would.
  CommitFocused();
  page_control_->setCurrentIndex(index);
  page_control_->currentWidget()->setFocus(Qt::TabFocusReason);
}

bool TMK_SetParamsDlg::CommitFocused() {
  for (TBoundControl* control : AllControls()) {
    if (!control->IsShown()) continue;
    const QWidget* focus = QApplication::focusWidget();
    const bool inside =
        focus != nullptr && (focus == control->Widget() || control->Widget()->isAncestorOf(focus));
    if (inside && !control->CommitPending()) return false;
  }
  return true;
}

bool TMK_SetParamsDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
    return QDialog::eventFilter(watched, event);
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != this) return QDialog::eventFilter(watched, event);
  const DialogKey key = DialogKeyOf(*static_cast<QKeyEvent*>(event));
  if (key == DialogKey::None) return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::ShortcutOverride) {
    event->accept();  // the dialog takes the key from the controls
    return true;
  }
  switch (key) {
    case DialogKey::Undo:
    case DialogKey::Redo:
      UndoOrRedo(key == DialogKey::Redo);
      break;
    case DialogKey::NextPage:
    case DialogKey::PreviousPage:
      StepPage(key == DialogKey::NextPage ? 1 : -1);
      break;
    case DialogKey::Search:
      search_->setFocus(Qt::ShortcutFocusReason);
      search_->selectAll();
      break;
    case DialogKey::None:
      break;
  }
  return true;
}

void TMK_SetParamsDlg::hideEvent(QHideEvent* event) {
  qApp->removeEventFilter(this);
  QDialog::hideEvent(event);
}

void TMK_SetParamsDlg::RefillAll() {
  context_.SetRefreshing(true);
  for (TSettingsPage* page : pages_) page->Fill();
  context_.SetRefreshing(false);
}

void TMK_SetParamsDlg::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    qApp->installEventFilter(this);
    Open();
    if (const QScreen* screen =
            parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen()) {
      // On a small screen (or a large scaling) the editor takes what there is.
      const QRect area = screen->availableGeometry();
      const QSize frame = frameGeometry().size() - size();
      resize(size().boundedTo(area.size() - frame));
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

void TMK_SetParamsDlg::reject() {
  // Esc, "Отмена" and the close box all come here. A value still being typed
  // counts as a change: committed first, it is asked about with the others.
  if (!CommitFocused()) return;
  // Yes throws the edits away, so Enter must not: No is the default.
  if (changed_count_ > 0 &&
      !context_.Dialogs().AskYesNoDefaultNo(
          QStringLiteral("Отменить изменения (%1)?").arg(changed_count_).toStdString())) {
    return;
  }
  QDialog::reject();
}

bool TMK_SetParamsDlg::Run() {
  return exec() == QDialog::Accepted;
}

widgets::WindowOutcome RunSettingsEditor(device::TMK& mk,
                                         const widgets::WindowEnvironment& environment) {
  widgets::WindowDialogs dialogs(environment.dialogs);
  TMK_SetParamsDlg dialog(mk, dialogs.Get(), environment.parent, environment.folder);
  dialogs.Over(&dialog);
  // Once the opening sequence has shown the first page.
  if (const std::string focus = environment.focus; !focus.empty())
    QTimer::singleShot(0, &dialog, [&dialog, focus] { dialog.GoToSetting(focus); });
  if (const std::string tank = environment.tank_file; !tank.empty())
    QTimer::singleShot(0, &dialog, [&dialog, tank] { dialog.OpenTankFile(tank); });
  // OK over no edit leaves every byte as it was: the settings held are then
  // no more changed than before (a fresh read stays the MK's own).
  const device::RecordCopy before = mk.CopyRecords(device::kEditedBlocks);
  const bool ok = dialog.Run();
  return {.accepted = ok, .changed = ok && !mk.SameRecords(before)};
}

}  // namespace mk::editor
