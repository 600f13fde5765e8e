// SPDX-License-Identifier: GPL-3.0-or-later
// Why a file could not be written, opened or read, in the user's words.
#pragma once

#include <string>
#include <system_error>

namespace mk::text {

/// "нет прав на запись", "нет места на диске", ... for the usual causes of a
/// failed write; the error's number for the rest.
std::string FileErrorReason(std::error_code error);

/// "нет такого файла", "нет прав на чтение", "это папка", ... for the usual
/// causes of a failed read.
std::string FileReadErrorReason(std::error_code error);

/// The error the C library left in errno, or an I/O error when it left none.
std::error_code LastFileError();

/// The name is taken by something that is neither a file nor a folder (a
/// FIFO, a socket): reading it could wait for ever, writing it would not save.
std::error_code NotRegularFileError();

}  // namespace mk::text
