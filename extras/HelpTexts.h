/** @file HelpTexts.h
 ** The texts of the About box and the rows of the Help page's shortcut list. **/
#pragma once

#include <array>
#include <string_view>

namespace extras {

/// The Help page's list, row by row; an empty row is an empty string. The spacing inside each row
/// is part of it.
const std::array<std::string_view, 54>& ShortcutRows();

/// The About box's text: the version line, then lines about the program.
inline constexpr std::string_view AboutVersionLine = "Kelmora Version 1.0";
const std::array<std::string_view, 4>& AboutInformationLines();

} // namespace extras
