// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a whole file so that readers see either the old file or the new one,
// never a half-written one. Every file the programs write goes through here.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace mk::device {

/// Writes `bytes` to a temporary file beside `path`, then renames it over
/// `path`. On any failure the temporary file is removed, an old file at `path`
/// stays as it was, and mk::Error is thrown: `failure_message`, then the
/// system's reason in the user's words ("Причина: нет места на диске.").
void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         const std::string& failure_message);
/// The same for text already in the file's encoding.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view text,
                         const std::string& failure_message);

/// The same without an exception: the system's reason for a failure (a
/// read-only folder, a full disk), or an empty code when the file was written.
std::error_code TryWriteFileAtomically(const std::filesystem::path& path,
                                       std::span<const std::uint8_t> bytes);

}  // namespace mk::device
