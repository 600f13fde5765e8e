// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/bound_control.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <cmath>

#include "settings/conversions.h"
#include "settings/setting_value.h"
#include "widgets/decimal_separator.h"
#include "widgets/qt_text.h"

namespace mk::editor {

namespace {

using settings::Env;
using settings::Kind;
using settings::Setting;

using widgets::Q;

QStringList ToList(const std::vector<std::string>& items) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(items.size()));
  for (const auto& item : items) list.push_back(Q(item));
  return list;
}

// Why a key or a text was refused, under the control, with the range it takes:
// every control that refuses input says so in the same words.
void ShowRefusal(QWidget* control, const QString& why, const QString& low, const QString& high) {
  QToolTip::showText(control->mapToGlobal(QPoint(0, control->height())),
                     why + QStringLiteral("\nДиапазон: %1 … %2").arg(low, high), control);
}

const char* const kOnlyNumber = "Здесь можно ввести только число.";

// A key that types a character other than a digit (or the field's separator).
bool TypesNonDigit(const QKeyEvent& key, QChar separator) {
  const QString text = key.text();
  if (text.isEmpty() || (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return false;
  return std::ranges::any_of(
      text, [&](QChar c) { return !c.isDigit() && c != separator && c.isPrint(); });
}

// --- Spin edits ------------------------------------------------------------------

// A spin box that takes any number of the digits its range needs, plus one,
// so a typed value outside the range reaches the setting's own check (and
// its message) instead of losing a digit or snapping back in silence. The
// arrows still stay inside the range. What it cannot take at all is refused
// with a tool tip that says why.
class TypedSpinBox final : public QDoubleSpinBox {
 public:
  explicit TypedSpinBox(QWidget* parent) : QDoubleSpinBox(parent) {}

  /// `low`..`high`: the setting's range; `shown` must be reachable too.
  void SetRanges(double low, double high, double shown) {
    low_ = low;
    high_ = high;
    const double widest = std::max({std::abs(low), std::abs(high), 1.0});
    const double digits = std::floor(std::log10(widest)) + 2;
    const double typed = std::pow(10.0, digits) - std::pow(10.0, -decimals());
    setRange(std::min(low < 0 ? -typed : low, shown), std::max(typed, shown));
  }

  QValidator::State validate(QString& text, int& pos) const override {
    const QValidator::State state = QDoubleSpinBox::validate(text, pos);
    if (state == QValidator::Invalid && hasFocus()) {
      QString why;
      const QString body = text.trimmed();
      const QLocale locale;
      const bool only_number = std::ranges::all_of(body, [&](QChar c) {
        return c.isDigit() || c == locale.decimalPoint().at(0) || c == '-' || c == '+' ||
               c == locale.groupSeparator().at(0);
      });
      if (!only_number) {
        why = Q(kOnlyNumber);
      } else if (body.contains(locale.decimalPoint()) &&
                 body.size() - body.indexOf(locale.decimalPoint()) - 1 > decimals()) {
        why = decimals() == 0
                  ? QStringLiteral("Здесь можно ввести только целое число.")
                  : QStringLiteral("Не больше %1 знак(ов) после запятой.").arg(decimals());
      } else {
        why = QStringLiteral("Слишком много цифр.");
      }
      ShowRefusal(const_cast<TypedSpinBox*>(this), why, locale.toString(low_, 'f', decimals()),
                  locale.toString(high_, 'f', decimals()));
    }
    return state;
  }

  void stepBy(int steps) override {
    const double next = value() + steps * singleStep();
    setValue(steps > 0 ? std::min(next, std::max(high_, value()))
                       : std::max(next, std::min(low_, value())));
  }

 protected:
  StepEnabled stepEnabled() const override {
    if (isReadOnly()) return StepNone;
    StepEnabled enabled = StepNone;
    if (value() < high_) enabled |= StepUpEnabled;
    if (value() > low_) enabled |= StepDownEnabled;
    return enabled;
  }

 private:
  double low_ = 0, high_ = 0;
};

class SpinControl final : public TBoundControl {
 public:
  SpinControl(TEditorContext& context, const Setting& s, QWidget* parent, bool in_table)
      : TBoundControl(context, s) {
    spin_ = new TypedSpinBox(parent);
    spin_->setKeyboardTracking(false);
    spin_->setAccelerated(true);
    spin_->setMinimumWidth(80);
    SetWidgets(spin_, in_table ? nullptr : new QLabel(parent));
    connect(spin_, &QDoubleSpinBox::editingFinished, this, [this] { CommitPending(); });
    if (s.buttons_only) {
      connect(spin_, &QDoubleSpinBox::valueChanged, this, [this] {
        if (!Filling()) CommitPending();
      });
    }
  }

  bool CommitPending() override {
    if (Filling() || committing_) return true;
    // A typed value reaches value() only once the text is interpreted.
    committing_ = true;
    spin_->interpretText();
    // A typed value between the MK's steps goes to the nearest step, and says so.
    const double value = settings::OnStep(Def(), CurrentEnv(), spin_->value());
    if (value != spin_->value()) {
      const QLocale locale;
      const int decimals = spin_->decimals();
      const QString tip = QStringLiteral("Округлено до шага %1: %2")
                              .arg(locale.toString(spin_->singleStep(), 'f', decimals),
                                   locale.toString(value, 'f', decimals));
      // Once the focus has moved on, or the move would take the tip away.
      QTimer::singleShot(0, spin_, [spin = spin_, tip] {
        QToolTip::showText(spin->mapToGlobal(QPoint(0, spin->height())), tip, spin);
      });
      spin_->setValue(value);
    }
    committing_ = false;
    if (value == shown_) return true;
    return Write([this, value](device::TMK& mk, const Env& env) {
      settings::CommitNumber(Def(), mk, env, value);
    });
  }

 protected:
  void Show(const Env& env) override {
    const settings::Shape shape = settings::ShapeOf(Def(), env);
    SetCaption(Q(shape.caption));
    spin_->setDecimals(shape.decimals);
    spin_->setSingleStep(shape.step);
    // A stored value outside the range is shown as it is: the range widens to
    // take it, and committing it again is refused by the setting's own rule.
    shown_ = settings::ShowNumber(Def(), Mk(), env);
    if (std::isfinite(shown_)) {
      spin_->setSpecialValueText({});
      spin_->SetRanges(shape.min, shape.max, shown_);
    } else {
      // No number at all: the place below the range names what is stored.
      spin_->SetRanges(shape.min, shape.max, shape.min);
      spin_->setMinimum(shape.min - shape.step);
      spin_->setSpecialValueText(Q(settings::StoredText(Def(), Mk(), env)));
      shown_ = spin_->minimum();
    }
    spin_->setValue(shown_);
    shown_ = spin_->value();  // as the box rounds it
  }

 private:
  TypedSpinBox* spin_;
  double shown_ = 0;
  bool committing_ = false;
};

// --- Radio groups --------------------------------------------------------------------

class RadioControl final : public TBoundControl {
 public:
  RadioControl(TEditorContext& context, const Setting& s, QWidget* parent, bool in_table)
      : TBoundControl(context, s) {
    box_ = new QWidget(parent);
    layout_ = new QHBoxLayout(box_);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(in_table ? 2 : 4);
    group_ = new QButtonGroup(box_);
    in_table_ = in_table;
    SetWidgets(box_, in_table || s.caption.empty() ? nullptr : new QLabel(parent));
    connect(group_, &QButtonGroup::idClicked, this, [this](int index) {
      if (Filling() || index == shown_) return;
      Write([this, index](device::TMK& mk, const Env& env) {
        settings::CommitIndex(Def(), mk, env, index);
      });
    });
    box_->setEnabled(!s.read_only);
  }

 protected:
  void Show(const Env& env) override {
    SetCaption(Q(settings::ShapeOf(Def(), env).caption));
    const auto items = settings::ItemsOf(Def(), env);
    if (items != items_) {
      for (QAbstractButton* b : group_->buttons()) {
        group_->removeButton(b);
        delete b;
      }
      int width = 0;
      for (std::size_t i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(Q(items[i]), box_);
        group_->addButton(button, static_cast<int>(i));
        layout_->addWidget(button);
        width += button->sizeHint().width() + layout_->spacing();
      }
      // Choices that would not fit beside their caption stand one under another.
      const int row_width = CaptionWidth() + 140;
      const int caption = Label() != nullptr ? Label()->sizeHint().width() : 0;
      const bool across = in_table_ || width <= row_width - caption;
      layout_->setDirection(across ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
      layout_->setSpacing(across ? layout_->spacing() : 0);
      items_ = items;
    }
    for (QAbstractButton* b : group_->buttons()) {
      b->setEnabled(settings::ItemEnabled(Def(), env, group_->id(b)));
    }
    shown_ = settings::ShowIndex(Def(), Mk(), env);
    if (QAbstractButton* b = group_->button(shown_)) {
      b->setChecked(true);
    } else {
      // The stored value selects no item: none is checked.
      group_->setExclusive(false);
      for (QAbstractButton* button : group_->buttons()) button->setChecked(false);
      group_->setExclusive(true);
    }
  }

 private:
  QWidget* box_;
  QHBoxLayout* layout_;
  QButtonGroup* group_;
  bool in_table_ = false;
  std::vector<std::string> items_;
  int shown_ = -1;
};

// --- Combo boxes ------------------------------------------------------------------

class ComboControl final : public TBoundControl {
 public:
  ComboControl(TEditorContext& context, const Setting& s, QWidget* parent, bool in_table)
      : TBoundControl(context, s) {
    combo_ = new QComboBox(parent);
    combo_->setMaxVisibleItems(20);
    combo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo_->setMinimumContentsLength(8);
    SetWidgets(combo_, in_table ? nullptr : new QLabel(parent));
    connect(combo_, &QComboBox::activated, this, [this](int index) {
      if (Filling() || index == shown_) return;
      const bool protocol = Def().source == settings::ItemSource::Protocols;
      const bool ok = Write([this, index](device::TMK& mk, const Env& env) {
        settings::CommitIndex(Def(), mk, env, index);
      });
      if (ok && protocol) Context().AnnounceProtocolChange();
    });
  }

 protected:
  void Show(const Env& env) override {
    SetCaption(Q(settings::ShapeOf(Def(), env).caption));
    const auto items = settings::ItemsOf(Def(), env);
    if (items != items_) {
      combo_->clear();
      combo_->addItems(ToList(items));
      items_ = items;
    }
    shown_ = settings::ShowIndex(Def(), Mk(), env);
    // A stored value that selects no item names itself in the empty box.
    combo_->setPlaceholderText(
        shown_ < 0 && !items.empty() ? Q(settings::StoredText(Def(), Mk(), env)) : QString());
    combo_->setCurrentIndex(items.empty() ? -1 : shown_);
  }

 private:
  QComboBox* combo_;
  std::vector<std::string> items_;
  int shown_ = -1;
};

// --- Check boxes and flag bits ---------------------------------------------------------

class CheckControl final : public TBoundControl {
 public:
  CheckControl(TEditorContext& context, const Setting& s, QWidget* parent, bool in_table)
      : TBoundControl(context, s) {
    check_ = new QCheckBox(in_table ? QString() : Q(s.caption), parent);
    SetWidgets(check_, nullptr);
    connect(check_, &QCheckBox::clicked, this, [this](bool checked) {
      if (Filling()) return;
      Write([this, checked](device::TMK& mk, const Env&) {
        settings::CommitChecked(Def(), mk, checked);
      });
    });
  }

 protected:
  void Show(const Env&) override { check_->setChecked(settings::ShowChecked(Def(), Mk())); }

 private:
  QCheckBox* check_;
};

// --- Times and texts -----------------------------------------------------------------

// A time of day: its mask takes digits only, and a refused key says why.
class TimeEdit final : public QLineEdit {
 public:
  explicit TimeEdit(QWidget* parent) : QLineEdit(parent) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (TypesNonDigit(*event, ':')) {
      ShowRefusal(this, Q(kOnlyNumber), "00:00", "23:59");
      event->accept();
      return;
    }
    QLineEdit::keyPressEvent(event);
  }
};

class LineControl final : public TBoundControl {
 public:
  LineControl(TEditorContext& context, const Setting& s, QWidget* parent, bool in_table)
      : TBoundControl(context, s) {
    edit_ = s.kind == Kind::Time ? new TimeEdit(parent) : new QLineEdit(parent);
    if (s.kind == Kind::Time) {
      edit_->setInputMask("99:99;_");
      edit_->setMaximumWidth(70);
    } else {
      edit_->setMaxLength(static_cast<int>(s.max_length));
      edit_->setMinimumWidth(s.max_length > 8 ? 130 : 70);
    }
    SetWidgets(edit_, in_table ? nullptr : new QLabel(parent));
    connect(edit_, &QLineEdit::editingFinished, this, [this] { CommitPending(); });
  }

  bool CommitPending() override {
    if (Filling() || edit_->text() == shown_) return true;
    const std::string text = edit_->text().toStdString();
    return Write(
        [this, text](device::TMK& mk, const Env&) { settings::CommitText(Def(), mk, text); });
  }

 protected:
  void Show(const Env& env) override {
    shown_ = Q(settings::ShowText(Def(), Mk()));
    // A time past 23:59 shows its own hours rather than a valid time made up.
    if (Def().kind == Kind::Time && settings::OutOfRange(Def(), Mk(), env)) {
      const std::int64_t minutes = settings::StoredNumber(Def(), Mk());
      if (minutes / 60 <= 99) {
        shown_ = QStringLiteral("%1:%2")
                     .arg(minutes / 60, 2, 10, QChar('0'))
                     .arg(minutes % 60, 2, 10, QChar('0'));
      }
    }
    edit_->setText(shown_);
    shown_ = edit_->text();
  }

 private:
  QLineEdit* edit_;
  QString shown_;
};

// --- Dates -----------------------------------------------------------------------------

// A date edit that takes a date typed as people write it, right after the
// focus arrives: "09.01.2027", "9.1.27" or "090127". The toolkit's own edit
// skips a section when a separator follows a section it completed by itself,
// takes no four-digit year in a two-digit field and no digit at all while it
// shows the empty date; those keys are translated here. Where the cursor is
// put, the section under it is selected, so digits replace it; a refused key
// says why.
class TypedDateEdit final : public QDateEdit {
 public:
  explicit TypedDateEdit(QWidget* parent) : QDateEdit(parent) {
    lineEdit()->installEventFilter(this);
  }

 protected:
  void focusInEvent(QFocusEvent* event) override {
    QDateEdit::focusInEvent(event);
    Restart();
    SelectSection();
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    // A click into the text puts the cursor in a section: select it.
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonRelease) {
      Restart();
      QTimer::singleShot(0, this, [this] { SelectSection(); });
    }
    return QDateEdit::eventFilter(watched, event);
  }
  void keyPressEvent(QKeyEvent* event) override {
    const QString text = event->text();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    const bool digit = plain && text.size() == 1 && text[0].isDigit();
    const bool separator = plain && text.size() == 1 &&
                           (text[0] == '.' || text[0] == ',' || text[0] == '/' || text[0] == '-');
    if (!digit && !separator && TypesNonDigit(*event, '.')) {
      ShowRefusal(this, Q(kOnlyNumber), minimumDate().addDays(1).toString(displayFormat()),
                  maximumDate().toString(displayFormat()));
      event->accept();
      return;
    }
    if (!digit && !separator) {
      Restart();
      QDateEdit::keyPressEvent(event);
      return;
    }
    if (date() == minimumDate() && !specialValueText().isEmpty()) {
      // The empty date: typing starts from a real one, day first.
      setDate(std::clamp(QDate::currentDate(), minimumDate().addDays(1), maximumDate()));
      setSelectedSection(DaySection);
      Restart();
    }
    if (separator) {
      // The section the last digit completed was left already.
      if (!advanced_ && currentSection() != YearSection) Send(Qt::Key_Period, ".");
      advanced_ = false;
      return;
    }
    const Section at = currentSection();
    if (at != section_) year_digits_.clear();
    if (at == YearSection) {
      // Two digits stand for the year; of four, the last two.
      year_digits_ += text;
      if (year_digits_.size() == 4) {
        setSelectedSection(YearSection);
        Send(Qt::Key(Qt::Key_0 + year_digits_[2].digitValue()), year_digits_.mid(2, 1));
        Send(Qt::Key(Qt::Key_0 + year_digits_[3].digitValue()), year_digits_.mid(3, 1));
      } else if (year_digits_.size() < 3) {
        QDateEdit::keyPressEvent(event);
      }
      section_ = YearSection;
      return;
    }
    QDateEdit::keyPressEvent(event);
    section_ = currentSection();
    advanced_ = section_ != at;
  }

 private:
  void Send(Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QDateEdit::keyPressEvent(&press);
  }
  void Restart() {
    advanced_ = false;
    section_ = NoSection;
    year_digits_.clear();
  }
  void SelectSection() {
    if (lineEdit()->hasSelectedText()) return;
    const Section at = currentSection();
    setSelectedSection(at == NoSection ? DaySection : at);
  }

  bool advanced_ = false;        // the last digit completed its section
  Section section_ = NoSection;  // where the last digit went
  QString year_digits_;          // the digits typed into the year so far
};

class DateControl final : public TBoundControl {
 public:
  DateControl(TEditorContext& context, const Setting& s, QWidget* parent, bool in_table)
      : TBoundControl(context, s) {
    edit_ = new TypedDateEdit(parent);
    edit_->setDisplayFormat("dd.MM.yy");
    edit_->setCalendarPopup(true);
    // The calendar speaks Russian; the numbers keep the system's format.
    edit_->calendarWidget()->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    // Room for the widest date beside the drop-down arrow, whatever the font:
    // the arrow must not cover the last digit.
    const int arrow = edit_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, edit_);
    const int frame = 2 * edit_->style()->pixelMetric(QStyle::PM_SpinBoxFrameWidth, nullptr, edit_);
    edit_->setMinimumWidth(edit_->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00")) +
                           arrow + frame + 12);
    SetWidgets(edit_, in_table ? nullptr : new QLabel(parent));
    connect(edit_, &QDateEdit::editingFinished, this, [this] { CommitPending(); });
  }

  bool CommitPending() override {
    if (Filling() || edit_->date() == shown_) return true;
    const QDate date = edit_->date();
    const std::string text =
        date == edit_->minimumDate() ? std::string() : date.toString("dd.MM.yy").toStdString();
    return Write(
        [this, text](device::TMK& mk, const Env&) { settings::CommitText(Def(), mk, text); });
  }

 protected:
  void Show(const Env& env) override {
    const auto day = [](double n) {
      const settings::Date d = settings::DateOfDay(static_cast<std::uint32_t>(n));
      return QDate(2000 + d.year, d.month, d.day);
    };
    // The day before the earliest date the MK counts stands for "no date" and
    // shows empty. Dates before the earliest selectable one can be typed, so
    // the setting's own check names the range rather than the box refusing
    // them without a word.
    QDate earliest = day(2);
    const bool out = settings::OutOfRange(Def(), Mk(), env);
    const auto stored = static_cast<std::uint32_t>(settings::StoredNumber(Def(), Mk()));
    const bool is_date = stored != 0 && settings::IsDayOfDate(stored);
    if (is_date) earliest = std::min(earliest, day(stored));
    edit_->setMinimumDate(earliest.addDays(-1));
    edit_->setMaximumDate(std::max(day(Def().max), is_date ? day(stored) : QDate()));
    // A day number that gives no date names itself in the empty place.
    edit_->setSpecialValueText(out && !is_date ? Q(std::to_string(stored)) : QStringLiteral(" "));
    edit_->setDate(is_date ? day(stored) : edit_->minimumDate());
    shown_ = edit_->date();
  }

 private:
  QDateEdit* edit_;
  QDate shown_;
};

}  // namespace

TBoundControl::TBoundControl(TEditorContext& context, const Setting& setting)
    : context_(context), setting_(setting) {}

std::unique_ptr<TBoundControl> TBoundControl::Make(TEditorContext& context, const Setting& s,
                                                   QWidget* parent, bool in_table) {
  switch (s.kind) {
    case Kind::Spin:
      return std::make_unique<SpinControl>(context, s, parent, in_table);
    case Kind::Radio:
      return std::make_unique<RadioControl>(context, s, parent, in_table);
    case Kind::Combo:
      return std::make_unique<ComboControl>(context, s, parent, in_table);
    case Kind::Check:
    case Kind::FlagBit:
      return std::make_unique<CheckControl>(context, s, parent, in_table);
    case Kind::Time:
    case Kind::Text:
      return std::make_unique<LineControl>(context, s, parent, in_table);
    case Kind::Date:
      return std::make_unique<DateControl>(context, s, parent, in_table);
    case Kind::Param:
    case Kind::Color:
    case Kind::HotMenu:
    case Kind::BlockList:
      break;  // drawn by their pages' grids and previews
  }
  return nullptr;
}

void TBoundControl::SetWidgets(QWidget* widget, QLabel* label) {
  widget_ = widget;
  label_ = label;
  widget_->setObjectName(Q(setting_.name));
  if (label_ != nullptr) {
    label_->setBuddy(widget_);
    label_->setText(Q(setting_.caption));
  }
}

void TBoundControl::SetCaption(const QString& caption) {
  if (label_ == nullptr) return;
  label_->setText(caption);
  // Long captions wrap rather than push the controls out of the page. Whether
  // one does is the plain caption's width, so a caption set again while it
  // carries the (bold) changed mark keeps its lines.
  const int widest = caption_width_;
  QFont plain = label_->font();
  plain.setBold(false);
  const bool wrap = QFontMetrics(plain).horizontalAdvance(caption) > widest;
  label_->setWordWrap(wrap);
  label_->setMaximumWidth(wrap ? widest : QWIDGETSIZE_MAX);
  if (wrap) label_->setMinimumWidth(widest);
  // Grid rows do not ask a wrapped label for its height: tell them.
  label_->setMinimumHeight(wrap ? label_->heightForWidth(widest) : 0);
}

void TBoundControl::Fill(const Env& env) {
  filling_ = true;
  Show(env);
  filling_ = false;
  ShowRangeState(env);
  ReserveMarkRoom();
  ApplyVisibility(env);
}

void TBoundControl::ShowRangeState(const Env& env) {
  const bool out = settings::OutOfRange(setting_, context_.Mk(), env);
  QString tip = Q(settings::ToolTip(setting_, env, widgets::DecimalSeparator()));
  if (out) {
    tip = QStringLiteral("Хранится значение вне диапазона: %1\n")
              .arg(Q(settings::StoredText(setting_, context_.Mk(), env,
                                          widgets::DecimalSeparator()))) +
          tip;
  }
  widget_->setToolTip(tip);
  if (label_ != nullptr) label_->setToolTip(tip);
  if (widget_->property("outOfRange").toBool() == out) return;
  // The warning mark: a tinted control and caption, sizes untouched.
  widget_->setProperty("outOfRange", out);
  const QColor tint(255, 214, 170), ink(170, 70, 0);
  QPalette palette = widget_->parentWidget()->palette();
  if (out) {
    for (auto role : {QPalette::Base, QPalette::Window, QPalette::Button})
      palette.setColor(role, tint);
  }
  widget_->setPalette(palette);
  widget_->setAutoFillBackground(out);
  if (label_ != nullptr) {
    QPalette text = label_->parentWidget()->palette();
    if (out) text.setColor(QPalette::WindowText, ink);
    label_->setPalette(text);
  }
}

void TBoundControl::ReserveMarkRoom() {
  // The changed mark is a bold caption: every widget it would widen gets the
  // bold size as its minimum now, so marking moves nothing.
  std::vector<QWidget*> targets;
  if (label_ != nullptr) {
    targets.push_back(label_);
  } else {
    targets.push_back(widget_);
    for (auto* button : widget_->findChildren<QAbstractButton*>()) targets.push_back(button);
  }
  for (QWidget* w : targets) ReserveBoldSize(w);
}

void ReserveBoldSize(QWidget* w) {
  auto* label = qobject_cast<QLabel*>(w);
  const bool wrapped = label != nullptr && label->wordWrap();
  // A wrapped caption has its width fixed, but bold it may need another line.
  if (!wrapped && w->minimumWidth() > 0 && w->minimumWidth() == w->maximumWidth()) return;
  const QFont was = w->font();
  QFont bold = was;
  bold.setBold(true);
  if (!was.bold()) w->setFont(bold);
  if (wrapped) {
    w->setMinimumHeight(std::max(w->minimumHeight(), label->heightForWidth(label->maximumWidth())));
  } else {
    w->setMinimumWidth(w->sizeHint().width());
  }
  if (!was.bold()) w->setFont(was);
}

void TBoundControl::ApplyVisibility(const Env& env) {
  shown_ = settings::Visible(setting_, context_.Mk(), env);
  // Hidden, not disabled: the field keeps whatever the image holds.
  widget_->setVisible(shown_);
  if (label_ != nullptr) label_->setVisible(shown_);
}

void TBoundControl::MarkChanged(bool changed) {
  QWidget* target = label_ != nullptr ? static_cast<QWidget*>(label_) : widget_;
  QFont font = target->font();
  if (font.bold() == changed) return;
  font.setBold(changed);
  target->setFont(font);
}

std::string TBoundControl::ValueText() const {
  return settings::ShowAsText(setting_, context_.Mk(), CurrentEnv());
}

bool TBoundControl::Write(const std::function<void(device::TMK&, const Env&)>& write) {
  // A message box takes the focus, and losing it would commit again.
  if (writing_) return false;
  writing_ = true;
  const bool ok = context_.Change([&] { write(context_.Mk(), CurrentEnv()); });
  if (!ok) {
    filling_ = true;
    Show(CurrentEnv());
    filling_ = false;
  }
  writing_ = false;
  if (ok) ShowRangeState(CurrentEnv());
  if (ok) emit Committed();
  return ok;
}

}  // namespace mk::editor
