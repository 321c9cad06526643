#include "editctl/PersianEditWidget.h"
#include "editctl/QtClipboard.h"
#include "editctl/VirtualKeyMap.h"
#include "keymap/KeyMap.h"
#include "keymap/UnicodeBridge.h"
#include "tests/fakes/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPaintEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <QTest>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace editctl {
namespace {

constexpr int EvdevSpace = 57;

// The evdev code of the physical key that carries a virtual-key code.
int EvdevOf(int virtualKey)
{
    for (int code = 1; code < 128; ++code) {
        if (VirtualKeyMap::FromEvdev(code) == virtualKey)
            return code;
    }
    return 0;
}

std::u32string U32(const std::string& utf8)
{
    return QString::fromStdString(utf8).toStdU32String();
}

std::string Utf8(char32_t c)
{
    return QString::fromUcs4(&c, 1).toStdString();
}

/// Parent that records which keys reached it and which of its shortcuts fired.
class OwnerWindow : public QWidget {
public:
    OwnerWindow()
    {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    std::vector<int> keysSeen;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() != Qt::Key_Control && event->key() != Qt::Key_Shift)
            keysSeen.push_back(event->key());
    }
};

class PersianEditWidgetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.InstallKeymap("main.kbd");
        folder.InstallKeymap("kolb.kbd");
        ASSERT_TRUE(mainMap.Load("main.kbd"));
        ASSERT_TRUE(kolbMap.Load("kolb.kbd"));
    }

    /// A widget bound to a keymap, in a shown and active owner window, with the focus.
    PersianEditWidget* MakeEditor(OwnerWindow& owner, keymap::KeyMap& map, int width = 320, int height = 200)
    {
        auto* editor = new PersianEditWidget(WindowStyle::MultiLine, &owner);
        owner.layout()->addWidget(editor);
        editor->SetKeyMap(&map);
        editor->SetEditFont("nasim web homa", 24);
        owner.resize(width, height);
        owner.show();
        QApplication::setActiveWindow(&owner);
        editor->setFocus();
        QApplication::processEvents();
        return editor;
    }

    /// Presses a physical key as a Persian layout reports it: the Qt key is the Persian letter, the
    /// native scan code names the key. Delivered as the platform does: the shortcut override first,
    /// then the key press.
    static void PressPhysical(QWidget* target, int evdev, char32_t layoutChar, Qt::KeyboardModifiers modifiers = {})
    {
        static ulong timestamp = 1000;
        ++timestamp;
        const QString text = layoutChar ? QString::fromUcs4(&layoutChar, 1) : QString();
        const int qtKey = layoutChar ? static_cast<int>(layoutChar) : 0;
        QKeyEvent override(QEvent::ShortcutOverride, qtKey, modifiers, static_cast<quint32>(evdev + 8), 0, 0, text);
        override.setTimestamp(timestamp);
        QApplication::sendEvent(target, &override);
        QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, static_cast<quint32>(evdev + 8), 0, 0, text);
        press.setTimestamp(timestamp);
        QApplication::sendEvent(target, &press);
    }

    /// Types a Persian sentence key by key: each letter on the key whose record holds it.
    void TypeSentence(QWidget* target, keymap::KeyMap& map, const std::string& sentence)
    {
        const keymap::UnicodeBridge bridge(map);
        for (const char32_t c : U32(sentence)) {
            if (c == U' ') {
                PressPhysical(target, EvdevSpace, U' ');
                continue;
            }
            const std::string glyphs = bridge.ImportUtf8(Utf8(c));
            ASSERT_EQ(glyphs.size(), 1u) << Utf8(c);
            int form = 0;
            const keymap::KeyRecord record = map.RecordForGlyph(static_cast<unsigned char>(glyphs[0]), form);
            const int evdev = EvdevOf(record.keyCode);
            ASSERT_NE(evdev, 0) << Utf8(c) << " has no key";
            PressPhysical(target, evdev, c);
        }
    }

    fakes::FakeServices services;
    fakes::TempProgramFolder folder{services.settings};
    keymap::KeyMap mainMap;
    keymap::KeyMap kolbMap;
};

// Left and right ends of the dark pixels inside `area` (relative to it), or (-1, -1) when blank.
std::pair<int, int> InkSpan(const QImage& image, const QRect& area)
{
    int left = -1, right = -1;
    for (int x = area.left(); x <= area.right(); ++x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            if (qGray(image.pixel(x, y)) < 100) {
                if (left < 0)
                    left = x - area.left();
                right = x - area.left();
                break;
            }
        }
    }
    return {left, right};
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string TrimmedRight(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

const std::string Sentence = "سلام دوستان من امروز کتاب خوبی را در کتابخانه خواندم";

TEST_F(PersianEditWidgetTest, TypedSentenceIsJoinedRightAlignedAndWrapped)
{
    OwnerWindow owner;
    PersianEditWidget* editor = MakeEditor(owner, mainMap, 320, 220);
    TypeSentence(editor, mainMap, Sentence + " ");

    const EditWindow& window = editor->Window();
    const keymap::UnicodeBridge bridge(mainMap);
    const std::string text = window.GetText();
    EXPECT_EQ(TrimmedRight(Replaced(bridge.ExportUtf8(text), "\r\n", " ")), Sentence);
    EXPECT_NE(text.find("\r\n"), std::string::npos) << "typing past the width broke the line";
    ASSERT_GE(window.GetLineCount(), 2);

    // Joined: every line holds the shapes that Unicode joining gives its words, and the first word
    // starts (at the right end of the first line string) with the initial seen, its lam and alef
    // merged into the joined lam-alef.
    for (int line = 0; line < window.GetLineCount(); ++line) {
        const std::string glyphs = window.GetLine(line);
        EXPECT_EQ(bridge.ImportUtf8(bridge.ExportUtf8(glyphs)), glyphs) << "line " << line;
    }
    const std::string first = TrimmedRight(std::string(window.GetLine(0)));
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(static_cast<unsigned char>(first.back()), mainMap.RecordForKey('S').initial);
    EXPECT_NE(first.find(static_cast<char>(mainMap.RecordForKey(0xBE).final)), std::string::npos);

    // The picture, without focus so neither caret nor focus frame adds ink.
    editor->clearFocus();
    QApplication::processEvents();
    const QImage picture = editor->grab().toImage();
    const QString saved = QStringLiteral(KELMORA_TEST_OUTPUT_DIR "/PersianEditWidget-sentence.png");
    EXPECT_TRUE(picture.save(saved)) << saved.toStdString();

    const QRect view = editor->viewport()->geometry();
    const int lineHeight = window.LineHeight();
    const int lastLine = window.GetLineCount() - 1;
    ASSERT_LE((lastLine + 1) * lineHeight, view.height()) << "all lines are in view";
    for (int line = 0; line <= lastLine; ++line) {
        const QRect band(view.left(), view.top() + line * lineHeight, view.width(), lineHeight);
        const auto [left, right] = InkSpan(picture, band);
        ASSERT_NE(left, -1) << "line " << line << " shows ink";
        EXPECT_GE(right, view.width() - 8) << "line " << line << " reaches the right edge";
        EXPECT_GE(left, window.LineLeft(line) - 3) << "line " << line << " starts where layout put it";
    }
    // The last line is short: its left part is blank.
    ASSERT_GT(window.LineLeft(lastLine), view.width() / 4);
    const QRect lastBand(view.left(), view.top() + lastLine * lineHeight, window.LineLeft(lastLine) - 3, lineHeight);
    EXPECT_EQ(InkSpan(picture, lastBand).first, -1) << "nothing at the far left of the short last line";
    const QRect below(view.left(), view.top() + (lastLine + 1) * lineHeight, view.width(),
        view.height() - (lastLine + 1) * lineHeight);
    EXPECT_EQ(InkSpan(picture, below).first, -1) << "nothing below the text";
}

TEST_F(PersianEditWidgetTest, ConsumedKeysNeverReachTheOwnersShortcutsPassedOnKeysDo)
{
    OwnerWindow owner;
    PersianEditWidget* editor = MakeEditor(owner, mainMap);
    struct ShortcutCase {
        QKeySequence sequence;
        int fired = 0;
    };
    ShortcutCase copy{QKeySequence(Qt::CTRL | Qt::Key_C)}, findNext{QKeySequence(Qt::Key_F3)},
        save{QKeySequence(Qt::CTRL | Qt::Key_S)};
    for (ShortcutCase* c : {&copy, &findNext, &save}) {
        auto* action = new QAction(&owner);
        action->setShortcut(c->sequence);
        QObject::connect(action, &QAction::triggered, [c] { ++c->fired; });
        owner.addAction(action);
    }

    QTest::keyClick(editor, Qt::Key_D); // a letter: typed once, not once per delivery
    EXPECT_EQ(editor->Window().GetText(), std::string(1, static_cast<char>(mainMap.RecordForKey('D').initial)));
    QTest::keyClick(editor, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copy.fired, 0) << "Ctrl+C is the control's copy";
    QTest::keyClick(editor, Qt::Key_F3);
    EXPECT_EQ(findNext.fired, 1) << "F3 goes on to the owner";
    QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(save.fired, 1) << "other Control keys go on to the owner";
    EXPECT_TRUE(owner.keysSeen.empty());

    QTest::keyClick(editor, Qt::Key_Escape); // passed on, no shortcut, nothing for the window
    EXPECT_EQ(owner.keysSeen, std::vector<int>{Qt::Key_Escape});
    QTest::keyClick(editor, Qt::Key_Tab); // Tab types spaces and keeps the focus
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_EQ(editor->Window().GetTextLength(), 1 + editor->Edit().tabWidth);
}

TEST_F(PersianEditWidgetTest, CopyBetweenControlsWithDifferentKeymapsKeepsTheWords)
{
    OwnerWindow owner;
    PersianEditWidget* source = MakeEditor(owner, mainMap);
    PersianEditWidget* target = new PersianEditWidget(WindowStyle::MultiLine, &owner);
    owner.layout()->addWidget(target);
    target->SetKeyMap(&kolbMap);
    target->SetEditFont("nasim web homa", 24);
    QApplication::processEvents();

    const keymap::UnicodeBridge mainBridge(mainMap), kolbBridge(kolbMap);
    const std::string words = "سلام دنیا";
    ASSERT_NE(mainBridge.ImportUtf8(words), kolbBridge.ImportUtf8(words)) << "the keymaps encode differently";
    source->Window().SetText(mainBridge.ImportUtf8(words));
    QTest::keyClick(source, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(source, Qt::Key_C, Qt::ControlModifier);

    const QMimeData* mime = QApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_EQ(mime->data(QtClipboard::GlyphsMimeType).toStdString(), mainBridge.ImportUtf8(words));
    EXPECT_EQ(mime->data(QtClipboard::KeymapMimeType).toStdString(), "main.kbd");
    EXPECT_EQ(mime->text().toStdString(), words);

    target->setFocus();
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(target->Window().GetText(), kolbBridge.ImportUtf8(words));
    EXPECT_EQ(kolbBridge.ExportUtf8(target->Window().GetText()), words);
}

TEST_F(PersianEditWidgetTest, TextFromOtherProgramsIsPastedThroughTheKeymapOrAsLatin1)
{
    folder.InstallKeymap("ziba2.kbd");
    keymap::KeyMap zibaMap;
    ASSERT_TRUE(zibaMap.Load("ziba2.kbd"));
    ASSERT_FALSE(zibaMap.SupportsEnglish());
    const keymap::UnicodeBridge mainBridge(mainMap), zibaBridge(zibaMap);
    struct PasteCase {
        const char* what;
        keymap::KeyMap* map;
        std::string text;
        std::string expected;
    };
    const PasteCase cases[] = {
        {"Persian words", &mainMap, "کتاب خوب", mainBridge.ImportUtf8("کتاب خوب")},
        {"Persian words, another keymap", &zibaMap, "کتاب خوب", zibaBridge.ImportUtf8("کتاب خوب")},
        {"two lines", &mainMap, "سلام\nدنیا", mainBridge.ImportUtf8("سلام\r\nدنیا")},
        {"Latin text a keymap without English cannot type comes as bytes", &zibaMap, "abc d\xC3\xA9", "abc d\xE9"},
        {"characters no keymap has are left out of Persian text", &zibaMap, "کتاب \xE2\x82\xAC", zibaBridge.ImportUtf8("کتاب ")},
        {"letters the font lacks are pasted as their nearest", &mainMap, "تأثیر كتاب", mainBridge.ImportUtf8("تاثیر کتاب")},
        {"a no-break space in Latin-1 text the keymap can type is a space, not a byte", &mainMap, "A\u00A0B", "A B"},
    };
    for (const auto& c : cases) {
        OwnerWindow owner;
        PersianEditWidget* editor = MakeEditor(owner, *c.map);
        QApplication::clipboard()->setText(QString::fromStdString(c.text));
        QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(editor->Window().GetText(), c.expected) << c.what;
        EXPECT_TRUE(editor->Edit().modified) << c.what;
    }
}

// Collects the regions the viewport repaints.
class PaintRecorder : public QObject {
public:
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

TEST_F(PersianEditWidgetTest, TypingRepaintsOnlyTheChangedLinesAndScrollingFollowsTheCaret)
{
    OwnerWindow owner;
    PersianEditWidget* editor = MakeEditor(owner, mainMap, 320, 220);
    const keymap::UnicodeBridge bridge(mainMap);
    std::string text;
    for (int line = 0; line < 40; ++line)
        text += bridge.ImportUtf8("کتاب") + "\r\n";
    editor->Window().SetText(text);
    editor->Window().SetSel(0, 0);
    QApplication::processEvents();

    PaintRecorder recorder;
    editor->viewport()->installEventFilter(&recorder);
    QTest::keyClick(editor, Qt::Key_D);
    QApplication::processEvents();
    const int lineHeight = editor->Window().LineHeight();
    ASSERT_FALSE(recorder.painted.isEmpty());
    EXPECT_LE(recorder.painted.boundingRect().height(), 2 * lineHeight) << "one line changed, one line repainted";

    QScrollBar* bar = editor->verticalScrollBar();
    EXPECT_EQ(bar->value(), 0);
    EXPECT_TRUE(bar->isEnabled());
    QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier); // the window's own key
    const int first = editor->Window().FirstVisibleLine();
    EXPECT_GT(first, 0) << "the caret at the end is scrolled into view";
    EXPECT_EQ(bar->value(), first);
    const int caretLine = editor->Window().LineFromChar(editor->Window().Caret());
    EXPECT_GE(caretLine, first);
    EXPECT_LT(caretLine, first + editor->Window().VisibleLineCount());

    bar->setValue(3); // dragging the bar scrolls the model
    EXPECT_EQ(editor->Window().FirstVisibleLine(), 3);
    QWheelEvent wheel(QPointF(10, 10), editor->viewport()->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, 120),
        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(editor->viewport(), &wheel);
    EXPECT_EQ(editor->Window().FirstVisibleLine(), 0) << "a wheel notch up scrolls three lines";
    EXPECT_EQ(bar->value(), 0);

    // A drag held below the text keeps scrolling and selecting until the button is let go.
    QWidget* view = editor->viewport();
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(view->width() - 5, 5));
    QTest::mouseMove(view, QPoint(view->width() - 5, view->height() + 10));
    EXPECT_TRUE(QTest::qWaitFor([&] { return editor->Window().FirstVisibleLine() > 1; }, 5000));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(view->width() - 5, view->height() + 10));
    const int scrolled = editor->Window().FirstVisibleLine();
    EXPECT_GT(scrolled, 1) << "the view kept scrolling while the button was held";
    EXPECT_EQ(bar->value(), scrolled);
    int start = 0, stop = 0;
    editor->Window().GetSel(start, stop);
    EXPECT_GE(editor->Window().LineFromChar(stop), scrolled + editor->Window().VisibleLineCount() - 1);
    // Several of the drag timer's periods pass without the view moving on.
    EXPECT_FALSE(QTest::qWaitFor([&] { return editor->Window().FirstVisibleLine() != scrolled; }, 300))
        << "and stopped when it was let go";
}

TEST_F(PersianEditWidgetTest, MouseClickDragAndDoubleClickWorkOnTheDrawnText)
{
    OwnerWindow owner;
    PersianEditWidget* editor = MakeEditor(owner, mainMap);
    const keymap::UnicodeBridge bridge(mainMap);
    const std::string left = bridge.ImportUtf8("خوب"), right = bridge.ImportUtf8("کتاب");
    editor->Window().SetText(bridge.ImportUtf8("کتاب خوب")); // display order: the left word first
    ASSERT_EQ(editor->Window().GetText(), left + " " + right);
    EditWindow& window = editor->Window();
    QWidget* view = editor->viewport();
    // The viewport point over the middle of the character at an index.
    const auto over = [&](int index) {
        const Point at = window.PosFromChar(index);
        const int advance = window.Advance(static_cast<unsigned char>(window.CharAt(index)));
        // Text-area x to viewport x: the widget keeps the text off the frame by the same margin on
        // both sides, which the view's width less the text area's width tells.
        const int margin = (view->width() - window.ViewWidth()) / 2;
        return QPoint(margin + at.x + advance / 2, at.y + window.LineHeight() / 2);
    };

    const int end = window.GetTextLength();
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(view->width() - 1, 5));
    EXPECT_EQ(window.Caret(), end) << "right of the text is the logical start of the line";
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(1, 5));
    EXPECT_EQ(window.Caret(), 0) << "left of the right-aligned text is its logical end";

    const int middleOfRight = static_cast<int>(left.size()) + 1 + static_cast<int>(right.size()) / 2;
    QTest::mousePress(view, Qt::LeftButton, {}, over(end - 1));
    QTest::mouseMove(view, over(0));
    QTest::mouseRelease(view, Qt::LeftButton, {}, over(0));
    int start = 0, stop = 0;
    window.GetSel(start, stop);
    EXPECT_TRUE(start <= 1 && stop >= end - 1) << start << ".." << stop << ": a drag selects what it crossed";

    QTest::mouseDClick(view, Qt::LeftButton, {}, over(middleOfRight));
    window.GetSel(start, stop);
    EXPECT_EQ(window.TextRange(start, stop), right) << "a double click selects the word under it";
}

TEST_F(PersianEditWidgetTest, SelectingOffersTheTextOnTheSelectionBoardNotTheClipboard)
{
    OwnerWindow owner;
    PersianEditWidget* editor = MakeEditor(owner, mainMap);
    MemoryClipboard selection;
    editor->Window().SetSelectionBoard(&selection);
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    const keymap::UnicodeBridge bridge(mainMap);
    EditWindow& window = editor->Window();
    window.SetText(bridge.ImportUtf8("کتاب خوب"));
    const auto offered = [&selection] { return selection.data.unicodeText; };

    // A double click on the right (first) word selects it; the word is offered as Unicode text.
    const int end = window.GetTextLength();
    const Point at = window.PosFromChar(end - 2);
    const int margin = (editor->viewport()->width() - window.ViewWidth()) / 2;
    QTest::mouseDClick(editor->viewport(), Qt::LeftButton, {}, QPoint(margin + at.x + 2, at.y + window.LineHeight() / 2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !offered().empty(); }));
    EXPECT_EQ(offered(), "کتاب");
    EXPECT_EQ(selection.data.keymapName, "main.kbd");

    // Ctrl+A offers everything; a bare caret afterwards leaves the last selection on offer.
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return offered() == "کتاب خوب"; })) << offered();
    QTest::keyClick(editor, Qt::Key_Home);
    QApplication::processEvents();
    EXPECT_EQ(offered(), "کتاب خوب");
    EXPECT_EQ(QApplication::clipboard()->text(), "kept") << "selecting is not copying";
}

TEST_F(PersianEditWidgetTest, SelectionAndCaretAreDrawnWhereTheModelPutsThem)
{
    OwnerWindow owner;
    PersianEditWidget* editor = MakeEditor(owner, mainMap);
    TypeSentence(editor, mainMap, "کتاب خوب ");
    constexpr int EvdevRight = 106; // the caret stays left of typed Persian text; Right goes back over it
    for (int i = 0; i < 3; ++i)
        PressPhysical(editor, EvdevRight, 0, Qt::ShiftModifier);
    EditWindow& window = editor->Window();
    int start = 0, stop = 0;
    window.GetSel(start, stop);
    EXPECT_EQ(stop - start, 3) << "Shift+Right three times selects three characters";

    const QImage picture = editor->grab().toImage();
    EXPECT_TRUE(picture.save(QStringLiteral(KELMORA_TEST_OUTPUT_DIR "/PersianEditWidget-selection.png")));
    const QRect view = editor->viewport()->geometry();
    const int margin = (view.width() - window.ViewWidth()) / 2;
    const QColor highlight = editor->palette().color(QPalette::Active, QPalette::Highlight);
    // Middle of the selected stretch, in the lower part of the line (below the letters' bodies).
    const int selLeft = window.PosFromChar(start).x, selRight = window.PosFromChar(stop).x;
    const QPoint inside(view.left() + margin + (selLeft + selRight) / 2, view.top() + window.LineHeight() - 2);
    EXPECT_EQ(picture.pixelColor(inside), highlight);
    const QPoint outside(view.left() + margin + selLeft - 20, view.top() + window.LineHeight() - 2);
    EXPECT_NE(picture.pixelColor(outside), highlight);
    // The caret: a dark bar over the whole line height at the active end, even in the line's top
    // pixels where no letter reaches.
    const Point caret = window.GetCaretPos();
    ASSERT_TRUE(editor->hasFocus());
    for (const int y : {0, 1, window.LineHeight() - 1})
        EXPECT_LT(qGray(picture.pixel(view.left() + margin + caret.x - 1, view.top() + y)), 100) << y;
}

DisplayForms FormsOf(const keymap::KeyMap& map)
{
    const keymap::UnicodeBridge bridge(map);
    DisplayForms forms{};
    for (int code = 0; code < 256; ++code)
        forms[static_cast<size_t>(code)] = bridge.DisplayForm(static_cast<keymap::GlyphCode>(code));
    return forms;
}

TEST_F(PersianEditWidgetTest, LayoutMeasuresWithTheDrawingFontAcrossFontChangesAndKeymapReloads)
{
    OwnerWindow owner;
    keymap::KeyMap map;
    ASSERT_TRUE(map.Load("main.kbd"));
    PersianEditWidget* editor = MakeEditor(owner, map);
    const auto sameWidths = [&](const char* when) {
        for (int code = 0; code < 256; ++code) {
            const auto glyph = static_cast<keymap::GlyphCode>(code);
            ASSERT_EQ(editor->Window().Advance(glyph), editor->Font().Width(glyph)) << when << ", code " << code;
        }
        EXPECT_EQ(editor->Window().LineHeight(), editor->Font().Height()) << when;
    };
    sameWidths("main.kbd");
    EXPECT_EQ(editor->Edit().WindowWidth(), editor->width()) << "the line break rules see the control's width";
    EXPECT_LT(editor->Window().ViewWidth(), editor->width()) << "text is laid out inside frame and scroll bar";
    owner.resize(450, 200);
    QApplication::processEvents();
    EXPECT_EQ(editor->Edit().WindowWidth(), editor->width());
    EXPECT_EQ(&editor->Font(), DisplayFont::Get("nasim web homa", 24, FormsOf(mainMap)).get());

    editor->SetEditFont("nasim web homa", 36);
    sameWidths("after a font change");
    EXPECT_EQ(editor->Edit().fontHeight, 36);

    // The owner loads another keymap into the same object: the next paint shows its forms.
    ASSERT_TRUE(map.Load("kolb.kbd"));
    editor->grab();
    EXPECT_EQ(&editor->Font(), DisplayFont::Get("nasim web homa", 36, FormsOf(kolbMap)).get());
    sameWidths("after the keymap reloaded");
}

TEST_F(PersianEditWidgetTest, SingleLineAndUnboundControlsBehave)
{
    OwnerWindow owner;
    auto* field = new PersianEditWidget(WindowStyle::SingleLine, &owner);
    owner.layout()->addWidget(field);
    field->SetKeyMap(&mainMap);
    field->SetEditFont("nasim web homa", 22);
    auto* unbound = new PersianEditWidget(WindowStyle::MultiLine, &owner);
    owner.layout()->addWidget(unbound);
    owner.resize(300, 200);
    owner.show();
    QApplication::setActiveWindow(&owner);
    field->setFocus();
    QApplication::processEvents();

    EXPECT_FALSE(field->verticalScrollBar()->isVisible());
    EXPECT_LT(field->sizeHint().height(), 3 * 22);
    TypeSentence(field, mainMap, Sentence + " " + Sentence);
    QTest::keyClick(field, Qt::Key_Tab);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(field->hasFocus()) << "Tab is the control's, even where it does nothing";
    EXPECT_EQ(field->Window().GetLineCount(), 1) << "a single-line field never wraps or breaks";
    EXPECT_EQ(field->Window().GetText().find('\r'), std::string::npos);

    // Wider than the field, the text slides to keep the caret in view, and clicks land on the
    // characters shown under them.
    EditWindow& line = field->Window();
    ASSERT_GT(line.TextWidth(0, line.GetTextLength()), line.ViewWidth());
    QWidget* view = field->viewport();
    const int length = line.GetTextLength();
    QTest::keyClick(field, Qt::Key_Home); // the logical start: the right end of the string
    EXPECT_EQ(line.Caret(), length);
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(view->width() - 4, 5));
    EXPECT_GE(line.Caret(), length - 1) << "the right end is in view";
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(4, 5));
    EXPECT_GT(line.Caret(), 2) << "the left end slid out of view";
    QTest::keyClick(field, Qt::Key_End);
    EXPECT_EQ(line.Caret(), 0);
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(4, 5));
    EXPECT_LE(line.Caret(), 1) << "back at the left end";

    // Without a keymap letters type nothing, and nothing breaks; the window's own keys still work.
    unbound->setFocus();
    unbound->Window().SetText("ab");
    unbound->Window().SetSel(1, 1);
    for (const Qt::Key key : {Qt::Key_D, Qt::Key_Q, Qt::Key_1})
        QTest::keyClick(unbound, key);
    EXPECT_EQ(unbound->Window().GetText(), "ab");
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Right, Qt::Key_Left})
        QTest::keyClick(unbound, key);
    QTest::keyClick(unbound, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(unbound->Window().Caret(), unbound->Window().GetTextLength());
    QApplication::clipboard()->setText(QStringLiteral("x"));
    QTest::keyClick(unbound, Qt::Key_V, Qt::ControlModifier);
    unbound->grab();
}

TEST_F(PersianEditWidgetTest, ContextMenuRunsTheEditCommands)
{
    OwnerWindow owner;
    PersianEditWidget* editor = MakeEditor(owner, mainMap);
    const keymap::UnicodeBridge bridge(mainMap);
    const std::string book = bridge.ImportUtf8("کتاب"), good = bridge.ImportUtf8("خوب");
    editor->Window().SetText(good + " " + book);
    QApplication::clipboard()->clear();
    const auto run = [&](const QString& text) {
        std::unique_ptr<QMenu> menu(editor->CreateContextMenu(nullptr));
        for (QAction* action : menu->actions()) {
            if (action->text() == text) {
                if (!action->isEnabled())
                    return false;
                action->trigger();
                return true;
            }
        }
        ADD_FAILURE() << "no item " << text.toStdString();
        return false;
    };
    EXPECT_FALSE(run("Cu&t")) << "nothing selected";
    EXPECT_FALSE(run("&Paste")) << "empty clipboard";
    EXPECT_FALSE(run("&Undo"));

    editor->Window().SetSel(static_cast<int>(good.size()) + 1, editor->Window().GetTextLength());
    EXPECT_TRUE(run("Cu&t"));
    EXPECT_EQ(editor->Window().GetText(), good + " ");
    EXPECT_TRUE(editor->Edit().modified);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "کتاب");
    EXPECT_TRUE(run("&Undo"));
    EXPECT_EQ(editor->Window().GetText(), good + " " + book);
    editor->Window().SetSel(0, 0);
    EXPECT_TRUE(run("&Paste"));
    EXPECT_EQ(editor->Window().GetText(), book + good + " " + book);
    EXPECT_TRUE(run("Select &All"));
    EXPECT_TRUE(run("&Delete"));
    EXPECT_EQ(editor->Window().GetTextLength(), 0);
    EXPECT_TRUE(editor->hasFocus());
}

TEST_F(PersianEditWidgetTest, LatinTypingFollowsThePhysicalKeysWhateverTheLayout)
{
    ASSERT_TRUE(mainMap.SupportsEnglish());
    OwnerWindow owner;
    PersianEditWidget* editor = MakeEditor(owner, mainMap);
    struct Press {
        int evdev;
        char32_t layoutChar; // what a Persian desktop layout reports for the key
        Qt::KeyboardModifiers modifiers;
    };
    const Press presses[] = {
        {25, U'ح', Qt::ControlModifier}, // Ctrl+P: Latin typing
        {35, U'ا', Qt::ShiftModifier},   // H
        {23, U'ه', {}},                  // i
        {2, U'۱', {}},                   // 1
        {51, U'و', Qt::ShiftModifier},   // <
    };
    for (const Press& p : presses)
        PressPhysical(editor, p.evdev, p.layoutChar, p.modifiers);
    EXPECT_EQ(editor->Window().GetText(), "Hi1<");
    EXPECT_TRUE(editor->Edit().englishMode);

    // Numpad digits type Persian digits once Persian typing is back, left to right.
    PressPhysical(editor, 25, U'ح', Qt::ControlModifier);
    EXPECT_FALSE(editor->Edit().englishMode);
    PressPhysical(editor, 79, U'۱', Qt::KeypadModifier);
    PressPhysical(editor, 80, U'۲', Qt::KeypadModifier);
    const keymap::UnicodeBridge bridge(mainMap);
    const std::string digits = bridge.ImportUtf8("۱۲");
    EXPECT_NE(editor->Window().GetText().find(digits), std::string::npos) << bridge.ExportUtf8(editor->Window().GetText());
}

} // namespace
} // namespace editctl
