/** @file ResourceIds.h
 ** Numeric ids of the editor's commands, controls, strings and windows; controls carry them as
 ** object names and actions as data, so code and tests address each one by its id. **/
#pragma once

#include <QString>

namespace res {

// Frame resources.
inline constexpr int MainFrameResource = 128; // menu bar, tool bar, icon, document type name
inline constexpr int DialogBarResource = 130;
inline constexpr int EditorWindowId = 101;

// File menu.
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileRevert = 32773;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 32771;
inline constexpr int FileMruFirst = 57616;
inline constexpr int AppExit = 57665;
inline constexpr int FileImportUnicode = 33170;
inline constexpr int FileExportUnicode = 33171;

// Edit menu.
inline constexpr int EditUndo = 57643;
inline constexpr int EditCut = 57635;
inline constexpr int EditCopy = 57634;
inline constexpr int EditPaste = 57637;
inline constexpr int EditSelectAll = 32797;
inline constexpr int EditFind = 57636;
inline constexpr int EditFindNext = 32802;
inline constexpr int EditReplace = 57641;
inline constexpr int InsertDate = 32799;
inline constexpr int InsertTime = 32798;
inline constexpr int ScratchSelect = 32809;
inline constexpr int SetFont = 1003;
inline constexpr int LaunchKeymapEditor = 1013;

// Tools menu.
inline constexpr int Resemble = 32783;
inline constexpr int Justify = 32780;
inline constexpr int BatchConvert = 32781;
inline constexpr int DivaneQuvel = 32807;
inline constexpr int RandomGhazal = 32808;
inline constexpr int Settings = 32782;

// View menu.
inline constexpr int ViewToolbar = 59392;
inline constexpr int ViewStatusBar = 59393;
inline constexpr int MaximizeRestore = 32784;
inline constexpr int MinimizeWindow = 32794;
inline constexpr int Statistics = 32803;

// Help menu.
inline constexpr int AppAbout = 57664;
inline constexpr int ShortcutKeys = 32795;

// Keyboard-only commands.
inline constexpr int NextFile = 32785;
inline constexpr int PreviousFile = 32786;
inline constexpr int FocusScratchBox = 32774;
inline constexpr int FocusSizeBox = 32796;
inline constexpr int BackToEditor = 32775;

// Dialog bar controls.
inline constexpr int KeymapBox = 1004;
inline constexpr int FaceNameBox = 1009;
inline constexpr int SizeBox = 1010;
inline constexpr int ScratchBox = 1002;
inline constexpr int ScratchAdd = 1000;
inline constexpr int ScratchDelete = 1005;
inline constexpr int HiddenForward = 1011;
inline constexpr int HiddenBack = 1012;
inline constexpr int ScratchSideList1 = 1006;
inline constexpr int ScratchSideList2 = 1007;

// Status bar panes (string ids).
inline constexpr int PaneLanguage = 103;
inline constexpr int PaneClock = 105;
inline constexpr int PanePosition = 106;
inline constexpr int StatusClockTimer = 4096;

// Strings.
inline constexpr int AppTitle = 57344;
inline constexpr int IdlePrompt = 57345;

/// The object name a control or action with this id carries ("id1009").
inline QString ObjectName(int id) { return QStringLiteral("id%1").arg(id); }

} // namespace res
