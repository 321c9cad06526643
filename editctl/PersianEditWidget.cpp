#include "editctl/PersianEditWidget.h"

#include "editctl/QtClipboard.h"
#include "editctl/VirtualKeyMap.h"
#include "keymap/KeyMap.h"
#include "keymap/UnicodeBridge.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>

#include <algorithm>
#include <cmath>

namespace editctl {

PersianEditWidget::PersianEditWidget(WindowStyle style, QWidget* parent)
    : QAbstractScrollArea(parent)
    , edit(style)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false); // keys are read by physical position
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The multi-line control keeps its scroll bar, disabled while everything fits.
    setVerticalScrollBarPolicy(style == WindowStyle::MultiLine ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);

    // Measure with the drawing font from the start, before the owner's first SetEditFont.
    edit.SetMetrics(&metrics);
    edit.Window().SetMetrics(&metrics);
    edit.Window().SetClipboard(&QtClipboard::Shared());
    edit.Window().SetSelectionBoard(QtClipboard::SharedSelection());
    edit.Window().AddObserver(this);

    caretBlink.setInterval(std::max(100, QGuiApplication::styleHints()->cursorFlashTime() / 2));
    dragScroll.setInterval(50);
    connect(&dragScroll, &QTimer::timeout, this, [this] { Window().MouseMove(dragPoint); });
    connect(&caretBlink, &QTimer::timeout, this, [this] {
        caretShown = !caretShown;
        viewport()->update(QRect(0, Window().GetCaretPos().y, viewport()->width(), Window().LineHeight()));
    });
}

PersianEditWidget::~PersianEditWidget()
{
    edit.Window().RemoveObserver(this);
}

void PersianEditWidget::SetKeyMap(keymap::KeyMap* map)
{
    edit.SetKeyMap(map);
    KeymapChanged();
}

void PersianEditWidget::KeymapChanged()
{
    const keymap::KeyMap* map = edit.KeyMapInUse();
    if (map == shownMap && (!map || map->Records() == shownTable))
        return;
    shownMap = map;
    shownTable = map ? map->Records() : keymap::KeyTable{};
    if (metrics.SetDisplayForms(DisplayFont::FormsOf(map))) {
        Window().MetricsChanged();
        viewport()->update();
    }
}

bool PersianEditWidget::SetEditFont(const std::string& face, int height)
{
    KeymapChanged();
    const bool result = edit.SetEditFont(face, height);
    SyncScrollBar();
    viewport()->update();
    updateGeometry();
    return result;
}

QSize PersianEditWidget::sizeHint() const
{
    const int frame = 2 * frameWidth();
    if (Window().Style() == WindowStyle::SingleLine)
        return QSize(200, Font().Height() + frame + 4);
    return QSize(400, 300);
}

QSize PersianEditWidget::minimumSizeHint() const
{
    return QSize(40, Font().Height() + 2 * frameWidth());
}

// ---- Keys ------------------------------------------------------------------------------------

std::optional<KeyEvent> PersianEditWidget::KeyEventOf(const QKeyEvent& event) const
{
    // Alt and Meta combinations are menu and desktop keys; the key handler never sees them.
    if (event.modifiers() & (Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    const int virtualKey = VirtualKeyMap::FromEvent(event);
    if (virtualKey == 0)
        return std::nullopt;
    return KeyEvent{virtualKey, event.modifiers().testFlag(Qt::ShiftModifier),
        event.modifiers().testFlag(Qt::ControlModifier)};
}

bool PersianEditWidget::Matches(const HandledPress& press, const QKeyEvent& event) const
{
    return press.timestamp == event.timestamp() && press.qtKey == event.key() && press.modifiers == event.modifiers();
}

bool PersianEditWidget::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // The key handler comes before the owner's shortcuts: run it now, and claim the key when it
        // consumed it so no shortcut fires; the key press that follows is then only acknowledged.
        // A second override for the same press (Qt sends one for key events sent by hand) must
        // not run the handler again.
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (!handledPress || !Matches(*handledPress, *keyEvent)) {
            handledPress.reset();
            const std::optional<KeyEvent> key = KeyEventOf(*keyEvent);
            if (!key)
                return QAbstractScrollArea::event(event);
            KeymapChanged();
            const bool consumed = edit.PreTranslateMessage(*key);
            handledPress = HandledPress{keyEvent->timestamp(), keyEvent->key(), keyEvent->modifiers(), consumed};
        }
        event->setAccepted(handledPress->consumed);
        return true;
    }
    case QEvent::KeyPress: {
        // Tab belongs to the key handler, not to focus changes.
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (keyEvent->key() == Qt::Key_Tab || keyEvent->key() == Qt::Key_Backtab) {
            keyPressEvent(keyEvent);
            return true;
        }
        break;
    }
    case QEvent::KeyRelease:
        handledPress.reset(); // a press whose override let a shortcut fire never arrives
        break;
    case QEvent::Paint: {
        const bool result = QAbstractScrollArea::event(event); // the frame
        if (hasFocus())
            PaintFocusFrame();
        return result;
    }
    default:
        break;
    }
    return QAbstractScrollArea::event(event);
}

void PersianEditWidget::keyPressEvent(QKeyEvent* event)
{
    const std::optional<KeyEvent> key = KeyEventOf(*event);
    if (!key) {
        event->ignore();
        return;
    }
    bool consumed;
    if (handledPress && Matches(*handledPress, *event)) {
        consumed = handledPress->consumed;
    } else {
        KeymapChanged();
        consumed = edit.PreTranslateMessage(*key); // without a keymap it types nothing
    }
    handledPress.reset();
    if (consumed) {
        event->accept();
        return;
    }
    PassOn(*key, event);
}

void PersianEditWidget::PassOn(const KeyEvent& key, QKeyEvent* event)
{
    if (Window().KeyDown(key))
        event->accept();
    else
        event->ignore();
}

// ---- Mouse -------------------------------------------------------------------------------------

void PersianEditWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    Window().MousePress(TextPoint(event->position()), event->modifiers().testFlag(Qt::ShiftModifier));
    RestartCaretBlink();
}

void PersianEditWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    dragPoint = TextPoint(event->position());
    Window().MouseMove(dragPoint);
    // Held above or below the text, the selection keeps growing line by line.
    const bool outside = event->position().y() < 0 || event->position().y() >= viewport()->height();
    if (outside && !dragScroll.isActive())
        dragScroll.start();
    else if (!outside)
        dragScroll.stop();
}

void PersianEditWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    dragScroll.stop();
    Window().MouseRelease(TextPoint(event->position()));
}

void PersianEditWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Window().MouseDoubleClick(TextPoint(event->position()));
}

void PersianEditWidget::wheelEvent(QWheelEvent* event)
{
    if (Window().Style() == WindowStyle::MultiLine && event->angleDelta().y() != 0) {
        Window().Wheel(event->angleDelta().y());
        event->accept();
        return;
    }
    event->ignore();
}

// ---- Context menu ----------------------------------------------------------------------------

QMenu* PersianEditWidget::CreateContextMenu(QWidget* parent)
{
    // The edit window's usual menu; each item runs the same command as its key.
    auto* menu = new QMenu(parent);
    const bool selection = Window().HasSelection();
    const auto add = [&](const QString& text, bool enabled, auto run) {
        QAction* action = menu->addAction(text);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, [this, run] {
            run();
            setFocus();
        });
    };
    add(tr("&Undo"), edit.CanUndo(), [this] { edit.Undo(); });
    menu->addSeparator();
    add(tr("Cu&t"), selection, [this] { edit.CutCommand(DigitRun::End); });
    add(tr("&Copy"), selection, [this] { edit.CopyCommand(); });
    add(tr("&Paste"), !QtClipboard::Shared().Get().Empty(), [this] { edit.PasteCommand(DigitRun::End); });
    add(tr("&Delete"), selection, [this] { edit.DeleteCommand(Unit::Character); });
    menu->addSeparator();
    add(tr("Select &All"), Window().GetTextLength() > 0, [this] { edit.SelectAll(); });
    return menu;
}

void PersianEditWidget::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = CreateContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

// ---- Focus and caret ---------------------------------------------------------------------------

void PersianEditWidget::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    RestartCaretBlink();
    update();
    viewport()->update();
}

void PersianEditWidget::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    caretBlink.stop();
    dragScroll.stop();
    update();
    viewport()->update();
}

void PersianEditWidget::RestartCaretBlink()
{
    caretShown = true;
    if (hasFocus())
        caretBlink.start();
}

// ---- Geometry and scrolling --------------------------------------------------------------------

void PersianEditWidget::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    SyncGeometry();
}

void PersianEditWidget::SyncGeometry()
{
    // The line break rules use the control's width (with frame and scroll bar); the text is laid
    // out in the viewport, the part of the widget that shows text.
    edit.SetTextArea(width(), viewport()->width() - 2 * TextMargin, viewport()->height());
    SyncScrollBar();
    KeepCaretInViewHorizontally();
    viewport()->update();
}

void PersianEditWidget::SyncScrollBar()
{
    if (Window().Style() != WindowStyle::MultiLine)
        return;
    syncingScrollBar = true;
    QScrollBar* bar = verticalScrollBar();
    const int visible = std::max(1, Window().VisibleLineCount());
    const int maximum = std::max(0, Window().GetLineCount() - visible);
    bar->setRange(0, std::max(maximum, Window().FirstVisibleLine()));
    bar->setPageStep(visible);
    bar->setSingleStep(1);
    bar->setValue(Window().FirstVisibleLine());
    bar->setEnabled(bar->maximum() > 0);
    syncingScrollBar = false;
}

void PersianEditWidget::scrollContentsBy(int, int)
{
    if (syncingScrollBar)
        return;
    Window().SetFirstVisibleLine(verticalScrollBar()->value());
}

Point PersianEditWidget::TextPoint(const QPointF& position) const
{
    return Point{static_cast<int>(std::floor(position.x())) - TextLeft(), static_cast<int>(std::floor(position.y()))};
}

void PersianEditWidget::KeepCaretInViewHorizontally()
{
    // A one-line field never wraps; when its text is wider than the field, slide the text so
    // the caret stays in view, moving no further than needed.
    if (Window().Style() != WindowStyle::SingleLine) {
        horizontalShift = 0;
        return;
    }
    const int view = Window().ViewWidth();
    const int maxShift = std::max(0, Window().TextWidth(0, Window().GetTextLength()) - view);
    const int caretX = Window().GetCaretPos().x;
    int shift = std::clamp(horizontalShift, 0, maxShift);
    if (caretX - shift < 0)
        shift = caretX;
    else if (caretX - shift > view)
        shift = caretX - view;
    shift = std::clamp(shift, 0, maxShift);
    if (shift != horizontalShift) {
        horizontalShift = shift;
        viewport()->update();
    }
}

// ---- Model notifications -----------------------------------------------------------------------

void PersianEditWidget::TextChanged(const TextChange& change)
{
    if (change.lineCountChanged) {
        SyncScrollBar();
        UpdateLines(change.firstLine, -1);
    } else {
        UpdateLines(change.firstLine, change.lastLine);
    }
    UpdateSelectionLines();
    KeepCaretInViewHorizontally();
    emit CaretMoved();
}

void PersianEditWidget::SelectionChanged()
{
    RestartCaretBlink();
    UpdateSelectionLines();
    KeepCaretInViewHorizontally();
    emit CaretMoved();
    // Offered once the selecting settles (a drag changes it at every mouse move), as other
    // programs paste it with a middle click.
    if (Window().SelectionBoard() && !selectionPublishPending) {
        selectionPublishPending = true;
        QTimer::singleShot(0, this, [this] {
            selectionPublishPending = false;
            Window().PublishSelection();
        });
    }
}

void PersianEditWidget::ScrollChanged()
{
    SyncScrollBar();
    viewport()->update();
}

void PersianEditWidget::UpdateSelectionLines()
{
    // Repaint the lines the old selection and caret covered and those the new ones cover.
    int start = 0, end = 0;
    Window().GetSel(start, end);
    const int first = Window().LineFromChar(std::min(start, Window().Caret()));
    const int last = Window().LineFromChar(std::max(end, Window().Caret()));
    UpdateLines(std::min(first, selectionFirstLine), std::max(last, selectionLastLine));
    selectionFirstLine = first;
    selectionLastLine = last;
}

void PersianEditWidget::UpdateLines(int first, int last)
{
    const int top = Window().FirstVisibleLine();
    const int bottom = top + Window().VisibleLineCount();
    first = std::max(first, top);
    last = last < 0 ? bottom : std::min(last, bottom);
    if (first > last)
        return;
    const QRect area = LineRect(first).united(LineRect(last));
    viewport()->update(QRect(0, area.top(), viewport()->width(), area.height()));
}

QRect PersianEditWidget::LineRect(int line) const
{
    const int height = std::max(1, Window().LineHeight());
    const int y = (line - Window().FirstVisibleLine()) * height;
    return QRect(0, y, viewport()->width(), height);
}

// ---- Painting ----------------------------------------------------------------------------------

void PersianEditWidget::paintEvent(QPaintEvent* event)
{
    KeymapChanged();
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().color(QPalette::Base));
    int selStart = 0, selEnd = 0;
    Window().GetSel(selStart, selEnd);
    const int height = std::max(1, Window().LineHeight());
    const int top = Window().FirstVisibleLine();
    const int first = top + std::max(0, event->rect().top() / height);
    const int last = std::min(Window().GetLineCount() - 1, top + event->rect().bottom() / height);
    for (int line = first; line <= last; ++line)
        PaintLine(painter, line, selStart, selEnd);
    if (hasFocus() && caretShown)
        PaintCaret(painter);
}

void PersianEditWidget::PaintFocusFrame()
{
    // Over the outer line of the frame, so it never covers text.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Active, QPalette::Highlight));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void PersianEditWidget::PaintLine(QPainter& painter, int line, int selStart, int selEnd) const
{
    const DisplayFont& font = Font();
    const int lineStart = Window().LineIndex(line);
    const std::string text = Window().GetLine(line);
    const int lineEnd = lineStart + static_cast<int>(text.size());
    const QRect rect = LineRect(line);
    const int baseline = rect.top() + font.Ascent();
    qreal x = TextLeft() + Window().LineLeft(line);

    // The line in up to three pieces: before, inside and after the selection. Widths add up, so the
    // pieces sit exactly where the whole line would.
    const int from = std::clamp(selStart, lineStart, lineEnd) - lineStart;
    const int to = std::clamp(selEnd, lineStart, lineEnd) - lineStart;
    const std::string_view all(text);
    painter.setPen(palette().color(QPalette::Text));
    x = font.Draw(painter, QPointF(x, baseline), all.substr(0, static_cast<size_t>(from)));
    if (to > from) {
        const std::string_view selected = all.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
        const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
        painter.fillRect(QRectF(x, rect.top(), font.Width(selected), rect.height()), palette().color(group, QPalette::Highlight));
        painter.setPen(palette().color(group, QPalette::HighlightedText));
        x = font.Draw(painter, QPointF(x, baseline), selected);
        painter.setPen(palette().color(QPalette::Text));
    }
    font.Draw(painter, QPointF(x, baseline), all.substr(static_cast<size_t>(to)));
}

void PersianEditWidget::PaintCaret(QPainter& painter) const
{
    const Point at = Window().GetCaretPos();
    // Centred on the gap between two glyphs, and kept inside the view at the right edge.
    const int x = std::clamp(TextLeft() + at.x - 1, 0, std::max(0, viewport()->width() - 2));
    painter.fillRect(QRect(x, at.y, 2, std::max(1, Window().LineHeight())), palette().color(QPalette::Text));
}

} // namespace editctl
