// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/changes_form.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

#include "widgets/qt_text.h"

namespace mk::widgets {

namespace {

// Item data: the setting a row shows, and the page a page row stands for.
constexpr int kSettingRole = Qt::UserRole;
constexpr int kPageRole = Qt::UserRole + 1;
constexpr int kTitleRole = Qt::UserRole + 2;

}  // namespace

TChangesForm::TChangesForm(const ChangesView& view, QWidget* parent)
    : QDialog(parent), view_(view) {
  setObjectName("ChangesForm");
  setWindowTitle(Q(view.title));
  auto* layout = new QVBoxLayout(this);
  BuildList(layout);
  BuildButtons(layout);
  connect(changes_tree_, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item) { OnDoubleClick(item); });
  Fill();
  connect(changes_tree_, &QTreeWidget::itemChanged, this, &TChangesForm::CountTicks);
  CountTicks();
  resize(720, 460);
}

void TChangesForm::BuildList(QVBoxLayout* layout) {
  auto* intro = new QLabel(Q(view_.intro), this);
  intro->setObjectName("lIntro");
  intro->setWordWrap(true);
  layout->addWidget(intro);
  auto* filter = new QLineEdit(this);
  filter->setObjectName("eFilter");
  filter->setPlaceholderText(QStringLiteral("Фильтр: часть названия, страницы или значения"));
  filter->setClearButtonEnabled(true);
  connect(filter, &QLineEdit::textChanged, this, &TChangesForm::ApplyFilter);
  layout->addWidget(filter);
  changes_tree_ = new QTreeWidget(this);
  changes_tree_->setObjectName("tvChanges");
  changes_tree_->setHeaderLabels(
      {QStringLiteral("Настройка"), QStringLiteral("Было"), QStringLiteral("Станет")});
  changes_tree_->setRootIsDecorated(true);
  changes_tree_->setUniformRowHeights(true);
  changes_tree_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  layout->addWidget(changes_tree_);
  ticked_label_ = new QLabel(this);
  ticked_label_->setObjectName("lTicked");
  layout->addWidget(ticked_label_);
}

void TChangesForm::BuildButtons(QVBoxLayout* layout) {
  auto* buttons = new QDialogButtonBox(this);
  const bool nothing = view_.diff.Empty();
  switch (view_.purpose) {
    case ChangesPurpose::Write:
      ok_button_ = buttons->addButton(
          nothing ? QStringLiteral("Записать всё равно") : QStringLiteral("Записать"),
          QDialogButtonBox::AcceptRole);
      break;
    case ChangesPurpose::Restore:
      ok_button_ = buttons->addButton(QStringLiteral("Восстановить"), QDialogButtonBox::AcceptRole);
      break;
    case ChangesPurpose::Take:
      ok_button_ = buttons->addButton(QStringLiteral("Взять"), QDialogButtonBox::AcceptRole);
      break;
    case ChangesPurpose::Compare:
      // Taking some of the other side's values is a deliberate act: not on Enter.
      if (!nothing) {
        ok_button_ =
            buttons->addButton(QStringLiteral("Взять отмеченные"), QDialogButtonBox::AcceptRole);
      }
      break;
  }
  QPushButton* cancel =
      buttons->addButton(view_.purpose == ChangesPurpose::Compare ? QStringLiteral("Закрыть")
                                                                  : QStringLiteral("Отмена"),
                         QDialogButtonBox::RejectRole);
  cancel->setObjectName("bCancel");
  if (ok_button_ != nullptr) {
    ok_button_->setObjectName("bOk");
    // Enter writes; the filter box must not take it for itself.
    const bool on_enter = view_.purpose != ChangesPurpose::Compare;
    ok_button_->setDefault(on_enter);
    ok_button_->setAutoDefault(on_enter);
  }
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void TChangesForm::Fill() {
  changes_tree_->clear();
  const bool ticks = Ticked(view_.purpose);
  const auto section = [this](const QString& title) {
    auto* item = new QTreeWidgetItem(changes_tree_);
    item->setData(0, kTitleRole, title);
    item->setFirstColumnSpanned(true);
    QFont bold = item->font(0);
    bold.setBold(true);
    item->setFont(0, bold);
    return item;
  };
  // A page's box follows its settings' ticks (and ticks or clears them all).
  const auto ticked_section = [&](const QString& title) {
    QTreeWidgetItem* item = section(title);
    if (ticks) {
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsAutoTristate);
      item->setCheckState(0, Qt::Checked);
    }
    return item;
  };
  const auto row = [ticks](QTreeWidgetItem* under, const settings::ShownChange& c) {
    const std::string name = c.group.empty() ? c.caption : c.group + " / " + c.caption;
    auto* item = new QTreeWidgetItem(under, {Q(name), Q(c.old_value), Q(c.new_value)});
    item->setData(0, kSettingRole, QVariant::fromValue(reinterpret_cast<quintptr>(c.setting)));
    item->setToolTip(0,
                     Q(c.page_caption + " / " + name + " (" + std::string(c.setting->name) + ")"));
    if (ticks) {
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      item->setCheckState(0, Qt::Checked);
    }
  };

  if (view_.diff.Empty()) {
    auto* item = new QTreeWidgetItem(
        changes_tree_, {view_.purpose == ChangesPurpose::Write
                            ? QStringLiteral("Различий нет: МК уже хранит эти настройки.")
                            : QStringLiteral("Различий нет.")});
    item->setFirstColumnSpanned(true);
  }
  for (const std::string& line : view_.diff.header) {
    auto* item = new QTreeWidgetItem(changes_tree_, {Q(line)});
    item->setFirstColumnSpanned(true);
  }
  std::map<settings::Page, QTreeWidgetItem*> pages;
  for (const auto& c : view_.diff.changes) {
    auto& page = pages[c.page];
    if (page == nullptr) {
      page = ticked_section(Q(c.page_caption));
      page->setData(0, kPageRole, static_cast<int>(c.page));
    }
    row(page, c);
  }
  if (!view_.diff.hidden.empty()) {
    QTreeWidgetItem* hidden = ticked_section(QStringLiteral("Скрыты для этого МК"));
    for (const auto& c : view_.diff.hidden) row(hidden, c);
  }
  if (!view_.notes.empty()) {
    QTreeWidgetItem* notes = section(Q(view_.notes_title));
    for (const std::string& line : view_.notes) new QTreeWidgetItem(notes, {Q(line)});
  }
  if (!view_.not_taken.empty()) {
    QTreeWidgetItem* skipped = section(QStringLiteral("Скрыты для этого МК и не берутся"));
    for (const settings::Setting* s : view_.not_taken) {
      new QTreeWidgetItem(skipped, {Q(std::string(settings::InfoOf(s->page).caption) + " / " +
                                      std::string(s->caption.empty() ? s->name : s->caption))});
    }
  }
  if (!view_.diff.other.empty()) {
    QTreeWidgetItem* other = section(QStringLiteral("Журналы и прочая память"));
    for (const std::string& line : view_.diff.other) new QTreeWidgetItem(other, {Q(line)});
  }
  changes_tree_->expandAll();
  for (const int column : {1, 2}) {
    changes_tree_->resizeColumnToContents(column);
    changes_tree_->setColumnWidth(column, std::max(changes_tree_->columnWidth(column), 110));
  }
  Recount();
}

void TChangesForm::Recount() {
  for (int i = 0; i < changes_tree_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* top = changes_tree_->topLevelItem(i);
    const QString title = top->data(0, kTitleRole).toString();
    if (title.isEmpty()) continue;
    int shown = 0;
    for (int j = 0; j < top->childCount(); ++j) shown += top->child(j)->isHidden() ? 0 : 1;
    const QSignalBlocker quiet(changes_tree_);
    top->setText(
        0, shown == top->childCount()
               ? QStringLiteral("%1 (%2)").arg(title).arg(shown)
               : QStringLiteral("%1 (%2 из %3)").arg(title).arg(shown).arg(top->childCount()));
  }
}

void TChangesForm::ApplyFilter(const QString& text) {
  const QString needle = text.trimmed();
  for (int i = 0; i < changes_tree_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* top = changes_tree_->topLevelItem(i);
    const bool page_matches =
        top->data(0, kTitleRole).toString().contains(needle, Qt::CaseInsensitive);
    int shown = 0;
    for (int j = 0; j < top->childCount(); ++j) {
      QTreeWidgetItem* child = top->child(j);
      bool match = needle.isEmpty() || page_matches;
      for (int col = 0; col < 3 && !match; ++col) {
        match = child->text(col).contains(needle, Qt::CaseInsensitive);
      }
      child->setHidden(!match);
      shown += match ? 1 : 0;
    }
    if (top->childCount() != 0) top->setHidden(shown == 0);
  }
  Recount();
}

void TChangesForm::OnDoubleClick(QTreeWidgetItem* item) {
  if (view_.purpose != ChangesPurpose::Compare) return;
  const auto setting = item->data(0, kSettingRole).value<quintptr>();
  if (setting == 0) return;
  // The item's data is the address of a row of the setting table, which outlives the window.
  open_ = reinterpret_cast<const settings::Setting*>(setting);  // NOLINT(performance-no-int-to-ptr)
  accept();
}

ChangesAnswer TChangesForm::Answer() const {
  ChangesAnswer answer;
  answer.open = open_;
  if (!Ticked(view_.purpose)) return answer;
  for (QTreeWidgetItemIterator it(changes_tree_); *it != nullptr; ++it) {
    const auto setting = (*it)->data(0, kSettingRole).value<quintptr>();
    if (setting != 0 && (*it)->checkState(0) != Qt::Checked) {
      // NOLINTNEXTLINE(performance-no-int-to-ptr): a row's address, as above
      answer.unticked.push_back(reinterpret_cast<const settings::Setting*>(setting));
    }
  }
  return answer;
}

void TChangesForm::CountTicks() {
  int ticked = 0, all = 0;
  for (QTreeWidgetItemIterator it(changes_tree_); *it != nullptr; ++it) {
    if ((*it)->data(0, kSettingRole).value<quintptr>() == 0) continue;
    ++all;
    ticked += (*it)->checkState(0) == Qt::Checked ? 1 : 0;
  }
  ticked_label_->setVisible(Ticked(view_.purpose) && all > 0);
  ticked_label_->setText(QStringLiteral("Отмечено %1 из %2").arg(ticked).arg(all));
  // A list of changes with none ticked leaves nothing to write or take.
  if (ok_button_ != nullptr && view_.purpose != ChangesPurpose::Restore && all > 0) {
    ok_button_->setEnabled(ticked > 0);
  }
}

ChangesAnswer TChangesForm::Run() {
  if (ok_button_ != nullptr && ok_button_->isDefault()) ok_button_->setFocus();
  const bool ok = exec() == QDialog::Accepted;
  ChangesAnswer answer = Answer();
  answer.accepted = ok && open_ == nullptr;
  return answer;
}

}  // namespace mk::widgets
