/** @file PersianEditWidget.h
 ** The Qt widget that shows a PersianEdit and feeds it keys and mouse input. **/
#pragma once

#include "editctl/DisplayFontMetrics.h"
#include "editctl/EditWindow.h"
#include "editctl/KeyEvent.h"
#include "editctl/PersianEdit.h"
#include "keymap/KeyMap.h"
#include "keymap/KeyRecord.h"

#include <QAbstractScrollArea>
#include <QTimer>

class QMenu;

#include <optional>
#include <string>

namespace editctl {

/// Owns a PersianEdit and is its window on screen: draws the display lines right-aligned in the
/// display font, with selection, caret, vertical scroll bar and a focus frame, repainting only the
/// lines the model reports changed. Key presses become virtual-key events for the PersianEdit's
/// PreTranslateMessage; a key it consumes is accepted before the owner's shortcuts see it, a key it
/// passes on goes to the owner's shortcuts, then to the edit window's own handling, and if that
/// does nothing up to the parent widget. Copy and paste go through the system clipboard.
class PersianEditWidget : public QAbstractScrollArea, private EditWindowObserver {
    Q_OBJECT
public:
    explicit PersianEditWidget(WindowStyle style = WindowStyle::MultiLine, QWidget* parent = nullptr);
    ~PersianEditWidget() override;

    PersianEdit& Edit() { return edit; }
    const PersianEdit& Edit() const { return edit; }
    EditWindow& Window() { return edit.Window(); }
    const EditWindow& Window() const { return edit.Window(); }

    /// Binds a keymap (not owned) and shows glyphs through its display forms.
    void SetKeyMap(keymap::KeyMap* map);
    /// Call after the bound keymap was reloaded; also checked before every paint and key.
    void KeymapChanged();
    /// PersianEdit::SetEditFont with the repaint that goes with it.
    bool SetEditFont(const std::string& face, int height);
    const DisplayFont& Font() const { return metrics.Font(); }

signals:
    /// The caret or the text around it changed, however it came about (keys, mouse, a command).
    void CaretMoved();

public:

    /// The right-click menu (Undo, Cut, Copy, Paste, Delete, Select All), owned by `parent`.
    QMenu* CreateContextMenu(QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // A key press whose handler already ran when its shortcut override came.
    struct HandledPress {
        ulong timestamp;
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        bool consumed;
    };

    void TextChanged(const TextChange& change) override;
    void SelectionChanged() override;
    void ScrollChanged() override;

    std::optional<KeyEvent> KeyEventOf(const QKeyEvent& event) const;
    bool Matches(const HandledPress& press, const QKeyEvent& event) const;
    void PassOn(const KeyEvent& key, QKeyEvent* event);
    /// Viewport x of the text area's left edge.
    int TextLeft() const { return TextMargin - horizontalShift; }
    Point TextPoint(const QPointF& position) const;
    void KeepCaretInViewHorizontally();
    void SyncGeometry();
    void SyncScrollBar();
    void UpdateLines(int first, int last);
    void UpdateSelectionLines();
    void RestartCaretBlink();
    QRect LineRect(int line) const;
    void PaintLine(QPainter& painter, int line, int selStart, int selEnd) const;
    void PaintCaret(QPainter& painter) const;
    void PaintFocusFrame();

    /// Blank pixels between the text area and the frame on either side, so text never touches it.
    static constexpr int TextMargin = 3;

    PersianEdit edit;
    DisplayFontMetrics metrics;
    keymap::KeyTable shownTable{};
    const keymap::KeyMap* shownMap = nullptr;
    std::optional<HandledPress> handledPress;
    int selectionFirstLine = 0; // display lines the selection and caret covered at the last paint
    int selectionLastLine = 0;
    bool caretShown = true;
    QTimer caretBlink;
    QTimer dragScroll;
    Point dragPoint;
    bool syncingScrollBar = false;
    bool selectionPublishPending = false;
    int horizontalShift = 0; // pixels a one-line field's text is slid left to keep the caret in view
};

} // namespace editctl
