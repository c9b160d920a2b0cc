#pragma once

#include <string_view>

#include <QString>

namespace klarwell::window {

// The bytes of a name or message as the user reads them: UTF-8 where it is valid, every other byte
// as "\xHH", so a name that is not UTF-8 still shows which file it is.
[[nodiscard]] QString DisplayText(std::string_view bytes);

}  // namespace klarwell::window
