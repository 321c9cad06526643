// The configuration dialog: what it shows, what typing into a number field does, what each way of
// closing writes.
#include "tools/ConfigurationDialog.h"

#include "platform/MemorySettingsStore.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

using tools::ConfigurationDialog;

/// Runs `action` once the dialog's modal loop shows it.
void WhenShown(QDialog& dialog, std::function<void()> action)
{
    QTimer::singleShot(0, &dialog, [&dialog, action] {
        if (dialog.isVisible())
            action();
    });
}

TEST(ConfigurationDialogTest, EmptyStoreShowsTheDefaultsInTheirPlaces)
{
    platform::MemorySettingsStore store;
    ConfigurationDialog dialog(store);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Configuration");
    EXPECT_EQ(dialog.objectName(), "id147");
    EXPECT_EQ(dialog.NumberField(1015)->text(), "3");
    EXPECT_EQ(dialog.NumberField(1019)->text(), "79");
    EXPECT_EQ(dialog.NumberField(1022)->text(), "0");
    EXPECT_EQ(dialog.NumberField(1023)->text(), "3");
    EXPECT_EQ(dialog.NumberField(1027)->text(), "10");
    EXPECT_EQ(dialog.NumberField(1029)->text(), "50");
    for (int id : {1030, 1024, 1025})
        EXPECT_FALSE(dialog.CheckBox(id)->isChecked()) << id;
    for (int id : {1028, 1018, 1020, 1021, 1026, 1031})
        EXPECT_TRUE(dialog.CheckBox(id)->isChecked()) << id;
    EXPECT_EQ(dialog.CheckBox(1018)->text(), "Enable dos mod (in load,save and wraping)");
    EXPECT_EQ(dialog.SaveButton()->text(), "&Save");
    EXPECT_TRUE(dialog.SaveButton()->isDefault());
    EXPECT_EQ(dialog.CancelButton()->text(), "&Cancel");

    const QGroupBox* group = dialog.findChild<QGroupBox*>();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), "Resembel Options : ");
    for (const auto& field : tools::ConfigurationFields()) {
        const QWidget* control = dialog.findChild<QWidget*>(QStringLiteral("id%1").arg(field.id));
        ASSERT_NE(control, nullptr) << field.id;
        EXPECT_EQ(group->isAncestorOf(control), field.inResembleGroup) << field.id;
    }
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    for (const char* text : {"Tab    :", "Max   :", "Characters in dos mod (80)", "Left :", "Right :",
                             "Resmble Ignorance width :", "Justify Ignorance width :", "% of total width ."})
        EXPECT_TRUE(labels.contains(text)) << text;
}

TEST(ConfigurationDialogTest, NumberFieldsRefuseAFourthDigitAndLetters)
{
    platform::MemorySettingsStore store;
    ConfigurationDialog dialog(store);
    dialog.show();
    QLineEdit* right = dialog.NumberField(1023);
    right->clear();
    QTest::keyClicks(right, "1234");
    EXPECT_EQ(right->text(), "123");
    right->clear();
    QTest::keyClicks(right, "4x-5 ");
    EXPECT_EQ(right->text(), "45");
}

TEST(ConfigurationDialogTest, SaveCreatesAllFifteenKeysAndClosesWithCancel)
{
    platform::MemorySettingsStore store;
    ConfigurationDialog dialog(store);
    WhenShown(dialog, [&] {
        dialog.NumberField(1023)->setText("7");
        dialog.CheckBox(1030)->setChecked(true);
        dialog.SaveButton()->click();
    });
    EXPECT_EQ(dialog.Run(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(store.Values().size(), 15u);
    EXPECT_EQ(store.ReadString("Settings", "RIGHT", ""), "7");
    EXPECT_EQ(store.ReadString("Settings", "Left", ""), "0");
    EXPECT_EQ(store.ReadInt("Settings", "IdentOnResemble", 0), 1);
    EXPECT_EQ(store.ReadInt("Settings", "StartWithMRD", 0), 1);
}

TEST(ConfigurationDialogTest, CancelAndEscWriteNothing)
{
    struct Case {
        const char* name;
        std::function<void(ConfigurationDialog&)> close;
    };
    const Case cases[] = {
        {"Cancel", [](ConfigurationDialog& d) { d.CancelButton()->click(); }},
        {"Esc", [](ConfigurationDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
    };
    for (const Case& c : cases) {
        platform::MemorySettingsStore store;
        store.WriteString("Settings", "Tab", "5");
        const auto before = store.Values();
        ConfigurationDialog dialog(store);
        WhenShown(dialog, [&] {
            EXPECT_EQ(dialog.NumberField(1015)->text(), "5") << c.name;
            dialog.NumberField(1015)->setText("9");
            dialog.CheckBox(1018)->setChecked(false);
            c.close(dialog);
        });
        dialog.Run();
        EXPECT_FALSE(dialog.isVisible()) << c.name;
        EXPECT_EQ(store.Values(), before) << c.name;
    }
}

TEST(ConfigurationDialogTest, EveryShowingReadsTheStoreAgain)
{
    platform::MemorySettingsStore store;
    ConfigurationDialog dialog(store);
    WhenShown(dialog, [&] {
        dialog.NumberField(1019)->setText("12");
        dialog.CancelButton()->click();
    });
    dialog.Run();
    store.WriteString("Settings", "MaxChar", "60");
    WhenShown(dialog, [&] {
        EXPECT_EQ(dialog.NumberField(1019)->text(), "60");
        dialog.CancelButton()->click();
    });
    dialog.Run();
}

} // namespace
