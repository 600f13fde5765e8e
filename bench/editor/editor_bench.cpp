// SPDX-License-Identifier: GPL-3.0-or-later
// The settings editor as a user feels it: the time from the click on
// "Редактировать настройки" to the shown dialog, on a 32 KB image with the
// permissive variant (every page and control there), and the write-back of
// one control, with everything that follows it (undo step, marks, visibility).
// Runs offscreen unless a display is asked for. Prints medians of repeated runs.
#include <QApplication>
#include <QDoubleSpinBox>
#include <QLineEdit>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "device/mk.h"
#include "editor/tmk_set_params_dlg.h"
#include "sim/factory_image.h"
#include "widgets/dialogs.h"

namespace {

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Ms(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  mk::device::TMK mk;
  auto image = mk::sim::ImageFromMemory(mk::sim::FactoryMemory(32768));
  mk.ReplaceImage(99, image);     // no such model: the permissive variant
  mk::widgets::QtDialogs prompt;  // no box is expected
  using Clock = std::chrono::steady_clock;

  std::vector<double> opening;
  for (int run = 0; run < 11; ++run) {
    const auto start = Clock::now();
    mk.EditSettings([&] {
      mk::editor::TMK_SetParamsDlg dialog(mk, prompt);
      dialog.show();
      QApplication::processEvents();
      opening.push_back(Ms(Clock::now() - start));
      dialog.reject();
      return false;
    });
  }

  std::vector<double> commit;
  mk.EditSettings([&] {
    mk::editor::TMK_SetParamsDlg dialog(mk, prompt);
    dialog.show();
    QApplication::processEvents();
    auto* spin = dialog.findChild<QDoubleSpinBox*>("seTankContFull");
    for (int run = 0; run < 101; ++run) {
      spin->findChild<QLineEdit*>()->setText(QString::number(20 + run));
      const auto start = Clock::now();
      dialog.PageOf(mk::settings::Page::Sources)->WriteBack();
      commit.push_back(Ms(Clock::now() - start));
    }
    dialog.reject();
    return false;
  });

  // Where the opening goes: building the dialog, and each page's fill.
  std::vector<double> build, fills(mk::settings::kPages.size(), 0);
  mk.EditSettings([&] {
    for (int run = 0; run < 5; ++run) {
      const auto start = Clock::now();
      mk::editor::TMK_SetParamsDlg dialog(mk, prompt);
      build.push_back(Ms(Clock::now() - start));
      for (const auto& info : mk::settings::kPages) {
        const auto fill = Clock::now();
        dialog.PageOf(info.page)->Fill();
        fills[static_cast<unsigned>(info.page)] += Ms(Clock::now() - fill) / 5;
      }
    }
    return false;
  });
  std::printf("building the dialog: median %.1f ms; filling:", Median(build));
  for (const auto& info : mk::settings::kPages) {
    std::printf(" %s %.1f", std::string(info.caption).c_str(),
                fills[static_cast<unsigned>(info.page)]);
  }
  std::printf(" ms\n");
  std::printf(
      "editor open (click to shown dialog), 32 KB, permissive variant: median %.1f ms, "
      "best %.1f ms (target < 150 ms)\n",
      Median(opening), *std::min_element(opening.begin(), opening.end()));
  std::printf(
      "write-back of one spin edit with undo step, marks and visibility: median %.3f ms "
      "(target < 1 ms)\n",
      Median(commit));
  return 0;
}
