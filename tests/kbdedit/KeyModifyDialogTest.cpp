#include "kbdedit/DialogLayout.h"
#include "kbdedit/GlyphPresenter.h"
#include "kbdedit/KeyModifyDialog.h"
#include "kbdedit/KeymapEditor.h"
#include "keymap/KeymapFile.h"
#include "res/DorvantileIds.h"
#include "tests/fakes/TestEnvironment.h"
#include "platform/FontFaces.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontMetrics>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <climits>

using namespace kbdedit;
namespace ids = dorvantile_ids;
using keymap::KeyRecord;
using keymap::KeyTable;

namespace {

class KeyModifyDialogTest : public ::testing::Test {
protected:
    fakes::FakeServices services;
    QTemporaryDir dir;
    RegistrySettings settings{services.settings};
    KeymapEditor editor{settings};
    QFont displayFont{"Nazli"};
    KeyModifyDialog dialog{editor, displayFont};

    void SetUp() override { displayFont.setPixelSize(18); }

    void LoadWorking(const KeyTable& table)
    {
        const std::string path = dir.path().toStdString() + "/work.kbd";
        ASSERT_TRUE(platform::WriteFileAtomically(path, keymap::SerializeKeymapFile(table)).ok);
        ASSERT_TRUE(editor.Load(path));
    }
    void LoadReference(const KeyTable& table)
    {
        QDir().mkpath(dir.path() + "/KeyMaps");
        const std::string path = dir.path().toStdString() + "/KeyMaps/main.kbd";
        ASSERT_TRUE(platform::WriteFileAtomically(path, keymap::SerializeKeymapFile(table)).ok);
        ASSERT_TRUE(editor.ReadReferenceKeymap(dir.path().toStdString()));
    }
    /// Selects the cell of a record with the arrow keys, as the user would.
    void Select(int record)
    {
        while (editor.Selection().row > 0) editor.Arrow(ArrowKey::Up);
        while (editor.Selection().column > 0) editor.Arrow(ArrowKey::Left);
        for (int i = 0; i < record / 13; ++i) editor.Arrow(ArrowKey::Down);
        for (int i = 0; i < record % 13; ++i) editor.Arrow(ArrowKey::Right);
        ASSERT_EQ(editor.SelectedRecordIndex(), record);
    }
    QComboBox* List(int field) const
    {
        return dialog.findChild<QComboBox*>(ids::IdName(ids::GlyphListIds[field]));
    }
    template <typename T> T* Control(int id) const { return dialog.findChild<T*>(ids::IdName(id)); }
    std::array<int, 8> Selected() const
    {
        std::array<int, 8> s{};
        for (int f = 0; f < 8; ++f)
            s[static_cast<size_t>(f)] = List(f)->currentIndex();
        return s;
    }
};

} // namespace

TEST_F(KeyModifyDialogTest, AnEmptyKeyOpensOnTheFirstEntriesAndSavesUnchanged)
{
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Modify Data");
    EXPECT_EQ(Control<QLineEdit>(ids::IDC_SCAN_CODE)->text(), "0");
    EXPECT_FALSE(Control<QLineEdit>(ids::IDC_SCAN_CODE)->isEnabled());
    for (int f = 0; f < 8; ++f) {
        ASSERT_NE(List(f), nullptr) << f;
        EXPECT_EQ(List(f)->count(), 256);
        EXPECT_EQ(List(f)->currentIndex(), 0);
        EXPECT_EQ(List(f)->font().family(), "Nazli");
    }
    // The reference file is missing: every label is empty.
    EXPECT_EQ(Control<QLabel>(ids::IDC_KEY_LABEL)->text(), "");
    for (int id : ids::ShapeLabelIds)
        EXPECT_EQ(Control<QLabel>(id)->text(), "") << id;

    Control<QPushButton>(ids::IDC_SAVE_SETTING)->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(editor.WorkingRecord(), KeyRecord{});
    EXPECT_FALSE(editor.IsModified());
}

TEST_F(KeyModifyDialogTest, EntriesShowTheCharacterAndTheCodeInThreeColumns)
{
    dialog.show();
    // The display face "nasim web homa" is not installed and the table maps nothing, so the codes
    // show as their Latin-1 characters.
    const struct {
        int code;
        QString text;
    } entries[] = {{0, ""}, {65, "A   65"}, {200, QString::fromUtf8("È  200")}, {255, QString::fromUtf8("ÿ  255")}};
    for (const auto& e : entries)
        EXPECT_EQ(List(0)->itemText(e.code), e.text) << e.code;
}

TEST_F(KeyModifyDialogTest, ListsSelectTheFieldValuesAndSaveStoresAllNineFields)
{
    KeyTable table{};
    table[14] = KeyRecord{-5, 5, 6, 7, 8, 1, 0, 300, -1};
    LoadWorking(table);
    Select(14);
    dialog.show();
    EXPECT_EQ(Control<QLineEdit>(ids::IDC_SCAN_CODE)->text(), "-5");
    // Values outside 0..255 leave their list without a selection.
    EXPECT_EQ(Selected(), (std::array<int, 8>{5, 6, 7, 8, 1, 0, -1, -1}));

    List(1)->setCurrentIndex(200);
    List(5)->setCurrentIndex(33);
    Control<QPushButton>(ids::IDC_SAVE_SETTING)->click();
    EXPECT_EQ(editor.WorkingRecord(), (KeyRecord{-5, 5, 200, 7, 8, 1, 33, 300, -1})) << "untouched fields keep their values";
}

TEST_F(KeyModifyDialogTest, SavingAnUntouchedRecordOfOutOfRangeValuesKeepsIt)
{
    KeyTable table{};
    table[9] = KeyRecord{0x41, 256, -7, 1000, -1, 999999, 4, -300, 255};
    LoadWorking(table);
    Select(9);
    dialog.show();
    Control<QPushButton>(ids::IDC_SAVE_SETTING)->click();
    EXPECT_EQ(editor.WorkingRecord(), table[9]);
}

TEST_F(KeyModifyDialogTest, EveryWayOfClosingButSaveSettingStoresNothing)
{
    KeyTable table{};
    table[3] = KeyRecord{0x33, 10, 11, 12, 13, 3, 0, 0, 0};
    LoadWorking(table);
    Select(3);
    const std::function<void()> closers[] = {
        [&] { Control<QPushButton>(ids::IDC_MODIFY_CANCEL)->click(); },
        [&] { QTest::keyClick(List(2), Qt::Key_Escape); },
        [&] { QTest::keyClick(List(2)->lineEdit(), Qt::Key_Return); },
        [&] { QTest::keyClick(Control<QPushButton>(ids::IDC_SAVE_SETTING), Qt::Key_Enter); },
        [&] { dialog.close(); },
    };
    int way = 0;
    for (const auto& close : closers) {
        SCOPED_TRACE(way++);
        dialog.show();
        EXPECT_EQ(Selected(), (std::array<int, 8>{10, 11, 12, 13, 3, 0, 0, 0})) << "reopened with the same values";
        List(0)->setCurrentIndex(99);
        List(2)->setCurrentIndex(98);
        close();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(editor.WorkingRecord(), table[3]);
    }
    EXPECT_FALSE(editor.IsModified());
}

TEST_F(KeyModifyDialogTest, TypingIntoAListClearsItsSelectionAndStoresMinusOne)
{
    KeyTable table{};
    table[20] = KeyRecord{0x59, 40, 41, 42, 43, 0, 0, 0, 0};
    LoadWorking(table);
    Select(20);
    dialog.show();
    QTest::keyClicks(List(3)->lineEdit(), "x");
    EXPECT_EQ(List(3)->currentIndex(), -1);
    Control<QPushButton>(ids::IDC_SAVE_SETTING)->click();
    EXPECT_EQ(editor.WorkingRecord(), (KeyRecord{0x59, 40, 41, 42, -1, 0, 0, 0, 0}));
}

TEST_F(KeyModifyDialogTest, StoringTheHomeRowEnterKeySetsTheEnglishFlag)
{
    Select(keymap::EnglishFlagRecord);
    dialog.show();
    List(7)->setCurrentIndex(1);
    Control<QPushButton>(ids::IDC_SAVE_SETTING)->click();
    EXPECT_EQ(editor.GetEnglishFlag(), 1);
    EXPECT_TRUE(editor.IsModified());
}

TEST_F(KeyModifyDialogTest, LabelsShowTheReferenceKeyAndItsFourShapes)
{
    KeyTable reference{};
    reference[27] = KeyRecord{0x41, 0xC1, 0xC2, 0xC3, 0xC4, 0, 0, 0, 0};
    LoadReference(reference);
    Select(27);
    dialog.show();
    EXPECT_EQ(Control<QLabel>(ids::IDC_KEY_LABEL)->text(), "A");
    EXPECT_EQ(Control<QLabel>(ids::IDC_KEY_LABEL)->font().pixelSize() > 0, true);
    const GlyphPresenter shapes(reference, platform::FaceInstalled(KeyModifyDialog::LabelFace));
    for (int i = 0; i < 4; ++i) {
        const QString text = Control<QLabel>(ids::ShapeLabelIds[i])->text();
        EXPECT_FALSE(text.isEmpty()) << i;
        EXPECT_EQ(text, shapes.Character(0xC1 + i)) << i;
    }
}

TEST_F(KeyModifyDialogTest, WithoutTheDisplayFaceTheShippedKeymapShowsPersianShapes)
{
    // Without "nasim web homa" main.kbd's codes are drawn as the Unicode shapes of its letters: the
    // A key holds sheen (ش) in its four forms. A machine with the legacy face draws its own codes.
    if (platform::FaceInstalled(KeyModifyDialog::LabelFace))
        GTEST_SKIP() << "the legacy display face is installed on this machine";
    std::string bytes;
    ASSERT_TRUE(platform::ReadFileBytes(fakes::BuildProgramFolder() + "/KeyMaps/main.kbd", bytes).ok);
    KeyTable shipped{};
    ASSERT_EQ(keymap::ParseKeymapFile(bytes, shipped).status, keymap::ParseStatus::Ok);
    LoadWorking(shipped);
    LoadReference(shipped);
    Select(27);
    dialog.show();

    const QString sheen[4] = {QString::fromUtf8("ﺵ"), QString::fromUtf8("ﺶ"), QString::fromUtf8("ﺸ"), QString::fromUtf8("ﺷ")};
    const keymap::KeyRecord a = shipped[27];
    for (int form = 0; form < 4; ++form) {
        SCOPED_TRACE(form);
        const int code = a.Glyph(form);
        EXPECT_EQ(List(form)->currentIndex(), code);
        QString entry = List(form)->itemText(code);
        entry.remove(QChar(0x200E)); // direction marks only keep the number on the right
        EXPECT_EQ(entry, sheen[form] + QStringLiteral("  %1").arg(code, 3));
        EXPECT_EQ(Control<QLabel>(ids::ShapeLabelIds[form])->text(), sheen[form]);
    }
    EXPECT_EQ(Control<QLabel>(ids::IDC_KEY_LABEL)->text(), "A");
    // A code the keymap holds nowhere stays its Latin-1 character.
    int unused = 0xFF;
    auto holds = [&](int code) {
        for (const KeyRecord& r : shipped)
            for (int f = 0; f < 8; ++f)
                if (r.Glyph(f) == code)
                    return true;
        return false;
    };
    while (unused > 0x20 && holds(unused))
        --unused;
    ASSERT_GT(unused, 0x20);
    EXPECT_EQ(List(0)->itemText(unused), QString(QChar(unused)) + QStringLiteral("  %1").arg(unused));
}

TEST(GlyphFonts, HeightsFollowThePlatformsFontRules)
{
    const struct {
        const char* face;
        int height;
        const char* family;
    } cases[] = {{"Nazli", -20, "Nazli"}, {"nazli", 30, "Nazli"}, {"nasim web homa", 16, "Nazli"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.height);
        const QFont font = MakeFont(c.face, c.height);
        EXPECT_EQ(font.family().compare(QString::fromLatin1(c.family), Qt::CaseInsensitive), 0)
            << "a missing face is replaced by a Persian Unicode face";
        if (c.height < 0) {
            EXPECT_EQ(font.pixelSize(), -c.height) << "negative: the character height";
        } else if (platform::FaceInstalled(QString::fromLatin1(c.face))) {
            EXPECT_LE(QFontMetrics(font).height(), c.height) << "positive: the whole cell";
        } else {
            EXPECT_EQ(font.pixelSize(), c.height) << "a stand-in keeps its letters readable";
        }
    }
    // Heights read from a hand-edited settings file stay drawable.
    EXPECT_EQ(MakeFont("Nazli", INT_MIN).pixelSize(), MaxFontHeight);
    EXPECT_EQ(MakeFont("nasim web homa", 99999).pixelSize(), MaxFontHeight);
}

TEST_F(KeyModifyDialogTest, ControlsSitAtTheirDialogUnitPositions)
{
    const DialogUnits du = DialogUnitsOf(dialog.font());
    EXPECT_EQ(dialog.size(), QSize(du.X(314), du.Y(194)));
    EXPECT_EQ(dialog.objectName(), "103");
    const struct {
        int id;
        int x, y, w, h;
    } fixed[] = {
        {ids::IDC_KEY_LABEL, 4, 9, 37, 29},     {ids::IDC_SCAN_CODE, 123, 22, 32, 13},
        {ids::IDC_SAVE_SETTING, 245, 64, 58, 16}, {ids::IDC_MODIFY_CANCEL, 245, 86, 58, 16},
        {ids::IDC_SHAPE_ISOLATED, 59, 65, 16, 20}, {ids::IDC_SHAPE_INITIAL, 59, 137, 16, 20},
    };
    for (const auto& c : fixed) {
        QWidget* w = dialog.findChild<QWidget*>(ids::IdName(c.id));
        ASSERT_NE(w, nullptr) << c.id;
        const UnitRect r = du.Rect(c.x, c.y, c.w, c.h);
        EXPECT_EQ(w->geometry(), QRect(r.x, r.y, r.width, r.height)) << c.id;
    }
    // The lists: main shapes at x 95, extended at x 169, rows 64 / 88 / 113 / 137, 57 wide.
    const int rows[4] = {64, 88, 113, 137};
    for (int f = 0; f < 8; ++f) {
        EXPECT_EQ(List(f)->pos(), QPoint(du.X(f < 4 ? 95 : 169), du.Y(rows[f % 4]))) << f;
        EXPECT_EQ(List(f)->width(), du.X(57)) << f;
        EXPECT_TRUE(List(f)->isEditable()) << f;
    }
    EXPECT_EQ(Control<QPushButton>(ids::IDC_SAVE_SETTING)->text(), "&Save Setting");
    EXPECT_EQ(Control<QPushButton>(ids::IDC_MODIFY_CANCEL)->text(), "&Cancel");
    QStringList captions;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (label->objectName().isEmpty())
            captions << label->text();
    for (const char* caption : {"Scan Code :", "Isolated :", "Final Word :", "Medial :", "Initial :", "="})
        EXPECT_TRUE(captions.contains(QString::fromLatin1(caption))) << caption;
}
