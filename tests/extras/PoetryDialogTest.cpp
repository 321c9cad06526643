// The poetry window on small poem files: its controls, browsing, Insert, Save'n Go and Cancel.
#include "extras/PoetryDialog.h"

#include "editctl/GlyphMetrics.h"
#include "editctl/PersianEdit.h"
#include "editctl/PersianEditWidget.h"
#include "extras/PoetryPicture.h"
#include "keymap/KeymapConverter.h"
#include "platform/DialogLayout.h"
#include "res/ExtrasIds.h"
#include "res/ResourceIds.h"
#include "tests/fakes/PoemFixture.h"
#include "tests/fakes/ScriptedRandom.h"
#include "tests/fakes/ShippedKeymaps.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using extras::PoetryDialog;

const char* const First[4] = {"شب آمد و ماه سر زد", "نسیم از دل باغ در زد", "چراغی به دستم دهید",
                              "که دل راه شب را به سر زد"};
const char* const Second[4] = {"سحر بر لب جوی آب است", "دل من به دنبال خواب است", "بیا تا بخوانیم با هم",
                               "که این لحظه چون آفتاب است"};

class PoetryDialogTest : public ::testing::Test {
protected:
    fakes::FakeServices services;
    fakes::TempProgramFolder folder{services.settings};
    keymap::KeymapConverter converter;
    fakes::ScriptedRandom random{{4}, 4}; // 4 % 3: poem 1
    std::unique_ptr<PoetryDialog> dialog;

    PoetryDialogTest()
    {
        folder.InstallKeymap("ziba2.kbd");
        folder.InstallKeymap("main.kbd");
        WritePoems(First, Second);
    }

    void WritePoems(const char* const (&a)[4], const char* const (&b)[4])
    {
        auto poem = [](const char* const (&v)[4]) {
            return std::vector<fakes::Couplet>{{Z(v[0]), Z(v[1])}, {Z(v[2]), Z(v[3])}};
        };
        fakes::WritePoems(folder, {poem(a), poem(b)});
    }
    static std::string Z(const char* utf8) { return fakes::Glyphs("ziba2.kbd", utf8); }
    static std::string M(const char* utf8) { return fakes::Glyphs("main.kbd", utf8); }

    extras::QuvelSettings saved;

    PoetryDialog& Open()
    {
        dialog = std::make_unique<PoetryDialog>(
            extras::PoetryContext{converter, "main.kbd", folder.Path(), random, services.messages, {}}, saved);
        dialog->show();
        return *dialog;
    }
    template <typename T>
    T* Control(int id) const
    {
        T* c = dialog->findChild<T*>(res::ObjectName(id));
        EXPECT_NE(c, nullptr) << id;
        return c;
    }
    std::string Viewer() const { return Control<editctl::PersianEditWidget>(res::PoemViewer)->Window().GetText(); }
    static std::string PoemText(const char* const (&v)[4])
    {
        return Z(v[0]) + "\r\n" + Z(v[1]) + "\r\n" + Z(v[2]) + "\r\n" + Z(v[3]);
    }
};

TEST_F(PoetryDialogTest, ControlsCarryTheirIdsTextsAndPlaces)
{
    Open();
    EXPECT_EQ(dialog->windowTitle(), "Quvel Poets...");
    const platform::DialogUnits du = platform::DialogUnitsOf(dialog->font());
    EXPECT_EQ(dialog->size(), QSize(du.X(425), du.Y(255)));
    const struct {
        int id;
        const char* text;
        int x, y, w, h;
    } places[] = {
        {res::PoemViewer, nullptr, 64, 1, 360, 204},   {res::PoemScrollBar, nullptr, 63, 206, 360, 10},
        {res::LinesN, nullptr, 135, 224, 28, 12},      {res::ShowNumber, "Show num.", 171, 219, 52, 10},
        {res::PoemNumber, nullptr, 171, 230, 52, 24},  {res::PoetryJustify, "&Justify", 231, 219, 50, 8},
        {res::Tab1, nullptr, 302, 222, 28, 12},        {res::Tab2, nullptr, 302, 237, 28, 12},
        {res::PoetryRandom, "&Random", 334, 219, 44, 16}, {res::PoetrySaveAndGo, "&Save'n Go", 334, 237, 44, 16},
        {res::PoetryInsert, "&Insert...", 380, 219, 44, 16}, {res::PoetryCancel, "&Cancel", 380, 237, 44, 16},
    };
    for (const auto& p : places) {
        QWidget* w = Control<QWidget>(p.id);
        ASSERT_NE(w, nullptr);
        const platform::UnitRect r = du.Rect(p.x, p.y, p.w, p.h);
        EXPECT_EQ(w->geometry(), QRect(r.x, r.y, r.width, r.height)) << p.id;
        if (p.text) {
            EXPECT_EQ(static_cast<QAbstractButton*>(w)->text(), p.text) << p.id;
        }
    }
    const struct {
        int id;
        const char* text;
    } radios[] = {{res::HowAll, "&Totall"}, {res::HowLast, "Last n line."}, {res::HowFirst, "First n line."},
                  {res::HowRandom, "Random."}, {res::LayoutPoetic, "Poetic"}, {res::LayoutRegular, "Regular"}};
    for (const auto& r : radios)
        EXPECT_EQ(Control<QAbstractButton>(r.id)->text(), r.text);
    EXPECT_TRUE(Control<QRadioButton>(res::HowRandom)->isChecked()) << "default How 3";
    EXPECT_TRUE(Control<QPushButton>(res::LayoutPoetic)->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(res::PoetryJustify)->isChecked());
    EXPECT_EQ(Control<QSpinBox>(res::LinesN)->value(), 4);
    EXPECT_EQ(Control<QSpinBox>(res::Tab2)->value(), 15);
    auto* bar = Control<QScrollBar>(res::PoemScrollBar);
    EXPECT_EQ(bar->minimum(), 1);
    EXPECT_EQ(bar->maximum(), 2) << "the count comes from the index";
    EXPECT_EQ(bar->pageStep(), 50);
    EXPECT_EQ(Control<QSpinBox>(res::LinesN)->singleStep(), 2);
    EXPECT_EQ(Control<QSpinBox>(res::PoemNumber)->font().pixelSize(), 36);
    EXPECT_EQ(Control<QSpinBox>(res::PoemNumber)->value(), 1);
    EXPECT_EQ(Viewer(), PoemText(First));
}

TEST_F(PoetryDialogTest, BrowsingByScrollBarNumberFieldAndEnter)
{
    Open();
    auto* number = Control<QSpinBox>(res::PoemNumber);
    Control<QScrollBar>(res::PoemScrollBar)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(number->value(), 2);
    EXPECT_EQ(Viewer(), PoemText(Second));

    number->setValue(999);
    EXPECT_EQ(number->value(), 2);
    number->setValue(0);
    EXPECT_EQ(number->value(), 0);
    EXPECT_EQ(Viewer(), PoemText(Second)) << "0 loads nothing";
    number->setValue(-4);
    EXPECT_EQ(number->value(), 1);
    EXPECT_EQ(Control<QScrollBar>(res::PoemScrollBar)->value(), 1);
    EXPECT_EQ(Viewer(), PoemText(First));

    auto* n = Control<QSpinBox>(res::LinesN);
    n->setValue(5);
    EXPECT_EQ(n->value(), 6);
    Control<QSpinBox>(res::Tab1)->setValue(45);
    EXPECT_EQ(Control<QSpinBox>(res::Tab1)->value(), 30);

    // Enter reads the files again and goes no further (the window stays open).
    WritePoems(Second, First);
    QTest::keyClick(number, Qt::Key_Return);
    EXPECT_EQ(Viewer(), PoemText(Second));
    EXPECT_TRUE(dialog->isVisible());
}

/// Presses a physical key (evdev code) as the platform delivers it: shortcut override, then press.
void PressPhysical(QWidget* target, int evdev, const QString& text)
{
    const int qtKey = text.isEmpty() ? 0 : text.at(0).unicode();
    QKeyEvent override(QEvent::ShortcutOverride, qtKey, {}, static_cast<quint32>(evdev + 8), 0, 0, text);
    QApplication::sendEvent(target, &override);
    QKeyEvent press(QEvent::KeyPress, qtKey, {}, static_cast<quint32>(evdev + 8), 0, 0, text);
    QApplication::sendEvent(target, &press);
}

TEST_F(PoetryDialogTest, TheViewerCannotBeTypedInto)
{
    Open();
    auto* viewer = Control<editctl::PersianEditWidget>(res::PoemViewer);
    const std::string before = Viewer();
    viewer->setFocus();
    for (const auto& [evdev, text] : {std::pair{30, QString("a")}, std::pair{57, QString(" ")}, std::pair{14, QString()}})
        PressPhysical(viewer, evdev, text);
    EXPECT_EQ(Viewer(), before);

    // The same presses do type into an edit window of the same keymap that is not a viewer.
    keymap::KeyMap map;
    ASSERT_TRUE(map.Load("ziba2.kbd"));
    editctl::PersianEditWidget editor;
    editor.SetKeyMap(&map);
    editor.show();
    editor.setFocus();
    PressPhysical(&editor, 30, "a");
    EXPECT_FALSE(editor.Window().GetText().empty());
}

TEST_F(PoetryDialogTest, ALongPoemIsShownFromItsFirstLine)
{
    fakes::WritePoems(folder, {fakes::NumberedPoem(30), fakes::NumberedPoem(30)});
    Open();
    auto* viewer = Control<editctl::PersianEditWidget>(res::PoemViewer);
    ASSERT_GT(viewer->Window().GetLineCount(), viewer->Window().VisibleLineCount());
    EXPECT_EQ(viewer->Window().FirstVisibleLine(), 0);
    EXPECT_EQ(viewer->Window().Caret(), 0);
    Control<QScrollBar>(res::PoemScrollBar)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(viewer->Window().FirstVisibleLine(), 0) << "the next poem too";
}

TEST_F(PoetryDialogTest, InsertBuildsTheResultOnlyForAUsableN)
{
    Open();
    Control<QRadioButton>(res::HowLast)->click();
    Control<QPushButton>(res::LayoutRegular)->click();
    Control<QCheckBox>(res::PoetryJustify)->click();
    Control<QCheckBox>(res::ShowNumber)->click();
    Control<QSpinBox>(res::Tab1)->setValue(1);
    Control<QSpinBox>(res::LinesN)->setValue(4);
    Control<QPushButton>(res::PoetryInsert)->click();
    EXPECT_TRUE(dialog->isVisible()) << "n = 4 is not below the poem's four lines";
    EXPECT_EQ(dialog->Result(), "");

    Control<QSpinBox>(res::LinesN)->setValue(2);
    Control<QPushButton>(res::PoetryInsert)->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Result(), "-- ( 1 ) --\r\n" + M(First[2]) + " \r\n" + M(First[3]) + " \r\n");
    EXPECT_FALSE(dialog->SavedSettings()) << "Insert stores nothing";
}

TEST_F(PoetryDialogTest, SaveAndGoGivesTheChoicesToStoreAndInsertsNothing)
{
    Open();
    Control<QRadioButton>(res::HowFirst)->click();
    Control<QPushButton>(res::LayoutRegular)->click();
    Control<QCheckBox>(res::ShowNumber)->click();
    Control<QSpinBox>(res::LinesN)->setValue(3);
    Control<QSpinBox>(res::Tab2)->setValue(7);
    Control<QPushButton>(res::PoetrySaveAndGo)->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->Result(), "");
    ASSERT_TRUE(dialog->SavedSettings());
    const extras::QuvelSettings s = *dialog->SavedSettings();
    EXPECT_EQ(s.how, 2);
    EXPECT_EQ(s.mode, 1);
    EXPECT_TRUE(s.showNumber);
    EXPECT_TRUE(s.justify);
    EXPECT_EQ(s.n, "4") << "3 became 4 in the field";
    EXPECT_EQ(s.tab1, "3");
    EXPECT_EQ(s.tab2, "7");

    // The next window opens with what was saved.
    saved = s;
    Open();
    EXPECT_TRUE(Control<QRadioButton>(res::HowFirst)->isChecked());
    EXPECT_TRUE(Control<QPushButton>(res::LayoutRegular)->isChecked());
    EXPECT_EQ(Control<QSpinBox>(res::Tab2)->value(), 7);

    Control<QPushButton>(res::PoetryCancel)->click();
    EXPECT_FALSE(dialog->SavedSettings()) << "Cancel stores nothing";
}

TEST_F(PoetryDialogTest, DamagedFilesAreSaidOnceAndInsertNothing)
{
    folder.Write("QIndex.dat", "\x02");
    Open();
    Control<QPushButton>(res::PoetryRandom)->click();
    Control<QPushButton>(res::PoetryInsert)->click();
    EXPECT_EQ(dialog->Result(), "");
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, "Cannot read the poems: " + folder.Path() + "/QIndex.dat");
    EXPECT_EQ(services.messages.shown[0].caption, "Kelmora");
    EXPECT_EQ(Viewer(), "");
}

TEST_F(PoetryDialogTest, PictureComesFromTheProgramFolderWhenThere)
{
    Open();
    EXPECT_TRUE(Control<QLabel>(res::PoetryPicture)->pixmap().isNull());
    ASSERT_TRUE(QFile::copy(QString::fromStdString(fakes::BuildProgramFolder() + "/Quvel.bmp"),
                            QString::fromStdString(folder.Path() + "/Quvel.bmp")));
    Open();
    const QPixmap shown = Control<QLabel>(res::PoetryPicture)->pixmap();
    EXPECT_EQ(shown.size(), QSize(92, 336));
    EXPECT_EQ(Control<QLabel>(res::PoetryPicture)->size(), QSize(92, 336)) << "shown at its real size";
    EXPECT_EQ(shown.toImage().convertToFormat(QImage::Format_RGB888), extras::DrawPoetryPicture())
        << "the build writes what the code draws";
}

TEST_F(PoetryDialogTest, CancelLeavesTheSelectedTextAndTheUndoSnapshotTaken)
{
    keymap::KeyMap map;
    ASSERT_TRUE(map.Load("main.kbd"));
    editctl::FixedGlyphMetrics metrics{10, 20};
    editctl::PersianEdit edit;
    edit.SetKeyMap(&map);
    edit.SetMetrics(&metrics);
    const std::string text = M("متن برگزیده");
    edit.Window().SetText(text);
    edit.Window().SetSel(0, 3);
    QTimer::singleShot(0, [] {
        auto* window = qobject_cast<PoetryDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        window->findChild<QPushButton*>(res::ObjectName(res::PoetryCancel))->click();
    });
    const extras::PoetryOutcome outcome =
        extras::RunPoetryDialog(nullptr, edit, converter, saved, random, services.messages, folder.Path(), {});
    EXPECT_EQ(outcome.inserted, "");
    EXPECT_FALSE(outcome.saved);
    EXPECT_EQ(edit.Window().GetText(), text);
    EXPECT_TRUE(edit.CanUndo());
}

} // namespace
