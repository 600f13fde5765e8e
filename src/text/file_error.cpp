// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/file_error.h"

#include <cerrno>

namespace mk::text {
namespace {

constexpr const char* kNotRegular = "это не обычный файл";

class NotRegularCategory final : public std::error_category {
 public:
  const char* name() const noexcept override { return "mk.file"; }
  std::string message(int /*value*/) const override { return kNotRegular; }
};

const NotRegularCategory kNotRegularCategory;

bool Is(std::error_code error, std::errc e) {
  return error == std::make_error_condition(e);
}

// Causes a read and a write share.
std::string CommonReason(std::error_code error) {
  if (error.category() == kNotRegularCategory) return kNotRegular;
  if (Is(error, std::errc::filename_too_long)) return "слишком длинное имя";
  if (Is(error, std::errc::too_many_files_open)) return "открыто слишком много файлов";
  if (Is(error, std::errc::too_many_symbolic_link_levels)) return "слишком много ссылок подряд";
  return "ошибка ввода-вывода (" + std::to_string(error.value()) + ")";
}

}  // namespace

std::string FileErrorReason(std::error_code error) {
  if (Is(error, std::errc::permission_denied) || Is(error, std::errc::operation_not_permitted))
    return "нет прав на запись";
  if (Is(error, std::errc::read_only_file_system)) return "диск открыт только для чтения";
  if (Is(error, std::errc::no_space_on_device) || Is(error, std::errc::file_too_large))
    return "нет места на диске";
  if (Is(error, std::errc::no_such_file_or_directory) || Is(error, std::errc::not_a_directory))
    return "нет такой папки";
  if (Is(error, std::errc::is_a_directory)) return "там уже есть папка с этим именем";
  return CommonReason(error);
}

std::string FileReadErrorReason(std::error_code error) {
  if (Is(error, std::errc::permission_denied) || Is(error, std::errc::operation_not_permitted))
    return "нет прав на чтение";
  if (Is(error, std::errc::no_such_file_or_directory)) return "нет такого файла";
  if (Is(error, std::errc::not_a_directory)) return "в пути к файлу есть не папка";
  if (Is(error, std::errc::is_a_directory)) return "это папка";
  return CommonReason(error);
}

std::error_code LastFileError() {
  const int code = errno;
  return code != 0 ? std::error_code(code, std::generic_category())
                   : std::make_error_code(std::errc::io_error);
}

std::error_code NotRegularFileError() {
  return {1, kNotRegularCategory};
}

}  // namespace mk::text
