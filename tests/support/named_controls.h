// SPDX-License-Identifier: GPL-3.0-or-later
// Controls of a window found as users and scripts find them: by their object
// names, which stay those of the classic program whatever the code calls them.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QObject>
#include <QString>

namespace mk::tests {

/// The child of `window` (at any depth) named `name`; a test failure and null when there is none.
template <typename T>
T* FindNamed(const QObject& window, const char* name) {
  T* found = window.findChild<T*>(QString::fromUtf8(name));
  EXPECT_NE(found, nullptr) << "no control named " << name;
  return found;
}

/// Clicks the button named `name` as a user does: nothing happens while it is disabled.
inline void ClickNamed(const QObject& window, const char* name) {
  if (auto* button = FindNamed<QAbstractButton>(window, name)) button->click();
}

/// Chooses the menu entry named `name`: nothing happens while it is disabled.
inline void ChooseNamed(const QObject& window, const char* name) {
  if (auto* action = FindNamed<QAction>(window, name)) action->trigger();
}

}  // namespace mk::tests
