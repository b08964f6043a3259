#include "document/file_error.hpp"

#include <array>
#include <utility>

namespace glt {

std::string FileErrorReason(std::error_code error)
{
    static constexpr std::array<std::pair<std::errc, std::string_view>, 11> kReasons{{
        {std::errc::no_such_file_or_directory, "файл или папка не найдены"},
        {std::errc::permission_denied, "нет доступа"},
        {std::errc::operation_not_permitted, "нет доступа"},
        {std::errc::is_a_directory, "это папка, а не файл"},
        {std::errc::not_a_directory, "путь проходит через файл, а не через папку"},
        {std::errc::no_space_on_device, "нет места на диске"},
        {std::errc::read_only_file_system, "диск доступен только для чтения"},
        {std::errc::file_too_large, "файл слишком велик"},
        {std::errc::filename_too_long, "слишком длинное имя"},
        {std::errc::io_error, "ошибка ввода-вывода"},
        {std::errc::device_or_resource_busy, "файл занят другой программой"},
    }};
    for (const auto& [code, reason] : kReasons) {
        if (error == code) {
            return std::string(reason);
        }
    }
    return "системная ошибка " + std::to_string(error.value());
}

std::string FileErrorText(std::string_view what, std::string_view path, std::error_code error)
{
    std::string text(what);
    text += ' ';
    text += path;
    text += ": ";
    text += FileErrorReason(error);
    return text;
}

} // namespace glt
