#include "text/file_error.h"

#include <cerrno>

namespace mk::text {

std::string FileErrorReason(std::error_code error) {
  const auto is = [&error](std::errc e) { return error == std::make_error_condition(e); };
  if (is(std::errc::permission_denied) || is(std::errc::operation_not_permitted))
    return "нет прав на запись";
  if (is(std::errc::read_only_file_system)) return "диск открыт только для чтения";
  if (is(std::errc::no_space_on_device) || is(std::errc::file_too_large))
    return "нет места на диске";
  if (is(std::errc::no_such_file_or_directory) || is(std::errc::not_a_directory))
    return "нет такой папки";
  if (is(std::errc::is_a_directory)) return "там уже есть папка с этим именем";
  if (is(std::errc::filename_too_long)) return "слишком длинное имя";
  if (is(std::errc::too_many_files_open)) return "открыто слишком много файлов";
  return "ошибка ввода-вывода (" + std::to_string(error.value()) + ")";
}

std::error_code LastFileError() {
  const int code = errno;
  return code != 0 ? std::error_code(code, std::generic_category())
                   : std::make_error_code(std::errc::io_error);
}

}  // namespace mk::text
