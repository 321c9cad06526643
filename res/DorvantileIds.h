/** @file DorvantileIds.h
 ** Resource ids of the keymap editor Dorvantile: dialogs, controls, pictures and strings. Widgets
 ** carry their id as object name (IdName) so tests and tools find each control by its id. **/
#pragma once

#include <QString>

namespace dorvantile_ids {

// Dialogs.
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDD_DORVANTILE_DIALOG = 102;
constexpr int IDD_MODIFY_DATA = 103;
constexpr int IDD_FILE_PANEL = 143;
constexpr int IDD_WARNINGS = 104;

// Strings, icons and pictures.
constexpr int IDS_ABOUTBOX = 101;
constexpr int IDR_MAINFRAME = 128;       // the program icon
constexpr int IDB_KEYBOARD = 141;        // the keyboard picture
constexpr int IDB_FILE_PANEL = 144;      // the file chooser's decorative picture
constexpr int IDM_ABOUTBOX = 16;         // the About item of the window menu

// Main window controls.
constexpr int IDCANCEL = 2;
constexpr int IDOK = 1;
constexpr int IDC_SAVE_FILE = 1009;
constexpr int IDC_SAVE_AS = 1018;
constexpr int IDC_LOAD = 1020;
constexpr int IDC_SET_FONT = 1021;
constexpr int IDC_SUPPORT_ENGLISH = 1023;
constexpr int IDC_ABOUT = 1024;
constexpr int IDC_KEYBOARD = 1000;
constexpr int IDC_UNDO = 1026;
constexpr int IDC_REDO = 1027;
constexpr int IDC_CHECK = 1028;
constexpr int IDC_EXPORT = 1029;
constexpr int IDC_IMPORT = 1030;
constexpr int IDC_OWN_LETTERS = 1031;
constexpr int IDC_TRY_FIELD = 1032;

// Warnings window controls.
constexpr int IDC_WARNING_LIST = 1033;
constexpr int IDC_JUMP = 1034;
constexpr int IDC_SAVE_ANYWAY = 1035;

// About box controls.
constexpr int IDC_ABOUT_PICTURE = 1025;

// Key modification dialog controls.
constexpr int IDC_KEY_LABEL = 1002;
constexpr int IDC_SCAN_CODE = 1008;
constexpr int IDC_ISOLATED = 1001;
constexpr int IDC_FINAL = 1003;
constexpr int IDC_MEDIAL = 1004;
constexpr int IDC_INITIAL = 1005;
constexpr int IDC_EXT_ISOLATED = 1009;
constexpr int IDC_EXT_FINAL = 1010;
constexpr int IDC_EXT_MEDIAL = 1011;
constexpr int IDC_EXT_INITIAL = 1012;
constexpr int IDC_SHAPE_ISOLATED = 1013;
constexpr int IDC_SHAPE_FINAL = 1014;
constexpr int IDC_SHAPE_MEDIAL = 1015;
constexpr int IDC_SHAPE_INITIAL = 1016;
constexpr int IDC_SAVE_SETTING = 1006;
constexpr int IDC_MODIFY_CANCEL = 1007;

/// The eight glyph lists in the order of the record fields isolated .. extInitial.
constexpr int GlyphListIds[8] = {IDC_ISOLATED, IDC_FINAL, IDC_MEDIAL, IDC_INITIAL,
                                 IDC_EXT_ISOLATED, IDC_EXT_FINAL, IDC_EXT_MEDIAL, IDC_EXT_INITIAL};
/// The four reference shape labels, isolated .. initial.
constexpr int ShapeLabelIds[4] = {IDC_SHAPE_ISOLATED, IDC_SHAPE_FINAL, IDC_SHAPE_MEDIAL, IDC_SHAPE_INITIAL};

/// The object name a control with this id carries.
inline QString IdName(int id) { return QString::number(id); }

} // namespace dorvantile_ids
