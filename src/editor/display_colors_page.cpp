// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/display_colors_page.h"

#include <QPainter>
#include <QStyledItemDelegate>

#include <QApplication>
#include <QButtonGroup>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "device/mk.h"
#include "editor/changed_marks.h"
#include "editor/display_preview_box.h"
#include "preview/canvas.h"
#include "preview/render.h"
#include "preview/screen_colors.h"
#include "settings/env.h"
#include "settings/setting_table.h"
#include "settings/setting_value.h"
#include "widgets/qt_text.h"

namespace mk::editor {
namespace {

using settings::ElementGroup;

constexpr ElementGroup kGroups[] = {ElementGroup::Digits, ElementGroup::Menu, ElementGroup::Graphs,
                                    ElementGroup::Arrows};
constexpr const char* kGroupPages[] = {"Цифровые дисплеи", "Меню", "Графики", "Стрелочный дисплей"};
constexpr const char* kGroupNames[] = {"Digit", "Menu", "Graph", "Arrow"};

QColor ToQColor(std::uint16_t word) {
  const preview::Rgb8 c = preview::Widen(word);
  return QColor(c.r, c.g, c.b);
}

// A colour cell keeps its colour on the selected row; the selection shows as
// a frame around it instead of covering it.
class SwatchDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    painter->fillRect(option.rect, index.data(Qt::BackgroundRole).value<QBrush>());
    if (option.state & QStyle::State_Selected) {
      painter->save();
      painter->setPen(QPen(option.palette.color(QPalette::Highlight), 2));
      painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
      painter->restore();
    }
  }
};

QTableWidget* MakeGrid(int rows, int caption_width, QWidget* parent) {
  auto* grid = new QTableWidget(rows, 2, parent);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setMinimumSectionSize(15);
  grid->verticalHeader()->setDefaultSectionSize(17);
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->setColumnWidth(0, caption_width);
  grid->setColumnWidth(1, 36);
  grid->setItemDelegateForColumn(1, new SwatchDelegate(grid));
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setFixedSize(caption_width + 36 + 2 * grid->frameWidth(),
                     rows * 17 + 2 * grid->frameWidth());
  for (int r = 0; r < rows; ++r) {
    grid->setItem(r, 0, new QTableWidgetItem);
    grid->setItem(r, 1, new QTableWidgetItem);
  }
  return grid;
}

// Widens the caption column, and the grid with it, to its longest caption in
// bold: a changed mark must neither cut a caption short nor move anything.
void FitCaptions(QTableWidget* grid) {
  QFont bold = grid->font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  const int margin =
      2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
  int width = grid->columnWidth(0);
  for (int r = 0; r < grid->rowCount(); ++r) {
    width = std::max(width, metrics.horizontalAdvance(grid->item(r, 0)->text()) + margin + 2);
  }
  grid->setFixedWidth(grid->minimumWidth() + width - grid->columnWidth(0));
  grid->setColumnWidth(0, width);
}

QSpinBox* MakeSpin(int max, const QString& name, QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(name);
  spin->setRange(0, max);
  spin->setKeyboardTracking(false);
  return spin;
}

QButtonGroup* MakeRadioGroup(const QString& caption, const QString& name, QStringList items,
                             QWidget* parent, QLayout* into) {
  auto* box = new QGroupBox(caption, parent);
  box->setObjectName(name);
  auto* layout = new QHBoxLayout(box);
  auto* group = new QButtonGroup(box);
  for (int i = 0; i < items.size(); ++i) {
    auto* radio = new QRadioButton(items[i], box);
    group->addButton(radio, i);
    layout->addWidget(radio);
  }
  into->addWidget(box);
  return group;
}

}  // namespace

TColorsSubPage::TColorsSubPage(TEditorContext& context, QWidget* parent)
    : TDisplaySubPage(context, parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  BuildPalette(this, layout);
  BuildEditors(this, layout);

  auto* groups = new QTabWidget(this);
  groups->setObjectName("pcColors");
  for (ElementGroup g : kGroups) {
    groups->addTab(BuildElementPage(g, groups), widgets::Q(kGroupPages[static_cast<int>(g)]));
  }
  layout->addWidget(groups, 1);
}

void TColorsSubPage::BuildPalette(QWidget* parent, QLayout* into) {
  auto* box = new QGroupBox("Палитра цветов", parent);
  auto* v = new QVBoxLayout(box);
  palette_ = MakeGrid(static_cast<int>(device::kPaletteSize), 72, box);
  palette_->setObjectName("sgPalette");
  for (int r = 0; r < palette_->rowCount(); ++r) {
    palette_->item(r, 0)->setText(
        widgets::Q(settings::PaletteCaption(static_cast<std::size_t>(r))));
  }
  FitCaptions(palette_);
  connect(palette_, &QTableWidget::cellPressed, this,
          [this](int row, int) { PaletteRowClicked(row); });
  v->addWidget(palette_);
  v->addStretch();
  into->addWidget(box);
}

void TColorsSubPage::BuildEditors(QWidget* parent, QLayout* into) {
  auto* column = new QWidget(parent);
  auto* v = new QVBoxLayout(column);
  v->setContentsMargins(0, 0, 0, 0);
  auto* rgb = new QGroupBox(column);
  auto* form = new QGridLayout(rgb);
  color_caption_ = new QLabel("Цвет 1", rgb);
  color_caption_->setObjectName("lColorCaption");
  form->addWidget(color_caption_, 0, 0, 1, 2);
  const char* captions[] = {"Красный", "Зеленый", "Синий"};
  const char* names[] = {"seRed", "seGreen", "seBlue"};
  for (int c = 0; c < 3; ++c) {
    channels_[static_cast<std::size_t>(c)] = MakeSpin(31, names[c], rgb);
    form->addWidget(new QLabel(widgets::Q(captions[c]), rgb), c + 1, 0);
    form->addWidget(channels_[static_cast<std::size_t>(c)], c + 1, 1);
    connect(channels_[static_cast<std::size_t>(c)], &QSpinBox::valueChanged, this,
            &TColorsSubPage::ChannelChanged);
  }
  v->addWidget(rgb);

  scheme_box_ = new QGroupBox("Цветовая схема", column);
  scheme_box_->setObjectName("rgColorScheme");
  auto* schemes = new QVBoxLayout(scheme_box_);
  schemes_ = new QButtonGroup(scheme_box_);
  for (int s = 0; s < 4; ++s) {
    auto* radio = new QRadioButton(
        widgets::Q(settings::kSchemeCaptions[static_cast<std::size_t>(s)]), scheme_box_);
    schemes_->addButton(radio, s + 1);
    schemes->addWidget(radio);
  }
  connect(schemes_, &QButtonGroup::idClicked, this, &TColorsSubPage::SchemeClicked);
  v->addWidget(scheme_box_);

  auto* copy = new QPushButton("Скопировать в польз.", column);
  copy->setObjectName("bCopyToUser");
  connect(copy, &QPushButton::clicked, this,
          [this] { Change([this] { settings::CopyToUserScheme(Mk()); }); });
  v->addWidget(copy);
  auto* reset = new QPushButton("Все в исх.состояние", column);
  reset->setObjectName("bResetColors");
  connect(reset, &QPushButton::clicked, this, &TColorsSubPage::ResetAll);
  v->addWidget(reset);
  v->addStretch();
  into->addWidget(column);
}

QWidget* TColorsSubPage::BuildElementPage(ElementGroup group, QWidget* parent) {
  auto* page = new QWidget(parent);
  const bool digits = group == ElementGroup::Digits;
  // The digit page has two previews side by side, so its grid goes above them;
  // the others have one preview beside the grid.
  QBoxLayout* outer = digits ? static_cast<QBoxLayout*>(new QVBoxLayout(page))
                             : static_cast<QBoxLayout*>(new QHBoxLayout(page));
  outer->setContentsMargins(4, 4, 4, 4);
  auto* top = new QHBoxLayout;
  top->addLayout(BuildElementList(group, page));

  if (digits) {
    top->addWidget(BuildDigitExtras(page), 0, Qt::AlignTop);
    top->addStretch();
    outer->addLayout(top);
    outer->addWidget(BuildDigitPreviews(page), 0, Qt::AlignLeft);
    outer->addStretch();
    return page;
  }
  outer->addLayout(top);
  outer->addLayout(BuildScreenPreview(group, page));
  outer->addStretch();
  return page;
}

QVBoxLayout* TColorsSubPage::BuildElementList(ElementGroup group, QWidget* page) {
  const auto g = static_cast<std::size_t>(group);
  auto* left = new QVBoxLayout;
  const auto rows = settings::ElementRows(group);
  auto* grid =
      MakeGrid(static_cast<int>(rows.size()), group == ElementGroup::Digits ? 90 : 180, page);
  grid->setObjectName(QStringLiteral("sg%1Colors").arg(kGroupNames[g]));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    grid->item(static_cast<int>(r), 0)->setText(widgets::Q(rows[r].caption));
  }
  FitCaptions(grid);
  element_grids_[g] = grid;
  connect(grid, &QTableWidget::cellPressed, this,
          [this, group](int row, int) { ElementRowClicked(group, row); });
  left->addWidget(grid);
  auto* editor_row = new QHBoxLayout;
  editor_row->addWidget(new QLabel("Цвет #", page));
  element_editors_[g] = MakeSpin(15, QStringLiteral("se%1Color").arg(kGroupNames[g]), page);
  connect(element_editors_[g], &QSpinBox::valueChanged, this,
          [this, group] { ElementIndexChanged(group); });
  editor_row->addWidget(element_editors_[g]);
  editor_row->addStretch();
  left->addLayout(editor_row);
  left->addStretch();
  return left;
}

QTabWidget* TColorsSubPage::BuildDigitPreviews(QWidget* page) {
  // Preview pages of the digit screens in the colours being edited.
  auto* pages = new QTabWidget(page);
  pages->setObjectName("pcDigitPreviews");
  const auto add_page = [&](const char* caption, const std::vector<TPreviewBox*>& boxes) {
    auto* p = new QWidget(pages);
    auto* row = new QHBoxLayout(p);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    for (TPreviewBox* b : boxes) {
      b->setParent(p);
      row->addWidget(b);
      previews_.push_back(b);
    }
    pages->addTab(p, widgets::Q(caption));
  };
  auto x1 = new TPreviewBox([](preview::Canvas& c, const device::TMK& mk, std::size_t set) {
    const catalog::TProtBase* protocol = mk.Catalogues().CurrentProtocol();
    const std::uint8_t code =
        protocol != nullptr && !protocol->ParamCodes.empty() ? protocol->ParamCodes[0] : 12;
    preview::RenderX1(c, mk, code, set);
  });
  add_page("х1 и х7", {x1, new TPreviewBox(preview::ScreenKind::X7, 0)});
  add_page("х4 и х9", {new TPreviewBox(preview::ScreenKind::X4, 0),
                       new TPreviewBox(preview::ScreenKind::X9, 0)});
  add_page("х6 и х3", {new TPreviewBox(preview::ScreenKind::X6, 0),
                       new TPreviewBox(preview::ScreenKind::X3, 0)});
  return pages;
}

QVBoxLayout* TColorsSubPage::BuildScreenPreview(ElementGroup group, QWidget* page) {
  TPreviewBox* box = nullptr;
  if (group == ElementGroup::Menu) {
    box = new TPreviewBox([](preview::Canvas& c, const device::TMK& mk, std::size_t set) {
      preview::RenderHotMenu(c, mk, 0, set);
    });
  } else {
    box = new TPreviewBox(
        group == ElementGroup::Graphs ? preview::ScreenKind::Graph : preview::ScreenKind::Arrow, 0);
  }
  box->setParent(page);
  previews_.push_back(box);
  auto* v = new QVBoxLayout;
  v->addWidget(box);
  v->addStretch();
  return v;
}

QWidget* TColorsSubPage::BuildDigitExtras(QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* v = new QHBoxLayout(box);
  v->setContentsMargins(0, 0, 0, 0);
  // Captions, items and write-back are the rows' own.
  const auto make = [&](const char* name) {
    const settings::Setting& row = *settings::FindSetting(name);
    QStringList items;
    for (const auto& item : settings::ItemsOf(row, settings::Env::Of(Mk()))) {
      items.push_back(widgets::Q(item));
    }
    QButtonGroup* group = MakeRadioGroup(widgets::Q(row.caption), name, items, box, v);
    connect(group, &QButtonGroup::idClicked, this, [this, &row](int index) {
      if (setting_) return;
      Change([this, &row, index] {
        settings::CommitIndex(row, Mk(), settings::Env::Of(Mk()), index);
      });
    });
    return group;
  };
  disp_var4_ = make("rgDispVar4");
  disp_var9_ = make("rgDispVar9");
  return box;
}

void TColorsSubPage::Fill() {
  setting_ = true;
  const device::TMK& mk = Mk();
  const auto set = mk.ColorSet(SetIndex());
  const preview::ScreenColors colors(set);
  for (int r = 0; r < palette_->rowCount(); ++r) {
    palette_->item(r, 1)->setBackground(
        ToQColor(settings::PaletteWord(set, static_cast<std::size_t>(r))));
  }
  for (ElementGroup g : kGroups) {
    QTableWidget* grid = ElementGrid(g);
    const auto rows = settings::ElementRows(g);
    for (std::size_t r = 0; r < rows.size(); ++r) {
      grid->item(static_cast<int>(r), 1)->setBackground(ToQColor(colors.AtOffset(rows[r].offset)));
    }
    const int current = std::max(grid->currentRow(), 0);
    ElementEditor(g)->setValue(
        settings::ElementIndex(set, rows[static_cast<std::size_t>(current)]));
  }
  const device::Rgb rgb =
      device::UnpackColor(settings::PaletteWord(set, static_cast<std::size_t>(palette_row_)));
  channels_[0]->setValue(rgb.r);
  channels_[1]->setValue(rgb.g);
  channels_[2]->setValue(rgb.b);
  if (QAbstractButton* b = schemes_->button(settings::ActiveScheme(mk))) b->setChecked(true);
  for (auto [group, name] :
       {std::pair{disp_var4_, "rgDispVar4"}, std::pair{disp_var9_, "rgDispVar9"}}) {
    const int index = settings::ShowIndex(*settings::FindSetting(name), mk, settings::Env::Of(mk));
    group->setExclusive(false);  // a stored value with no item checks none
    for (QAbstractButton* b : group->buttons()) b->setChecked(group->id(b) == index);
    group->setExclusive(true);
  }
  for (TPreviewBox* box : previews_) box->Redraw(mk, SetIndex());
  setting_ = false;
}

void TColorsSubPage::AddMarks(TChangedMarks& marks) {
  // A grid row is the setting of the set the grids show.
  for (int r = 0; r < palette_->rowCount(); ++r) {
    marks.Add(palette_->item(r, 0), [this, r] {
      return std::vector{&settings::PaletteSetting(SetIndex(), static_cast<std::size_t>(r))};
    });
  }
  for (ElementGroup g : kGroups) {
    const auto rows = settings::ElementRows(g);
    for (std::size_t r = 0; r < rows.size(); ++r) {
      marks.Add(ElementGrid(g)->item(static_cast<int>(r), 0), [this, row = rows[r]] {
        return std::vector{&settings::ElementSetting(SetIndex(), row)};
      });
    }
  }
  // The scheme group stands for what no grid shows: the scheme itself, the
  // preset the working set holds, and the colours of the other set.
  marks.Add(scheme_box_, [this] {
    auto shows = settings::ColorSetSettings(1 - SetIndex());
    for (const char* name : {"rgColorScheme", "ColorSchemeLoaded"}) {
      shows.push_back(settings::FindSetting(name));
    }
    return shows;
  });
}

void TColorsSubPage::PaletteRowClicked(int row) {
  if (setting_ || row < 0) return;
  palette_row_ = row;
  color_caption_->setText(palette_->item(row, 0)->text());
  Fill();
}

void TColorsSubPage::ChannelChanged() {
  if (setting_) return;
  const device::Rgb rgb{channels_[0]->value(), channels_[1]->value(), channels_[2]->value()};
  const std::size_t entry = static_cast<std::size_t>(palette_row_);
  Change([this, entry, rgb] { settings::SetPaletteColor(Mk().ColorSet(SetIndex()), entry, rgb); });
}

void TColorsSubPage::ElementRowClicked(ElementGroup group, int row) {
  if (setting_ || row < 0) return;
  setting_ = true;
  const auto rows = settings::ElementRows(group);
  ElementEditor(group)->setValue(
      settings::ElementIndex(Mk().ColorSet(SetIndex()), rows[static_cast<std::size_t>(row)]));
  setting_ = false;
}

void TColorsSubPage::ElementIndexChanged(ElementGroup group) {
  if (setting_) return;
  const int row = std::max(ElementGrid(group)->currentRow(), 0);
  const settings::ElementRow element = settings::ElementRows(group)[static_cast<std::size_t>(row)];
  const int index = ElementEditor(group)->value();
  Change([this, element, index] {
    settings::SetElementIndex(Mk().ColorSet(SetIndex()), element, index);
  });
}

bool TColorsSubPage::SchemeFocus() const {
  const QWidget* focus = QApplication::focusWidget();
  return focus != nullptr && scheme_box_->isAncestorOf(focus);
}

void TColorsSubPage::SchemeClicked(int scheme) {
  if (setting_) return;
  if (settings::SchemeChangeReplacesColors(Mk(), scheme) && SchemeFocus() &&
      !Context().Prompt().AskYesNo(std::string(settings::kChangeSchemeQuestion))) {
    Fill();  // back on the active scheme
    return;
  }
  Change([this, scheme] { settings::ChooseScheme(Mk(), scheme); });
}

void TColorsSubPage::ResetAll() {
  if (!Context().Prompt().AskYesNo(std::string(settings::kResetSchemesQuestion))) return;
  Change([this] { settings::ResetColorSchemes(Mk()); });
}

}  // namespace mk::editor
