#include "editctl/PersianEdit.h"
#include "editctl/PersianEditWidget.h"
#include "kbdedit/AboutDorvantileDialog.h"
#include "kbdedit/DialogLayout.h"
#include "kbdedit/DorvantileDialog.h"
#include "kbdedit/KeyModifyDialog.h"
#include "kbdedit/KeyboardPictureWidget.h"
#include "keymap/KeyMap.h"
#include "keymap/KeymapFile.h"
#include "res/DorvantileIds.h"
#include "tests/fakes/ShippedKeymaps.h"
#include "tests/fakes/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace kbdedit;
namespace ids = dorvantile_ids;
using keymap::KeyRecord;
using keymap::KeyTable;

namespace {

/// Runs `act` on the next modal window once it is open (the caller then starts the modal loop).
void OnNextModal(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        act(modal);
        if (modal && modal->isVisible())
            modal->close();
    });
}

class DorvantileDialogTest : public ::testing::Test {
protected:
    fakes::FakeServices services;
    QTemporaryDir dir;
    QString previousFolder = QDir::currentPath();
    std::unique_ptr<RegistrySettings> settings;
    std::unique_ptr<DorvantileDialog> window;

    void SetUp() override
    {
        QDir::setCurrent(dir.path());
        settings = std::make_unique<RegistrySettings>(services.settings);
    }
    void TearDown() override
    {
        window.reset();
        QDir::setCurrent(previousFolder);
    }
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        const std::string path = dir.path().toStdString() + "/" + name;
        QDir().mkpath(QString::fromStdString(path).section('/', 0, -2));
        EXPECT_TRUE(platform::WriteFileAtomically(path, bytes).ok);
        return path;
    }
    void Open()
    {
        window = std::make_unique<DorvantileDialog>(*settings, dir.path().toStdString());
        window->show();
    }
    template <typename T> T* Control(int id) const
    {
        return window->findChild<T*>(ids::IdName(id), Qt::FindDirectChildrenOnly);
    }
    void MoveTo(QPoint client)
    {
        QMouseEvent move(QEvent::MouseMove, client, window->mapToGlobal(client), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &move);
    }
    void ClickAt(QPoint client)
    {
        QMouseEvent press(QEvent::MouseButtonPress, client, window->mapToGlobal(client), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &press);
    }
    /// Client position of the middle of a grid cell.
    QPoint CellCentre(GridCell cell) const
    {
        const QPoint origin = window->Picture().pos() + window->Picture().PictureOrigin();
        return origin + QPoint(CellLeft(cell) + 25, CellTop(cell) + 25);
    }
    QColor Pixel(int x, int y) const { return window->Picture().Shown().pixelColor(x, y); }
};

} // namespace

TEST_F(DorvantileDialogTest, ControlsCarryTheirIdsCaptionsAndDialogUnitPositions)
{
    Open();
    const DialogUnits du = DialogUnitsOf(window->font());
    const struct {
        int id;
        const char* text;
        int x, y, w, h;
    } controls[] = {
        {ids::IDCANCEL, "Cancel", 36, 216, 50, 14},        {ids::IDC_SAVE_FILE, "&Save File", 89, 216, 50, 14},
        {ids::IDC_SAVE_AS, "Save &As....", 144, 216, 50, 14}, {ids::IDC_LOAD, "&Load", 199, 216, 50, 14},
        {ids::IDC_SET_FONT, "Set &Font", 285, 216, 50, 14},  {ids::IDC_SUPPORT_ENGLISH, "Does Support English ?", 372, 216, 116, 15},
        {ids::IDC_ABOUT, "About !", 17, 2, 45, 14},
    };
    for (const auto& c : controls) {
        auto* button = Control<QAbstractButton>(c.id);
        ASSERT_NE(button, nullptr) << c.id;
        EXPECT_EQ(button->text().toStdString(), c.text);
        const UnitRect r = du.Rect(c.x, c.y, c.w, c.h);
        EXPECT_EQ(button->geometry(), QRect(r.x, r.y, r.width, r.height)) << c.id;
    }
    EXPECT_EQ(window->size(), QSize(du.X(514), du.Y(256))) << "237 and the row of the try-it field";
    auto* picture = Control<KeyboardPictureWidget>(ids::IDC_KEYBOARD);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->pos(), QPoint(du.X(17), du.Y(18)));
    EXPECT_EQ(picture->Shown().size(), QSize(711, 300));
    EXPECT_FALSE(picture->isEnabled());
    EXPECT_EQ(window->objectName(), "102");
    EXPECT_EQ(window->windowTitle(), "main.kbd"); // the caption is the file path
}

TEST_F(DorvantileDialogTest, ArrowKeysMoveTheHighlightAndDrawBothFrames)
{
    Open();
    auto* save = Control<QAbstractButton>(ids::IDC_SAVE_FILE);
    save->setFocus();
    QTest::keyClick(save, Qt::Key_Right);
    QTest::keyClick(save, Qt::Key_Down);
    EXPECT_EQ(window->Editor().Selection(), (GridCell{1, 1}));
    // The cell left behind: both edges plain; the new one sunken, black top-left, white bottom-right.
    const QColor plain(168, 152, 152);
    EXPECT_EQ(Pixel(50, 50), plain);
    EXPECT_EQ(Pixel(99, 99), plain);
    EXPECT_EQ(Pixel(50, 100), QColor(Qt::black));
    EXPECT_EQ(Pixel(99, 149), QColor(Qt::white));

    QTest::keyClick(save, Qt::Key_Up);
    QTest::keyClick(save, Qt::Key_Up); // stops at row 0
    QTest::keyClick(save, Qt::Key_Left);
    QTest::keyClick(save, Qt::Key_Left); // stops at column 0
    EXPECT_EQ(window->Editor().Selection(), (GridCell{0, 0}));
    EXPECT_FALSE(QFile::exists(dir.path() + "/main.kbd")) << "no key pressed Save File";
}

TEST_F(DorvantileDialogTest, EnterOpensTheKeyDialogInsteadOfPressingTheDefaultButton)
{
    Open();
    auto* save = Control<QAbstractButton>(ids::IDC_SAVE_FILE);
    save->setFocus();
    QWidget* seen = nullptr;
    OnNextModal([&](QWidget* modal) { seen = modal; });
    QTest::keyClick(save, Qt::Key_Return);
    EXPECT_EQ(seen, &window->KeyDialog());
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(QFile::exists(dir.path() + "/main.kbd"));
}

TEST_F(DorvantileDialogTest, PointerHighlightsCellsAndOnlyAClickOnTheHighlightedCellOpensTheDialog)
{
    Open();
    MoveTo(CellCentre({4, 2}));
    EXPECT_EQ(window->Editor().Selection(), (GridCell{4, 2}));
    EXPECT_EQ(Pixel(200, 150), QColor(Qt::black));
    // The fourteenth column and the function-key strip leave the highlight where it was.
    MoveTo(CellCentre({4, 2}) + QPoint(450, 0));
    MoveTo(CellCentre({4, 2}) - QPoint(0, 150));
    EXPECT_EQ(window->Editor().Selection(), (GridCell{4, 2}));

    // Moved by the keyboard while the pointer stays: clicking there opens nothing.
    QTest::keyClick(Control<QAbstractButton>(ids::IDC_LOAD), Qt::Key_Right);
    int opened = 0;
    ClickAt(CellCentre({4, 2}));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    OnNextModal([&](QWidget* modal) { opened += modal == &window->KeyDialog(); });
    ClickAt(CellCentre({5, 2}));
    EXPECT_EQ(opened, 1);
}

TEST_F(DorvantileDialogTest, LoadShowsTheFlagAndANonKeymapChangesNothing)
{
    KeyTable table{};
    table[keymap::EnglishFlagRecord].extInitial = 257;
    const std::string good = Write("maps/good.kbd", keymap::SerializeKeymapFile(table));
    const std::string bad = Write("maps/bad.kbd", "plain text\r\n");
    Open();
    std::string next;
    window->SetFileChooserHook([&](ChooserPurpose p) -> std::optional<std::string> {
        EXPECT_EQ(p, ChooserPurpose::Load);
        EXPECT_EQ(window->FileChooser().Dialog().windowTitle(), "Dorvantile Load ...");
        return next;
    });
    auto* english = Control<QCheckBox>(ids::IDC_SUPPORT_ENGLISH);

    next = good;
    Control<QAbstractButton>(ids::IDC_LOAD)->click();
    EXPECT_EQ(window->windowTitle().toStdString(), good);
    EXPECT_TRUE(english->isChecked()) << "257 has the low byte 1";
    EXPECT_EQ(services.settings.ReadString("Setting", "FileName", ""), good);

    next = bad;
    Control<QAbstractButton>(ids::IDC_LOAD)->click();
    EXPECT_EQ(window->windowTitle().toStdString(), good);
    EXPECT_EQ(services.settings.ReadString("Setting", "FileName", ""), good);
    EXPECT_EQ(window->Editor().WorkingTable(), table);
    ASSERT_FALSE(services.messages.shown.empty());
    EXPECT_EQ(services.messages.shown.back().text, NotKeymapText);
}

TEST_F(DorvantileDialogTest, CheckBoxAndSaveAsWriteTheFlagToTheChosenFile)
{
    Open();
    auto* english = Control<QCheckBox>(ids::IDC_SUPPORT_ENGLISH);
    english->click();
    EXPECT_EQ(window->Editor().GetEnglishFlag(), 1);
    const std::string target = dir.path().toStdString() + "/saved.kbd";
    window->SetFileChooserHook([&](ChooserPurpose p) -> std::optional<std::string> {
        EXPECT_EQ(p, ChooserPurpose::SaveAs);
        EXPECT_EQ(window->FileChooser().Dialog().windowTitle(), "Dorvantile Save As ...");
        return target;
    });
    Control<QAbstractButton>(ids::IDC_SAVE_AS)->click();
    EXPECT_EQ(window->windowTitle().toStdString(), target);
    EXPECT_EQ(services.settings.ReadString("Setting", "FileName", ""), target);
    keymap::KeyMap map;
    ASSERT_TRUE(map.LoadFromPath(target));
    EXPECT_TRUE(map.SupportsEnglish());

    // A cancelled chooser changes nothing.
    window->SetFileChooserHook([](ChooserPurpose) { return std::optional<std::string>(); });
    english->click();
    Control<QAbstractButton>(ids::IDC_SAVE_AS)->click();
    EXPECT_EQ(window->windowTitle().toStdString(), "*" + target) << "marked as changed";
    EXPECT_TRUE(window->Editor().IsModified());
}

TEST_F(DorvantileDialogTest, SaveFileShowsThePathUnmarkedAndSaysItWrote)
{
    const std::string path = Write("mine.kbd", keymap::SerializeKeymapFile(KeyTable{}));
    services.settings.WriteString("Setting", "FileName", path);
    Open();
    auto* status = window->findChild<QLabel*>("saveStatus");
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(status->text().isEmpty());
    Control<QCheckBox>(ids::IDC_SUPPORT_ENGLISH)->click();
    ASSERT_EQ(window->windowTitle().toStdString(), "*" + path);

    Control<QAbstractButton>(ids::IDC_SAVE_FILE)->click();
    EXPECT_EQ(window->windowTitle().toStdString(), path);
    EXPECT_EQ(status->text(), "Saved mine.kbd");
    // Saving an unchanged table still says so; the next change takes the note away.
    Control<QAbstractButton>(ids::IDC_SAVE_FILE)->click();
    EXPECT_EQ(status->text(), "Saved mine.kbd");
    Control<QCheckBox>(ids::IDC_SUPPORT_ENGLISH)->click();
    EXPECT_TRUE(status->text().isEmpty());
}

TEST_F(DorvantileDialogTest, TheFileChooserIsConfiguredForKeymaps)
{
    Open();
    QFileDialog& chooser = window->FileChooser().Dialog();
    EXPECT_EQ(chooser.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(chooser.defaultSuffix(), "kbd");
    EXPECT_EQ(chooser.nameFilters(), (QStringList{"Dorvantile Files (*.kbd)", "All Files (*.*)"}));
    EXPECT_NE(chooser.findChild<QLabel*>(ids::IdName(ids::IDB_FILE_PANEL)), nullptr);

    QDir().mkpath(dir.path() + "/sub");
    window->FileChooser().Prepare(ChooserPurpose::Load, dir.path().toStdString() + "/sub/x.kbd");
    EXPECT_TRUE(chooser.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(chooser.acceptMode(), QFileDialog::AcceptOpen) << "Load opens a file, it asks nothing about replacing it";
    EXPECT_EQ(chooser.labelText(QFileDialog::Accept), "Open");
    EXPECT_EQ(chooser.directory().absolutePath(), dir.path() + "/sub");
    EXPECT_EQ(chooser.selectedFiles().value(0), dir.path() + "/sub/x.kbd");
    window->FileChooser().Prepare(ChooserPurpose::SaveAs, "main.kbd");
    EXPECT_FALSE(chooser.testOption(QFileDialog::DontConfirmOverwrite)) << "Save As asks before overwriting";
    EXPECT_EQ(chooser.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(chooser.labelText(QFileDialog::Accept), "Save");
}

TEST_F(DorvantileDialogTest, SetFontStoresFaceAndCharacterHeight)
{
    Open();
    window->SetFontChooserHook([](const QFont& initial) -> std::optional<QFont> {
        EXPECT_EQ(initial.family(), "nasim web homa");
        EXPECT_EQ(initial.pixelSize(), 16);
        QFont chosen("Nazli");
        chosen.setPixelSize(20);
        return chosen;
    });
    Control<QAbstractButton>(ids::IDC_SET_FONT)->click();
    EXPECT_EQ(services.settings.ReadString("Setting", "FontName", ""), "Nazli");
    EXPECT_EQ(services.settings.ReadString("Setting", "FontSize", ""), "-20");
    EXPECT_EQ(window->DisplayFont().family(), "Nazli");
    EXPECT_EQ(window->DisplayFont().pixelSize(), 20);

    // The key dialog's lists are drawn in the new font.
    QFont listFont;
    OnNextModal([&](QWidget* modal) {
        if (auto* list = modal ? modal->findChild<QComboBox*>(ids::IdName(ids::IDC_ISOLATED)) : nullptr)
            listFont = list->font();
    });
    window->OpenKeyDialog();
    EXPECT_EQ(listFont.family(), "Nazli");
    EXPECT_EQ(listFont.pixelSize(), 20);
}

TEST_F(DorvantileDialogTest, ClosingWithUnsavedChangesAsksAndCancelKeepsTheWindow)
{
    Open();
    Control<QCheckBox>(ids::IDC_SUPPORT_ENGLISH)->click();
    services.messages.Script({platform::MessageAnswer::Cancel});
    window->close();
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(services.messages.shown.size(), 2u); // the reference message, then the question
    EXPECT_EQ(services.messages.shown[1].text, SaveChangesText);

    services.messages.Script({platform::MessageAnswer::No});
    Control<QAbstractButton>(ids::IDCANCEL)->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(QFile::exists(dir.path() + "/main.kbd"));
}

TEST_F(DorvantileDialogTest, LoadOverUnsavedChangesAsksFirst)
{
    KeyTable other{};
    other[0].keyCode = 0x77;
    const std::string path = Write("other.kbd", keymap::SerializeKeymapFile(other));
    Open();
    int chooserShown = 0;
    window->SetFileChooserHook([&](ChooserPurpose) -> std::optional<std::string> {
        ++chooserShown;
        return path;
    });
    Control<QCheckBox>(ids::IDC_SUPPORT_ENGLISH)->click();
    services.messages.shown.clear();

    services.messages.Script({platform::MessageAnswer::Cancel});
    Control<QAbstractButton>(ids::IDC_LOAD)->click();
    EXPECT_EQ(chooserShown, 0);
    EXPECT_EQ(window->Editor().GetEnglishFlag(), 1) << "the edit is still there";

    services.messages.Script({platform::MessageAnswer::No});
    Control<QAbstractButton>(ids::IDC_LOAD)->click();
    EXPECT_EQ(chooserShown, 1);
    EXPECT_EQ(window->Editor().WorkingTable(), other);
    ASSERT_EQ(services.messages.shown.size(), 2u);
    EXPECT_EQ(services.messages.shown[0].text, SaveChangesText);

    // Without changes there is no question.
    services.messages.shown.clear();
    Control<QAbstractButton>(ids::IDC_LOAD)->click();
    EXPECT_EQ(chooserShown, 2);
    EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(DorvantileDialogTest, AboutBoxShowsThePictureOfTheCurrentFolder)
{
    for (bool present : {false, true}) {
        if (present)
            QFile::copy(QString::fromStdString(fakes::BuildProgramFolder() + "/kelmAbout.bmp"), dir.path() + "/kelmAbout.bmp");
        AboutDorvantileDialog about;
        auto* picture = about.findChild<QLabel*>(ids::IdName(ids::IDC_ABOUT_PICTURE));
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(!picture->pixmap().isNull(), present);
        EXPECT_EQ(about.windowTitle(), "About Dorvantile");
        ASSERT_NE(about.findChild<QAbstractButton*>(ids::IdName(ids::IDOK)), nullptr);
    }
    Open();
    QString title;
    OnNextModal([&](QWidget* modal) { title = modal ? modal->windowTitle() : QString(); });
    window->SystemCommand(ids::IDM_ABOUTBOX | 0x3); // the low four bits do not matter
    EXPECT_EQ(title, "About Dorvantile");
    EXPECT_EQ(DorvantileDialog::AboutItemText(), "&About Dorvantile2...");
}

namespace {

/// Keys of "سلام" on the Persian keyboard, then Space.
const int SalamKeys[] = {0x53, 0x47, 0x48, 0x4C, 0x20};

/// What the editor's own edit control types for those keys with `table`.
std::string TypedByTheEditor(const KeyTable& table, const std::vector<int>& keys)
{
    keymap::KeyMap map;
    map.SetRecords(table, "same table");
    editctl::PersianEdit edit(editctl::WindowStyle::SingleLine);
    edit.SetKeyMap(&map);
    for (int key : keys)
        edit.DeliverKey(editctl::KeyEvent{key, false, false});
    return edit.Window().GetText();
}

} // namespace

class DorvantileTryItTest : public DorvantileDialogTest {
protected:
    void SetUp() override
    {
        DorvantileDialogTest::SetUp();
        std::string shipped;
        ASSERT_TRUE(platform::ReadFileBytes(fakes::BuildProgramFolder() + "/KeyMaps/main.kbd", shipped).ok);
        Write("main.kbd", shipped);
        Open();
        window->TryField().setFocus();
    }
    void TypeSalam()
    {
        for (const char* k : {"s", "g", "h", "l", " "})
            QTest::keyClick(&window->TryField(), k[0]);
    }
    void TypeSabad()
    {
        for (const char* k : {"s", "f", "n", " "})
            QTest::keyClick(&window->TryField(), k[0]);
    }
    std::string FieldText() const { return window->TryField().Window().GetText(); }
};

TEST_F(DorvantileTryItTest, TheFieldTypesWhatTheEditorsControlTypesWithTheWorkingTable)
{
    TypeSalam();
    const std::vector<int> keys(std::begin(SalamKeys), std::end(SalamKeys));
    EXPECT_EQ(FieldText(), TypedByTheEditor(window->Editor().WorkingTable(), keys));
    EXPECT_EQ(FieldText(), fakes::Glyphs("main.kbd", "سلام ")) << "the word, shaped and in display order";
}

TEST_F(DorvantileTryItTest, TheFieldFollowsAStoreFromTheKeyDialogAndItsUndo)
{
    TypeSabad();
    const std::string typed = FieldText();
    ASSERT_EQ(typed, fakes::Glyphs("main.kbd", "سبد "));
    const KeyTable original = window->Editor().WorkingTable();
    const int behMedial = original[30].medial;
    ASSERT_NE(typed.find(static_cast<char>(behMedial)), std::string::npos);

    // A new medial beh through the dialog: F is record 30.
    window->Editor().SelectRecord(30);
    OnNextModal([](QWidget* modal) {
        ASSERT_NE(modal, nullptr);
        modal->findChild<QComboBox*>(ids::IdName(ids::IDC_MEDIAL))->setCurrentIndex(0x7E);
        modal->findChild<QAbstractButton*>(ids::IdName(ids::IDC_SAVE_SETTING))->click();
    });
    window->OpenKeyDialog();
    EXPECT_EQ(window->Editor().WorkingTable()[30].medial, 0x7E);
    std::string expected = typed;
    expected[expected.find(static_cast<char>(behMedial))] = '\x7E';
    EXPECT_EQ(FieldText(), expected);
    EXPECT_EQ(window->windowTitle(), "*main.kbd");
    // Typed again, the word comes out with the new medial, as the editor would type it.
    window->TryField().Window().SetText("");
    TypeSabad();
    const std::vector<int> keys{0x53, 0x46, 0x4E, 0x20};
    EXPECT_EQ(FieldText(), TypedByTheEditor(window->Editor().WorkingTable(), keys));
    EXPECT_EQ(FieldText(), expected);

    // Ctrl+Z in the field undoes the table's change, not the field's typing.
    QTest::keyClick(&window->TryField(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window->Editor().WorkingTable(), original);
    EXPECT_EQ(FieldText(), typed);
    EXPECT_EQ(window->windowTitle(), "main.kbd");
    QTest::keyClick(&window->TryField(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(window->Editor().WorkingTable()[30].medial, 0x7E);
    QTest::keyClick(&window->TryField(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&window->TryField(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(FieldText(), expected);
    EXPECT_TRUE(Control<QAbstractButton>(ids::IDC_UNDO)->isEnabled());
    EXPECT_FALSE(Control<QAbstractButton>(ids::IDC_REDO)->isEnabled());
}

TEST_F(DorvantileTryItTest, EnterInTheFieldPressesNoButton)
{
    TypeSalam();
    window->Editor().SetEnglishFlag(0);
    QTest::keyClick(&window->TryField(), Qt::Key_Return);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(window->Editor().IsModified()) << "Save File was not pressed";
}

TEST_F(DorvantileTryItTest, F7ListsTheWarningsAndJumpsToTheKey)
{
    KeyRecord sheen = window->Editor().WorkingTable()[27];
    sheen.final = sheen.isolated;
    window->Editor().SelectRecord(27);
    window->Editor().StoreRecord(sheen);
    window->Editor().SelectRecord(0);

    int rows = 0;
    OnNextModal([&](QWidget* modal) {
        auto* list = modal ? modal->findChild<QListWidget*>(ids::IdName(ids::IDC_WARNING_LIST)) : nullptr;
        ASSERT_NE(list, nullptr);
        rows = list->count();
        EXPECT_NE(list->item(0)->text().indexOf("key A (ش), Isolated"), -1) << list->item(0)->text().toStdString();
        modal->findChild<QAbstractButton*>(ids::IdName(ids::IDC_JUMP))->click();
    });
    QTest::keyClick(&window->TryField(), Qt::Key_F7);
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(window->Editor().Selection(), (GridCell{1, 2}));
    EXPECT_EQ(Pixel(50, 150), QColor(Qt::black)) << "the key is highlighted";

    // Seen once, the warnings no longer stop Save File.
    Control<QAbstractButton>(ids::IDC_SAVE_FILE)->click();
    EXPECT_FALSE(window->Editor().IsModified());
}

TEST_F(DorvantileTryItTest, SavingWithUnseenWarningsShowsThemFirst)
{
    KeyRecord sheen = window->Editor().WorkingTable()[27];
    sheen.initial = 0;
    window->Editor().SelectRecord(27);
    window->Editor().StoreRecord(sheen);
    std::string before;
    ASSERT_TRUE(platform::ReadFileBytes(dir.path().toStdString() + "/main.kbd", before).ok);

    for (int id : {ids::IDCANCEL, ids::IDC_SAVE_ANYWAY}) {
        OnNextModal([id](QWidget* modal) {
            ASSERT_NE(modal, nullptr);
            EXPECT_EQ(modal->objectName(), ids::IdName(ids::IDD_WARNINGS));
            if (id == ids::IDC_SAVE_ANYWAY)
                modal->findChild<QAbstractButton*>(ids::IdName(id))->click();
        });
        Control<QAbstractButton>(ids::IDC_SAVE_FILE)->click();
        std::string after;
        ASSERT_TRUE(platform::ReadFileBytes(dir.path().toStdString() + "/main.kbd", after).ok);
        EXPECT_EQ(after == before, id == ids::IDCANCEL);
        EXPECT_EQ(window->Editor().IsModified(), id == ids::IDCANCEL);
    }
}

TEST_F(DorvantileTryItTest, TheCapsShowTheKeymapsOwnLettersAndFollowTheTable)
{
    const auto capOf = [&](int record) {
        const GridCell cell{record % 13, record / 13};
        return window->Picture().Shown().copy(CellLeft(cell) + 5, CellTop(cell) + 5, 40, 40);
    };
    const QImage fixedA = capOf(27);
    EXPECT_NE(capOf(13), capOf(26)) << "Tab and Capslock legends";
    Control<QCheckBox>(ids::IDC_OWN_LETTERS)->click();
    EXPECT_EQ(capOf(13), capOf(26)) << "keys without a glyph are empty caps";
    const QImage ownA = capOf(27);
    EXPECT_NE(ownA, fixedA);
    EXPECT_NE(ownA, capOf(13)) << "the sheen is drawn";

    KeyRecord sheen = window->Editor().WorkingTable()[27];
    sheen.isolated = 0;
    window->Editor().SelectRecord(27);
    window->Editor().StoreRecord(sheen);
    EXPECT_EQ(capOf(27).copy(0, 0, 40, 40), capOf(13).copy(0, 0, 40, 40)) << "no isolated glyph any more";
    window->Undo();
    EXPECT_EQ(capOf(27), ownA);
    Control<QCheckBox>(ids::IDC_OWN_LETTERS)->click();
    EXPECT_EQ(capOf(27), fixedA);
}

TEST_F(DorvantileTryItTest, ExportAndImportGoThroughTheTableText)
{
    const std::string table = dir.path().toStdString() + "/main.tsv";
    const std::string damaged = Write("damaged.tsv", "0 0xC0 x 1 2 3 4 - - - -\n1 0x31 x\n");
    std::string next = table;
    window->SetFileChooserHook([&](ChooserPurpose) -> std::optional<std::string> { return next; });
    Control<QAbstractButton>(ids::IDC_EXPORT)->click();
    const KeyTable original = window->Editor().WorkingTable();
    window->Editor().SetEnglishFlag(0);

    Control<QAbstractButton>(ids::IDC_IMPORT)->click();
    EXPECT_EQ(window->Editor().WorkingTable(), original);
    window->Undo();
    EXPECT_EQ(window->Editor().GetEnglishFlag(), 0) << "the import was one step";
    window->Redo();

    services.messages.shown.clear();
    next = damaged;
    Control<QAbstractButton>(ids::IDC_IMPORT)->click();
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_NE(services.messages.shown[0].text.find("damaged.tsv, line 2"), std::string::npos);
    EXPECT_EQ(window->Editor().WorkingTable(), original);
}

TEST_F(DorvantileTryItTest, TypedKeysAreTypedAgainSoAnUndoneClashLeavesNoTrace)
{
    TypeSabad();
    const std::string typed = FieldText();
    const char behMedial = static_cast<char>(window->Editor().WorkingTable()[30].medial);
    // Beh's medial on lam's medial code: lam, the later record, wins the code, so the glyph alone
    // no longer says which key typed it.
    KeyRecord beh = window->Editor().WorkingTable()[30];
    beh.medial = window->Editor().WorkingTable()[31].medial;
    window->Editor().SelectRecord(30);
    window->Editor().StoreRecord(beh);
    std::string clashed = typed;
    clashed[clashed.find(behMedial)] = static_cast<char>(beh.medial);
    EXPECT_EQ(FieldText(), clashed);
    window->Undo();
    EXPECT_EQ(FieldText(), typed);

    // After an edit that is not typing, the glyphs are carried over instead.
    window->TryField().Window().SetText(typed);
    window->Redo();
    EXPECT_EQ(FieldText(), clashed);
}
