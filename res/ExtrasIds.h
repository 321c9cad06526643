/** @file ExtrasIds.h
 ** Resource ids of the poetry window, the About box and the Help page; controls carry them as
 ** object names (res::ObjectName). **/
#pragma once

namespace res {

// The poetry window.
inline constexpr int PoetryDialog = 170;
inline constexpr int PoemViewer = 1055;
inline constexpr int PoetryPicture = 1056;
inline constexpr int PoemNumber = 1057;
inline constexpr int PoemScrollBar = 1059;
inline constexpr int PoemNumberUpDown = 1060;
inline constexpr int HowAll = 1061;
inline constexpr int HowLast = 1062;
inline constexpr int HowFirst = 1063;
inline constexpr int LinesN = 1064;
inline constexpr int HowRandom = 1065;
inline constexpr int LinesNUpDown = 1066;
inline constexpr int ShowNumber = 1067;
inline constexpr int PoetryInsert = 1068;
inline constexpr int PoetryJustify = 1069;
inline constexpr int PoetryRandom = 1070;
inline constexpr int PoetrySaveAndGo = 1071;
inline constexpr int PoetryCancel = 1072;
inline constexpr int LayoutPoetic = 1073;
inline constexpr int Tab1 = 1074;
inline constexpr int LayoutRegular = 1075;
inline constexpr int Tab2 = 1076;
inline constexpr int Tab1UpDown = 1077;
inline constexpr int Tab2UpDown = 1078;

// The About box and the Help page.
inline constexpr int AboutDialog = 100;
inline constexpr int AboutPicture = 1020;
inline constexpr int HelpDialog = 159;
inline constexpr int ShortcutList = 1042;
inline constexpr int HelpIcon = 142;
inline constexpr int OkButton = 1;

} // namespace res
