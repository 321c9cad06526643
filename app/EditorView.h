/** @file EditorView.h
 ** The main window's client area: the main Persian edit control and the keymap bound to it. **/
#pragma once

#include "app/DocumentFile.h"
#include "keymap/KeyMap.h"

#include <QFrame>

#include <string>
#include <utility>

namespace editctl {
class PersianEdit;
class PersianEditWidget;
}

namespace app {

/// Owns the editor widget (id 101) and its keymap. The widget always fills the view; its width is
/// the editor's windowWidth. The frame reaches the editor only through this class.
class EditorView : public QFrame {
    Q_OBJECT
public:
    explicit EditorView(QWidget* parent = nullptr);
    ~EditorView() override;

    QWidget* EditWidget() const;
    editctl::PersianEdit& Editor() const;
    keymap::KeyMap& BoundKeyMap() { return keyMap; }

    /// Binds and loads everything for one document: the keymap (stops here when it cannot be
    /// loaded), the font, then the document unless path is empty or "UnTitled.txf". True when the
    /// document at path was read (or there was none to read).
    bool SetupEditor(const std::string& face, int size, const std::string& keymapName, const std::string& path,
                     const DocumentFormat& format);
    void SetEditFont(const std::string& face, int size);
    /// Call after the bound keymap was loaded again (the display forms follow it).
    void KeymapReloaded();
    void ApplyLayoutSettings(int tabWidth, int maxChars, bool dosMode);

    std::string Text() const;
    /// Replaces the whole text, keeping the modified flag as it was.
    void ReplaceText(const std::string& glyphs);
    bool Modified() const;
    void SetModified(bool modified);
    bool HeaderLoaded() const;
    void SetHeaderLoaded(bool loaded);
    bool EnglishMode() const;
    std::string FontFace() const;
    int FontHeight() const;
    /// Caret line (from 1) and the column counted from the logical start of that line.
    std::pair<int, int> CaretPosition() const;

signals:
    /// The editor's caret moved or the text around it changed.
    void CaretMoved();

public:

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    keymap::KeyMap keyMap;
    editctl::PersianEditWidget* editWidget;
};

} // namespace app
