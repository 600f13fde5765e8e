// Why a file could not be written or opened, in the user's words.
#pragma once

#include <string>
#include <system_error>

namespace mk::text {

/// "нет прав на запись", "нет места на диске", ... for the usual causes; the
/// error's number for the rest.
std::string FileErrorReason(std::error_code error);

/// The error the C library left in errno, or an I/O error when it left none.
std::error_code LastFileError();

}  // namespace mk::text
