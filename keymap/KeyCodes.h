/** @file KeyCodes.h
 ** Windows virtual-key codes: how keymap records, the keyboard grid and the edit control name keys. **/
#pragma once

/// The key codes every part of the program names keys by (a keymap record's keyCode is one).
namespace keymap::vk {
constexpr int Backspace = 0x08;
constexpr int Tab = 0x09;
constexpr int Enter = 0x0D;
constexpr int Shift = 0x10;
constexpr int Control = 0x11;
constexpr int Menu = 0x12; // Alt
constexpr int Pause = 0x13;
constexpr int CapsLock = 0x14;
constexpr int Escape = 0x1B;
constexpr int Space = 0x20;
constexpr int PageUp = 0x21;
constexpr int PageDown = 0x22;
constexpr int End = 0x23;
constexpr int Home = 0x24;
constexpr int Left = 0x25;
constexpr int Up = 0x26;
constexpr int Right = 0x27;
constexpr int Down = 0x28;
constexpr int PrintScreen = 0x2C;
constexpr int Insert = 0x2D;
constexpr int Delete = 0x2E;
constexpr int Digit0 = 0x30; // '0'..'9' are 0x30..0x39
constexpr int A = 0x41;      // 'A'..'Z' are 0x41..0x5A
constexpr int C = 0x43;
constexpr int G = 0x47;
constexpr int H = 0x48;
constexpr int L = 0x4C;
constexpr int M = 0x4D;
constexpr int P = 0x50;
constexpr int V = 0x56;
constexpr int X = 0x58;
constexpr int Y = 0x59;
constexpr int Z = 0x5A;
constexpr int LeftWindows = 0x5B;
constexpr int RightWindows = 0x5C;
constexpr int Apps = 0x5D;
constexpr int Numpad0 = 0x60; // numpad digits are 0x60..0x69
constexpr int Multiply = 0x6A;
constexpr int Add = 0x6B;
constexpr int Subtract = 0x6D;
constexpr int Decimal = 0x6E;
constexpr int Divide = 0x6F;
constexpr int F1 = 0x70; // F1..F12 are 0x70..0x7B
constexpr int F3 = 0x72;
constexpr int F12 = 0x7B;
constexpr int NumLock = 0x90;
constexpr int ScrollLock = 0x91;
constexpr int OemSemicolon = 0xBA;
constexpr int OemPlus = 0xBB;
constexpr int OemComma = 0xBC;
constexpr int OemMinus = 0xBD;
constexpr int OemPeriod = 0xBE;
constexpr int OemSlash = 0xBF;
constexpr int OemTilde = 0xC0;
constexpr int OemOpenBracket = 0xDB;
constexpr int OemBackslash = 0xDC;
constexpr int OemCloseBracket = 0xDD;
constexpr int OemQuote = 0xDE;
constexpr int Oem102 = 0xE2; // the extra key left of Z on European keyboards
} // namespace keymap::vk
