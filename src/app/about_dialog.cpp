// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/about_dialog.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>
#include <QtGlobal>

#include <map>
#include <string>
#include <vector>

#include "catalog/variant.h"
#include "widgets/qt_text.h"

#ifndef MK_VERSION
#define MK_VERSION "0"
#endif

namespace mk::app {
namespace {

QString Escaped(const std::filesystem::path& path) {
  if (path.empty()) return QStringLiteral("—");
  return QString::fromStdU16String(path.u16string()).toHtmlEscaped();
}

// "1: Легковой, Легковой Такси; 2: Гибрид, ...": each model (device version)
// with its firmware variants, in table order.
QString KnownModels() {
  std::map<unsigned, std::vector<std::string_view>> models;
  for (const catalog::VariantInfo& row : catalog::VariantTable())
    models[row.device_version].push_back(row.project);
  QStringList lines;
  for (const auto& [version, projects] : models) {
    QStringList names;
    for (std::string_view p : projects) names.append(widgets::Q(p).toHtmlEscaped());
    lines.append(QStringLiteral("%1: %2").arg(version).arg(names.join(QStringLiteral(", "))));
  }
  return lines.join(QStringLiteral("<br>"));
}

}  // namespace

QString AboutText(const AboutFacts& facts) {
  return QStringLiteral(
             "<p><b>Конфигуратор МК</b>, версия %1</p>"
             "<p>Просмотр и настройка параметров бортового компьютера МК.</p>"
             "<p>Свободная программа: её можно передавать дальше и изменять на условиях "
             "GNU General Public License версии 3 или (по вашему выбору) любой более поздней "
             "версии (GPL-3.0-or-later). Программа поставляется без каких-либо гарантий. "
             "Она построена на библиотеке Qt %2.</p>"
             "<p>Модели МК (версия устройства: варианты прошивки):<br>%3</p>"
             "<p>Настройки программы: %4<br>Резервные копии памяти МК: %5<br>"
             "История поездок: %6</p>")
      .arg(QStringLiteral(MK_VERSION), widgets::Q(qVersion()), KnownModels(),
           Escaped(facts.preferences), Escaped(facts.backups), Escaped(facts.history));
}

void AddAboutMenu(QMainWindow& window, std::function<AboutFacts()> facts) {
  // Beside the window's own help, when it has one, which keeps F1: a key
  // that two actions share triggers neither.
  QMenu* menu = window.menuBar()->findChild<QMenu*>("mHelp");
  const bool own_menu = menu == nullptr;
  if (own_menu) {
    menu = window.menuBar()->addMenu(QStringLiteral("?"));
    menu->setObjectName("mHelp");
  } else {
    menu->addSeparator();
  }
  QAction* about = menu->addAction(QStringLiteral("&О программе"));
  about->setObjectName("aAbout");
  if (own_menu) about->setShortcut(QKeySequence::HelpContents);
  QObject::connect(about, &QAction::triggered, &window, [&window, facts = std::move(facts)] {
    auto* box = new QDialog(&window);
    box->setObjectName("AboutBox");
    box->setWindowTitle(QStringLiteral("О программе"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* text = new QLabel(AboutText(facts()), box);
    text->setObjectName("lAbout");
    text->setTextFormat(Qt::RichText);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setMinimumWidth(480);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, box, &QDialog::accept);
    layout->addWidget(buttons);
    box->open();
  });
}

}  // namespace mk::app
