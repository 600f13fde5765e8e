// SPDX-License-Identifier: GPL-3.0-or-later
// The one accessor between a setting's control and its field: what the
// control shows for the stored value, and what a shown value stores. Also
// the setting's shape, items and visibility for a variant and protocol.
//
// Showing never fails and never writes, and never makes up a valid value: a
// number outside the shown range is handed back as it is, an item index past
// the list as -1, and OutOfRange() says so, with StoredText() naming what is
// stored. The window decides how to show such a value.
// Committing checks the shown value against the control's range and the
// field's width and throws mk::RangeError naming the setting and its range;
// the record is then unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "device/mk.h"
#include "settings/env.h"
#include "settings/setting.h"

namespace mk::settings {

/// What the variant and the protocol make of a setting.
struct Shape {
  std::string caption;
  double min = 0, max = 0, step = 1;
  int decimals = 0;
  Conversion conversion = Conversion::Plain;
};
Shape ShapeOf(const Setting& s, const Env& env);
/// The same, with a maximum another setting stores (the tank's litres).
Shape ShapeOf(const Setting& s, const device::TMK& mk, const Env& env);

/// The name a message or a search result gives the setting: its caption, the
/// column it sits in, or its object name when it has no caption.
std::string DisplayName(const Setting& s, const Env& env);

/// Whether the control is shown: its page, the variant flags, the protocol
/// entry's features and the rules inside other controls.
bool Visible(const Setting& s, const device::TMK& mk, const Env& env);

/// A choice control's items, and whether an item can be chosen.
std::vector<std::string> ItemsOf(const Setting& s, const Env& env);
bool ItemEnabled(const Setting& s, const Env& env, int index);

/// The stored value lies outside the setting's rule: a number outside the
/// shown range (or no number: NaN, infinity), an item index past the list, a
/// check byte other than 0 or 1, a time past 23:59, a day number that gives
/// no date or one outside the selectable dates.
bool OutOfRange(const Setting& s, const device::TMK& mk, const Env& env);
/// The stored value in the setting's own units, whatever it is: the number
/// as shown but unclamped ("nan", "inf"), or the raw field value for choices,
/// checks, times (minutes) and dates (day number).
std::string StoredText(const Setting& s, const device::TMK& mk, const Env& env,
                       char separator = '.');
/// The stored value of a choice, check, flag bit, time (minutes) or date (day
/// number) as the number StoredText() writes for it.
std::int64_t StoredNumber(const Setting& s, const device::TMK& mk);

// --- Spin edits -------------------------------------------------------------
/// The stored value in shown units, unclamped; NaN for a factor that is no number.
double ShowNumber(const Setting& s, const device::TMK& mk, const Env& env);
void CommitNumber(const Setting& s, device::TMK& mk, const Env& env, double shown);
/// A typed value of a row the MK steps ("buttons only": 40, 42 … 200) on the
/// nearest step from its minimum (ties to the even step); other rows' values as given.
double OnStep(const Setting& s, const Env& env, double shown);

// --- Radio groups and combo boxes -----------------------------------------------
/// The item the stored value selects, or -1 when it selects none.
int ShowIndex(const Setting& s, const device::TMK& mk, const Env& env);
/// cbProtocol selects the entry (SelectProtocol): the caller's Env is stale afterwards.
void CommitIndex(const Setting& s, device::TMK& mk, const Env& env, int index);

// --- Check boxes and flag bits -------------------------------------------------
bool ShowChecked(const Setting& s, const device::TMK& mk);
void CommitChecked(const Setting& s, device::TMK& mk, bool checked);

// --- Time of day, dates, texts ----------------------------------------------------
std::string ShowText(const Setting& s, const device::TMK& mk);
void CommitText(const Setting& s, device::TMK& mk, std::string_view text);

// --- Any kind, as text (mkctl) -------------------------------------------------------
/// Numbers with `separator`, choices by item text, checks as "да" / "нет";
/// a value out of range as StoredText().
std::string ShowAsText(const Setting& s, const device::TMK& mk, const Env& env,
                       char separator = '.');
/// The reverse; mk::Error for text that is not a value of the setting.
void CommitFromText(const Setting& s, device::TMK& mk, const Env& env, std::string_view text);

/// The unit a caption names after its last ", " ("км/час"), or "".
std::string UnitOf(const Setting& s, const Env& env);

/// Field, unit and range, for the control's tool tip.
std::string ToolTip(const Setting& s, const Env& env, char separator = '.');

}  // namespace mk::settings
