/** @file FakeDocumentHost.h
 ** A main window stand-in for the document commands: a real edit control with main.kbd, and
 ** scripted answers for the dialogs and warnings. **/
#pragma once

#include "app/DocumentCommands.h"
#include "app/DocumentHost.h"
#include "app/EditorApp.h"
#include "editctl/PersianEdit.h"
#include "keymap/KeyMap.h"
#include "keymap/UnicodeBridge.h"

#include <deque>
#include <optional>
#include <string>

namespace fakes {

class FakeDocumentHost : public app::DocumentHost, public app::AppMainWindow {
public:
    /// Expects main.kbd in the program folder the settings name ("Temp"/"KelmDir").
    explicit FakeDocumentHost(int windowWidth = 100000)
    {
        keyMap.Load("main.kbd");
        editor.SetKeyMap(&keyMap);
        editor.SetEditFont("nasim web homa", 24);
        editor.Resize(windowWidth, 400);
    }

    /// Glyph text of the shipped keymap now bound, for a Persian phrase in Unicode.
    std::string Glyphs(const std::string& utf8) const { return keymap::UnicodeBridge(keyMap).ImportUtf8(utf8); }
    std::string Unicode(const std::string& glyphs) const { return keymap::UnicodeBridge(keyMap).ExportUtf8(glyphs); }
    std::string Text() const { return editor.Window().GetText(); }
    /// Puts text in the editor as typing would leave it: modified, with an undo snapshot.
    void Type(const std::string& glyphs)
    {
        editor.SaveUndo();
        editor.Window().SetText(glyphs);
        editor.modified = true;
    }

    editctl::PersianEdit& Editor() override { return editor; }
    void SetTitle(const std::string& t) override { title = t; }
    void FocusEditor() override { ++focusCount; }
    std::optional<std::string> RunOpenDialog() override { return Next(openAnswers, openAsked); }
    std::optional<std::string> RunSaveAsDialog() override { return Next(saveAsAnswers, saveAsAsked); }
    std::optional<std::string> RunImportDialog() override { return Next(importAnswers, importAsked); }
    std::optional<app::UnicodeExportChoice> RunExportDialog() override { return Next(exportAnswers, exportAsked); }
    app::SaveChangesAnswer RunSaveChangesWarning() override
    {
        ++saveChangesAsked;
        return Next(saveChangesAnswers, app::SaveChangesAnswer::Cancel);
    }
    bool RunRevertWarning() override
    {
        ++revertAsked;
        return Next(revertAnswers, false);
    }
    void AdoptDocumentFont() override
    {
        ++adopted;
        adoptedFace = editor.fontFace;
        adoptedSize = editor.fontHeight;
        adoptedKeymap = keyMap.FileName();
        editor.headerLoaded = false;
    }
    void RecentFilesChanged() override { ++recentChanged; }

    // AppMainWindow, through a real DocumentCommands when one is attached.
    bool OpenFromPath(const std::string& path) override { return commands && commands->OpenFromPath(path); }
    void ShowMainWindow() override { shown = true; }

    editctl::PersianEdit editor;
    keymap::KeyMap keyMap;
    std::string title;
    int focusCount = 0;
    std::deque<std::optional<std::string>> openAnswers, saveAsAnswers, importAnswers;
    std::deque<std::optional<app::UnicodeExportChoice>> exportAnswers;
    int importAsked = 0, exportAsked = 0;
    std::deque<app::SaveChangesAnswer> saveChangesAnswers;
    std::deque<bool> revertAnswers;
    int openAsked = 0, saveAsAsked = 0, saveChangesAsked = 0, revertAsked = 0;
    int adopted = 0, recentChanged = 0;
    std::string adoptedFace, adoptedKeymap;
    int adoptedSize = 0;
    app::DocumentCommands* commands = nullptr;
    bool shown = false;

private:
    template <typename T>
    static T Next(std::deque<T>& answers, T otherwise)
    {
        if (answers.empty())
            return otherwise;
        T a = answers.front();
        answers.pop_front();
        return a;
    }
    template <typename T>
    static std::optional<T> Next(std::deque<std::optional<T>>& answers, int& asked)
    {
        ++asked;
        return Next(answers, std::optional<T>());
    }
};

} // namespace fakes
