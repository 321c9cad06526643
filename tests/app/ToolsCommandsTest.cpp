// The Tools menu's commands in the main window: Resemble and Justify on a Persian document, one
// Undo back, the configuration dialog with the settings it re-applies, the poetry window and the
// random poem.
#include "tests/app/MainFrameFixture.h"

#include "app/DialogBar.h"
#include "app/EditorView.h"
#include "editctl/PersianEdit.h"
#include "extras/PoetryDialog.h"
#include "platform/Clock.h"
#include "res/ExtrasIds.h"
#include "res/ResourceIds.h"
#include "tests/fakes/ModalAnswer.h"
#include "tests/fakes/PoemFixture.h"
#include "tests/fakes/ShippedKeymaps.h"
#include "tools/BatchDialog.h"
#include "tools/ConfigurationDialog.h"
#include "tools/ConvertingDialog.h"
#include "tools/Justify.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <sstream>

namespace apptest {
namespace {

using app::CMainFrame;

/// Two paragraphs typed with lines broken mid-phrase, a blank line between them. Every line but
/// the last of a paragraph is long enough to join the next one.
const std::vector<std::string> Document = {
    "در کنار رودخانه درختان بید سایه انداخته بودند و ماهیگیر پیر",
    "آرام بر سنگی نشسته بود و به آب روان نگاه می کرد که از کوه",
    "می آمد و از میان سنگ ها می گذشت و در دشت سبز گم می شد تا",
    "به دریا برسد",
    "",
    "شب که رسید چراغ های ده یکی یکی روشن شدند و بچه ها با خنده",
    "به خانه برگشتند مادر بزرگ برای آنان قصه ای از کوه های دور",
    "و پرندگان سفید گفت و آنان آرام در کنار آتش به خواب رفتند",
    "تا صبح",
};

std::string G(std::string_view utf8) { return fakes::Glyphs("main.kbd", utf8); }

std::string DocumentGlyphs()
{
    std::string text;
    for (size_t i = 0; i < Document.size(); ++i)
        text += (i ? "\r\n" : "") + G(Document[i]);
    return text;
}

/// The text's lines without their CR LF; the CR LF after the last line makes no line of its own.
std::vector<std::string> TextLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        lines.push_back(text.substr(from, at - from));
    if (from < text.size())
        lines.push_back(text.substr(from));
    return lines;
}

/// Every word of glyph lines in reading order.
std::vector<std::string> Words(const std::vector<std::string>& glyphLines)
{
    std::vector<std::string> words;
    for (const std::string& line : glyphLines) {
        std::istringstream in(fakes::Unicode("main.kbd", line));
        for (std::string w; in >> w;)
            words.push_back(w);
    }
    return words;
}

std::vector<std::string> DocumentWords()
{
    std::vector<std::string> lines;
    for (const std::string& l : Document)
        lines.push_back(G(l));
    return Words(lines);
}

int TrailingSpaces(const std::string& line)
{
    const size_t last = line.find_last_not_of(' ');
    return static_cast<int>(last == std::string::npos ? line.size() : line.size() - 1 - last);
}

class ToolsCommandsTest : public MainFrameTest {
protected:
    CMainFrame& Open()
    {
        InstallMainKeymapAfterFirstRun();
        CMainFrame& window = CreateFrame();
        window.resize(700, 400);
        window.show();
        Editor().Window().SetText(DocumentGlyphs());
        Editor().modified = false;
        return window;
    }
    editctl::PersianEdit& Editor() { return frame->View().Editor(); }
    std::string Text() { return Editor().Window().GetText(); }

    /// Runs the configuration command; `use` gets the dialog once it is shown modally.
    void Configure(std::function<void(tools::ConfigurationDialog&)> use)
    {
        fakes::ModalAnswer<tools::ConfigurationDialog> answer(std::move(use));
        frame->Bar().SizeBox()->setFocus();
        frame->RunCommand(res::Settings);
        EXPECT_TRUE(answer.Shown());
        EXPECT_EQ(frame->focusWidget(), frame->View().EditWidget());
    }
};

TEST_F(ToolsCommandsTest, ResembleInWindowModeReflowsToLinesTheWindowShowsUnwrappedAndOneUndoRestores)
{
    services.settings.WriteInt("Settings", "JustifyOnResemble", 0);
    CMainFrame& window = Open();
    const std::string before = Text();
    window.Bar().SizeBox()->setFocus();
    window.RunCommand(res::Resemble);

    const std::vector<std::string> lines = TextLines(Text());
    EXPECT_EQ(Words(lines), DocumentWords());
    EXPECT_TRUE(Text().ends_with("\r\n"));
    // No line of the result is broken again by the window: each is one display line.
    EXPECT_EQ(Editor().Window().GetLineCount(), static_cast<int>(lines.size()) + 1);
    for (const std::string& line : lines)
        EXPECT_EQ(TrailingSpaces(line), 3) << "the right margin of an empty store";
    EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string(3, ' ')), 1) << "the blank line stays";
    EXPECT_TRUE(Editor().modified);
    EXPECT_EQ(window.focusWidget(), window.View().EditWidget());

    window.RunCommand(res::EditUndo);
    EXPECT_EQ(Text(), before);
}

TEST_F(ToolsCommandsTest, ResembleInDosModeKeepsLinesWithinTheCharacterLimit)
{
    services.settings.WriteInt("Settings", "JustifyOnResemble", 0);
    services.settings.WriteInt("Settings", "EnableDos", 1);
    CMainFrame& window = Open();
    window.RunCommand(res::Resemble);
    const std::vector<std::string> lines = TextLines(Text());
    EXPECT_EQ(Words(lines), DocumentWords());
    bool joined = false;
    for (const std::string& line : lines) {
        EXPECT_LE(line.size(), 75u);
        joined = joined || line.size() > 60;
    }
    EXPECT_TRUE(joined) << "lines are filled towards the limit";
}

TEST_F(ToolsCommandsTest, JustifyStretchesWithKashidasOnlyAndResembleRunsItWhenTheFlagIsOn)
{
    services.settings.WriteInt("Settings", "JustifyOnResemble", 0);
    CMainFrame& window = Open();
    const std::string original = Text();
    window.RunCommand(res::Resemble);
    const std::vector<std::string> reflowed = TextLines(Text());
    std::vector<std::string> trimmed = reflowed; // Justify drops leading spaces: the blank line's margin
    for (std::string& l : trimmed)
        l.erase(0, std::min(l.size(), l.find_first_not_of(' ')));
    const int kashida = tools::KashidaGlyph(fakes::ShippedKeymap("main.kbd"));
    ASSERT_NE(kashida, 0);
    auto withoutKashidas = [kashida](std::vector<std::string> lines) {
        for (std::string& l : lines)
            std::erase(l, static_cast<char>(kashida));
        return lines;
    };
    auto widest = [&window](const std::vector<std::string>& lines) {
        return *std::max_element(lines.begin(), lines.end(), [&window](const std::string& a, const std::string& b) {
            auto width = [&window](const std::string& s) {
                int w = 0;
                for (char c : s.substr(std::min(s.size(), s.find_first_not_of(' '))))
                    w += window.View().Editor().Window().Advance(static_cast<unsigned char>(c));
                return w;
            };
            return width(a) < width(b);
        });
    };

    window.Bar().SizeBox()->setFocus();
    window.RunCommand(res::Justify);
    EXPECT_EQ(window.focusWidget(), window.View().EditWidget());
    std::vector<std::string> justified = TextLines(Text());
    // The window's empty line after the last CR LF is a line of Justify's too.
    ASSERT_FALSE(justified.empty());
    EXPECT_EQ(justified.back(), "");
    justified.pop_back();
    EXPECT_EQ(withoutKashidas(justified), trimmed) << "only kashidas are added";
    const std::string widestLine = widest(trimmed);
    EXPECT_NE(std::find(justified.begin(), justified.end(), widestLine), justified.end()) << "widest line untouched";
    if (Editor().Window().Advance(static_cast<keymap::GlyphCode>(kashida)) > 0) {
        EXPECT_NE(justified, trimmed) << "full lines are stretched";
    }
    window.RunCommand(res::EditUndo);
    EXPECT_EQ(TextLines(Text()), reflowed) << "Undo of Justify";

    // With the flag on, the one command does both, and one Undo goes back to the typed text.
    Editor().Window().SetText(original);
    services.settings.WriteInt("Settings", "JustifyOnResemble", 1);
    window.ApplySettings(false);
    window.RunCommand(res::Resemble);
    justified = withoutKashidas(TextLines(Text()));
    ASSERT_FALSE(justified.empty());
    justified.pop_back();
    EXPECT_EQ(justified, trimmed);
    window.RunCommand(res::EditUndo);
    EXPECT_EQ(Text(), original);
}

TEST_F(ToolsCommandsTest, SettingsShowsTheDialogsDefaultsAndSaveCreatesEveryKeyAndReapplies)
{
    CMainFrame& window = Open();
    EXPECT_TRUE(window.JustifyAfterResemble()); // the window's own default
    Configure([](tools::ConfigurationDialog& dialog) {
        EXPECT_EQ(dialog.NumberField(1022)->text(), "0");  // Resemble would read 3
        EXPECT_EQ(dialog.NumberField(1019)->text(), "79"); // the window reads 80
        EXPECT_TRUE(dialog.CheckBox(1018)->isChecked());
        EXPECT_FALSE(dialog.CheckBox(1024)->isChecked());
        dialog.NumberField(1015)->setText("5");
        dialog.SaveButton()->click();
    });
    for (const char* key : {"Tab", "MaxChar", "Left", "RIGHT", "IWP", "JIWP", "SplashScreen", "EnableDos", "SaveOnExit",
                            "SaveHeader", "ResembleOnLoad", "JustifyOnResemble", "IdentOnResemble", "SaveWPonExit",
                            "StartWithMRD"})
        EXPECT_TRUE(services.settings.Contains("Settings", key)) << key;
    EXPECT_EQ(Editor().tabWidth, 5);
    EXPECT_EQ(Editor().maxChars, 79);
    EXPECT_FALSE(window.JustifyAfterResemble());
}

TEST_F(ToolsCommandsTest, CancelWritesNothingButTheStoredSettingsAreReapplied)
{
    CMainFrame& window = Open();
    ASSERT_EQ(Editor().tabWidth, 3);
    services.settings.WriteString("Settings", "Tab", "6"); // stored behind the window's back
    const auto before = services.settings.Values();
    Configure([](tools::ConfigurationDialog& dialog) {
        EXPECT_EQ(dialog.NumberField(1015)->text(), "6");
        dialog.NumberField(1015)->setText("9");
        dialog.CheckBox(1024)->setChecked(false);
        dialog.CancelButton()->click();
    });
    EXPECT_EQ(services.settings.Values(), before);
    EXPECT_EQ(Editor().tabWidth, 6);
    EXPECT_TRUE(window.JustifyAfterResemble());
}

TEST_F(ToolsCommandsTest, ResembleUsesTheMarginAndIndentationJustSaved)
{
    services.settings.WriteInt("Settings", "JustifyOnResemble", 0);
    CMainFrame& window = Open();
    Configure([](tools::ConfigurationDialog& dialog) {
        dialog.NumberField(1023)->setText("5");
        dialog.NumberField(1015)->setText("4");
        dialog.CheckBox(1030)->setChecked(true);
        dialog.CheckBox(1018)->setChecked(false); // window mode
        dialog.SaveButton()->click();
    });
    window.RunCommand(res::Resemble);
    const std::vector<std::string> lines = TextLines(Text());
    ASSERT_GT(lines.size(), 3u);
    EXPECT_EQ(Words(lines), DocumentWords());
    // The first line of each paragraph and the blank line between them end in margin and
    // indentation, the others in the margin.
    const auto blank = std::find(lines.begin(), lines.end(), std::string(9, ' '));
    ASSERT_NE(blank, lines.end());
    const auto b = static_cast<size_t>(blank - lines.begin());
    ASSERT_LT(b + 1, lines.size());
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(TrailingSpaces(lines[i]), i == 0 || i == b || i == b + 1 ? 9 : 5) << i;
    EXPECT_EQ(Editor().Window().GetLineCount(), static_cast<int>(lines.size()) + 1);
}

/// Three short poems of our own, a half-line a string, kept in ziba2.kbd as the shipped ones are.
const std::vector<std::vector<const char*>> Poems = {
    {"ابر آمد و باران شد", "دشت از گل خندان شد", "در کوچه صدای آب", "آواز بهاران شد"},
    {"ای ماه که در شب تاری", "بر بام دلم می باری", "از راه دور آمده ای", "با خود چه خبر می آری",
     "بنشین که سحر نزدیک است", "تا صبح بمانی باری"},
    {"از کوه نسیم آمد", "با بوی گل و شبنم", "جان تازه شد از آن دم", "شد دور ز دل هر غم"},
};

class PoetryCommandsTest : public ToolsCommandsTest {
protected:
    PoetryCommandsTest()
    {
        InstallKeymap("ziba2.kbd");
        std::vector<std::vector<fakes::Couplet>> poems;
        for (const auto& poem : Poems) {
            poems.emplace_back();
            for (size_t i = 0; i + 1 < poem.size(); i += 2)
                poems.back().emplace_back(fakes::Glyphs("ziba2.kbd", poem[i]), fakes::Glyphs("ziba2.kbd", poem[i + 1]));
        }
        fakes::WritePoems(folder, poems);
    }

    void StoreChoices(int how, int mode, bool showNumber, bool justify, const char* n, const char* tab1, const char* tab2)
    {
        const char* section = "QuvelSetting";
        services.settings.WriteInt(section, "How", how);
        services.settings.WriteInt(section, "Mod", mode);
        services.settings.WriteInt(section, "ShowN", showNumber ? 1 : 0);
        services.settings.WriteInt(section, "Justify", justify ? 1 : 0);
        services.settings.WriteString(section, "n", n);
        services.settings.WriteString(section, "tab1", tab1);
        services.settings.WriteString(section, "tab2", tab2);
    }

    /// Runs Divane Quvel; `use` gets the window once it is shown modally.
    void Poetry(std::function<void(extras::PoetryDialog&)> use)
    {
        fakes::ModalAnswer<extras::PoetryDialog> answer(std::move(use));
        frame->RunCommand(res::DivaneQuvel);
        EXPECT_TRUE(answer.Shown());
        EXPECT_EQ(frame->focusWidget(), frame->View().EditWidget());
    }

    template <typename T>
    static T* Control(extras::PoetryDialog& dialog, int id)
    {
        T* control = dialog.findChild<T*>(res::ObjectName(id));
        EXPECT_NE(control, nullptr) << id;
        return control;
    }

    std::pair<int, int> Selection()
    {
        int start = 0, end = 0;
        Editor().Window().GetSel(start, end);
        return {start, end};
    }
};

TEST_F(PoetryCommandsTest, CtrlQInsertsTheSeededPoemsLinesInTheDocumentKeymapInPlaceOfTheSelection)
{
    StoreChoices(1, 1, true, false, "2", "0", "15"); // the last couplet, plain lines, headed
    CMainFrame& window = Open();
    QApplication::setActiveWindow(&window);
    window.FocusEditor();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const std::string before = Text();
    const int cut = static_cast<int>(G(Document[0]).size());
    Editor().Window().SetSel(0, cut);

    window.Random().Seed(5);
    platform::LcgRandom same;
    same.Seed(5);
    const int number = same.Next() % 4; // a number from 0 to the index's three poems
    ASSERT_EQ(number, 2) << "the seed draws the second poem";
    QTest::keyClick(window.View().EditWidget(), Qt::Key_Q, Qt::ControlModifier);

    const std::string inserted = "-- ( 2 ) --\r\n" + G(Poems[1][4]) + "\r\n" + G(Poems[1][5]) + "\r\n";
    EXPECT_EQ(Text(), inserted + before.substr(static_cast<size_t>(cut)));
    EXPECT_EQ(fakes::Unicode("main.kbd", TextLines(Text())[2]), Poems[1][5]);
    EXPECT_TRUE(Editor().modified);
    EXPECT_EQ(window.focusWidget(), window.View().EditWidget());
    window.RunCommand(res::EditUndo);
    EXPECT_EQ(Text(), before);

    // n beyond the drawn poem's lines: nothing happens to the selection.
    services.settings.WriteString("QuvelSetting", "n", "30");
    Editor().modified = false;
    Editor().Window().SetSel(0, cut);
    QTest::keyClick(window.View().EditWidget(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(Text(), before);
    EXPECT_EQ(Selection(), std::make_pair(0, cut));
    EXPECT_FALSE(Editor().modified);
    EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(PoetryCommandsTest, CancelAndSaveNGoLeaveTheSelectedTextAndSaveNGoStoresTheChoices)
{
    Open();
    const std::string before = Text();
    Editor().Window().SetSel(3, 20);
    const auto untouched = services.settings.Values();
    Poetry([](extras::PoetryDialog& dialog) {
        Control<QRadioButton>(dialog, res::HowFirst)->click();
        Control<QPushButton>(dialog, res::PoetryCancel)->click();
    });
    EXPECT_EQ(Text(), before);
    EXPECT_EQ(Selection(), std::make_pair(3, 20));
    EXPECT_FALSE(Editor().modified);
    EXPECT_EQ(services.settings.Values(), untouched) << "Cancel stores nothing";

    Poetry([](extras::PoetryDialog& dialog) {
        Control<QRadioButton>(dialog, res::HowFirst)->click();
        Control<QSpinBox>(dialog, res::LinesN)->setValue(5);
        Control<QCheckBox>(dialog, res::ShowNumber)->setChecked(true);
        Control<QPushButton>(dialog, res::LayoutRegular)->click();
        Control<QPushButton>(dialog, res::PoetrySaveAndGo)->click();
    });
    EXPECT_EQ(Text(), before);
    EXPECT_EQ(Selection(), std::make_pair(3, 20));
    const extras::QuvelSettings stored = frame->Settings().Quvel();
    EXPECT_EQ(stored.how, 2);
    EXPECT_EQ(stored.mode, 1);
    EXPECT_TRUE(stored.showNumber);
    EXPECT_TRUE(stored.justify);
    EXPECT_EQ(stored.n + "/" + stored.tab1 + "/" + stored.tab2, "6/3/15") << "n made even";
    Poetry([](extras::PoetryDialog& dialog) {
        EXPECT_TRUE(Control<QRadioButton>(dialog, res::HowFirst)->isChecked()) << "the next window opens with them";
        EXPECT_EQ(Control<QSpinBox>(dialog, res::LinesN)->value(), 6);
        Control<QPushButton>(dialog, res::PoetryCancel)->click();
    });
}

TEST_F(PoetryCommandsTest, InsertOfAWholePoemJustifiedLaysOutHalfLinesAsWideAsTheWidest)
{
    services.settings.WriteString("Settings", "JIWP", "100"); // every line is stretched
    CMainFrame& window = Open();
    Editor().Window().SetText("");
    window.Random().Seed(5); // opens at the second poem
    Poetry([](extras::PoetryDialog& dialog) {
        EXPECT_EQ(Control<QSpinBox>(dialog, res::PoemNumber)->value(), 2);
        Control<QRadioButton>(dialog, res::HowAll)->click();
        Control<QCheckBox>(dialog, res::ShowNumber)->setChecked(true);
        Control<QCheckBox>(dialog, res::PoetryJustify)->setChecked(true);
        Control<QPushButton>(dialog, res::LayoutPoetic)->click();
        Control<QPushButton>(dialog, res::PoetryInsert)->click();
    });
    std::vector<std::string> lines = TextLines(Text());
    ASSERT_EQ(lines.size(), 7u) << Text();
    EXPECT_EQ(lines[0], "-- ( 2 ) --");

    const editctl::EditWindow& shown = Editor().Window();
    const int kashida = tools::KashidaGlyph(fakes::ShippedKeymap("main.kbd"));
    auto width = [&shown](const std::string& glyphs) {
        int w = 0;
        for (char c : glyphs)
            w += shown.Advance(static_cast<unsigned char>(c));
        return w;
    };
    std::vector<int> widths;
    for (size_t i = 1; i < lines.size(); ++i) {
        std::string line = lines[i];
        // Half-lines 1 and 3 indented by Tab1, 2 and 4 by Tab2, the last couplet by their mean.
        const int indent = i <= 4 ? (i % 2 ? 3 : 15) : 9;
        EXPECT_EQ(TrailingSpaces(line), indent) << i;
        line.erase(line.size() - static_cast<size_t>(std::min(indent, TrailingSpaces(line))));
        widths.push_back(width(line));
        std::erase(line, static_cast<char>(kashida));
        EXPECT_EQ(line, G(Poems[1][i - 1])) << "only kashidas are added to half-line " << i;
    }
    const int kashidaWidth = shown.Advance(static_cast<keymap::GlyphCode>(kashida));
    if (kashidaWidth > 0) {
        const int widest = *std::max_element(widths.begin(), widths.end());
        for (size_t i = 0; i < widths.size(); ++i) {
            EXPECT_GT(widths[i], widest - kashidaWidth) << "half-line " << i + 1 << " stretched in the document's font";
            EXPECT_LE(widths[i], widest);
        }
    }
    window.RunCommand(res::EditUndo);
    EXPECT_EQ(Text(), "");
}

TEST_F(ToolsCommandsTest, BatchConvertLeavesTheOpenUnsavedDocumentExactlyAsItWas)
{
    // The window's scratch table, which the batch's font box lists, is read at start-up.
    folder.Write("scratch.cfg", "1\r\nIran System\r\nkolb.kbd\r\n18\r\n");
    CMainFrame& window = Open();
    const std::string in = folder.Path() + "/in";
    const std::string out = folder.Path() + "/out";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(in)) && QDir().mkpath(QString::fromStdString(out)));
    const std::vector<std::string> texts = {"گل سرخ در باغ", "شب آرام است"};
    folder.Write("in/a.txt", G(texts[0]));
    folder.Write("in/b.txt", G(texts[1]));
    InstallKeymap("kolb.kbd");
    for (const auto& [name, value] : {std::pair{"SDir", in}, std::pair{"DDir", out}, std::pair{"SKB", std::string("main.kbd")},
                                      std::pair{"DKB", std::string("kolb.kbd")}, std::pair{"toFont", std::string("Iran System")}})
        services.settings.WriteString("Batch", name, value);
    services.settings.WriteInt("Batch", "FSize", 18);
    services.settings.WriteInt("Settings", "EnableDos", 0);

    // An unsaved edit in the open document, in a font of its own.
    Editor().Window().SetText(DocumentGlyphs() + G(" تازه"));
    Editor().modified = true;
    const std::string text = Text();
    const app::CurrentFont font = window.Font();
    const int lines = Editor().Window().GetLineCount();

    std::vector<QString> titles;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || (!titles.empty() && titles.back() == modal->windowTitle()))
            return;
        titles.push_back(modal->windowTitle());
        if (auto* settings = qobject_cast<tools::BatchDialog*>(modal))
            settings->Button(1031)->click();
        else if (auto* converting = qobject_cast<tools::ConvertingDialog*>(modal))
            converting->ConvertButton()->click();
        else
            modal->close();
    });
    driver.start(0);
    window.RunCommand(res::BatchConvert);
    driver.stop();

    EXPECT_EQ(titles, (std::vector<QString>{"Batch Convert ...", "Converting ..."}));
    std::string converted;
    ASSERT_TRUE(platform::ReadTextFile(out + "/b.txf", converted).ok);
    EXPECT_EQ(converted, "Kelmora : f[Iran System] s[18] k[kolb.kbd]\n" + fakes::Glyphs("kolb.kbd", texts[1]));
    EXPECT_EQ(Text(), text);
    EXPECT_TRUE(Editor().modified);
    EXPECT_EQ(Editor().Window().GetLineCount(), lines);
    EXPECT_EQ(window.Font().faceName, font.faceName);
    EXPECT_EQ(window.Font().size, font.size);
    EXPECT_EQ(window.Font().keymapName, font.keymapName);
    EXPECT_EQ(Editor().KeyMapInUse()->FileName(), "main.kbd");
    EXPECT_EQ(BoxText(res::KeymapBox), "main.kbd");
    EXPECT_EQ(services.settings.ReadString("Batch", "DKB", ""), "kolb.kbd");
    EXPECT_EQ(window.focusWidget(), window.View().EditWidget());
}

TEST_F(ToolsCommandsTest, BatchFontBoxListsTheScratchTableAsTheWindowHoldsItNow)
{
    CMainFrame& window = Open();
    services.messages.shown.clear();
    window.RunCommand(res::ScratchAdd); // not on disk until exit
    const app::CurrentFont font = window.Font();
    QStringList fonts;
    QStringList keymaps;
    fakes::ModalAnswer<tools::BatchDialog> answer([&](tools::BatchDialog& dialog) {
        for (int i = 0; i < dialog.Box(1038)->count(); ++i)
            fonts << dialog.Box(1038)->itemText(i);
        for (int i = 0; i < dialog.Box(1028)->count(); ++i)
            keymaps << dialog.Box(1028)->itemText(i);
        dialog.reject();
    });
    window.RunCommand(res::BatchConvert);
    ASSERT_TRUE(answer.Shown());
    EXPECT_EQ(fonts, QStringList{QString::fromStdString(font.faceName)});
    EXPECT_EQ(keymaps, (QStringList{QString::fromStdString(font.keymapName), "Unicode (UTF-8)"}));
    EXPECT_TRUE(services.messages.shown.empty()) << services.messages.shown.front().text;
    std::string onDisk;
    ASSERT_TRUE(platform::ReadTextFile(folder.Path() + "/scratch.cfg", onDisk).ok);
    EXPECT_EQ(onDisk, "0\n");
}

} // namespace
} // namespace apptest
