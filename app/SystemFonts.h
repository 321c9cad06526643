/** @file SystemFonts.h
 ** Whether the fonts the system offers already hold the face of a font file. **/
#pragma once

#include <string>

namespace app {

/// Reads the family and style `fontBytes` name and looks for that face among the system's fonts
/// (a family listed with a foundry suffix counts as the family). Bytes that are no readable font
/// are never "installed".
bool SystemHasFontFace(const std::string& fontBytes);

} // namespace app
