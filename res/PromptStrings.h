/** @file PromptStrings.h
 ** The string table: status-bar prompts and tool tips of commands and controls, and named strings. **/
#pragma once

#include <string>

namespace res {

/// The whole string of an id ("prompt\ntip"), or an empty string for an id without one.
std::string StringResource(int id);
/// The part before the line feed: the status-bar prompt shown while the item is hovered.
std::string StatusPrompt(int id);
/// The part after the line feed: the tool tip; empty when the string has none.
std::string ToolTip(int id);

} // namespace res
