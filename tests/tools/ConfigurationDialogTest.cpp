// The configuration dialog: what it shows, what typing into a number field does, what each way of
// closing writes.
#include "tools/ConfigurationDialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <tuple>
#include <vector>

namespace {

using tools::ConfigurationDialog;

/// The values a dialog shows, and what its Save hands back.
struct Settings {
    tools::ConfigurationValues stored;
    std::vector<tools::ConfigurationValues> written;
    int reads = 0;

    Settings()
    {
        stored.tab = "3";
        stored.maxChars = "79";
        stored.left = "0";
        stored.right = "3";
        stored.ignoranceWidth = "10";
        stored.justifyIgnoranceWidth = "50";
        stored.splashScreen = stored.dosMode = stored.saveHeader = stored.saveOnExit = true;
        stored.saveWindowOnExit = stored.startWithLastDocument = true;
    }
    std::unique_ptr<ConfigurationDialog> Dialog()
    {
        return std::make_unique<ConfigurationDialog>(
            [this] {
                ++reads;
                return stored;
            },
            [this](const tools::ConfigurationValues& v) { written.push_back(v); });
    }
};

/// Runs `action` once the dialog's modal loop shows it.
void WhenShown(QDialog& dialog, std::function<void()> action)
{
    QTimer::singleShot(0, &dialog, [&dialog, action] {
        if (dialog.isVisible())
            action();
    });
}

TEST(ConfigurationDialogTest, ValuesAreShownInTheirPlaces)
{
    Settings settings;
    settings.stored.left = "17";
    settings.stored.dosMode = false;
    settings.stored.resembleOnLoad = true;
    auto owner = settings.Dialog();
    ConfigurationDialog& dialog = *owner;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Configuration");
    EXPECT_EQ(dialog.objectName(), "id147");
    EXPECT_EQ(dialog.NumberField(1015)->text(), "3");
    EXPECT_EQ(dialog.NumberField(1019)->text(), "79");
    EXPECT_EQ(dialog.NumberField(1022)->text(), "17");
    EXPECT_EQ(dialog.NumberField(1023)->text(), "3");
    EXPECT_EQ(dialog.NumberField(1027)->text(), "10");
    EXPECT_EQ(dialog.NumberField(1029)->text(), "50");
    for (int id : {1030, 1024, 1018})
        EXPECT_FALSE(dialog.CheckBox(id)->isChecked()) << id;
    for (int id : {1025, 1028, 1020, 1021, 1026, 1031})
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
    Settings settings;
    auto dialog = settings.Dialog();
    dialog->show();
    QLineEdit* right = dialog->NumberField(1023);
    right->clear();
    QTest::keyClicks(right, "1234");
    EXPECT_EQ(right->text(), "123");
    right->clear();
    QTest::keyClicks(right, "4x-5 ");
    EXPECT_EQ(right->text(), "45");
}

TEST(ConfigurationDialogTest, SaveHandsOverTheEditedValuesOnceAndClosesWithCancel)
{
    Settings settings;
    auto owner = settings.Dialog();
    ConfigurationDialog& dialog = *owner;
    WhenShown(dialog, [&] {
        dialog.NumberField(1023)->setText("7");
        dialog.NumberField(1029)->clear();
        dialog.CheckBox(1030)->setChecked(true);
        dialog.CheckBox(1028)->setChecked(false);
        dialog.SaveButton()->click();
    });
    EXPECT_EQ(dialog.Run(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    ASSERT_EQ(settings.written.size(), 1u);
    tools::ConfigurationValues expected = settings.stored;
    expected.right = "7";
    expected.justifyIgnoranceWidth = "";
    expected.indentOnResemble = true;
    expected.splashScreen = false;
    const tools::ConfigurationValues& saved = settings.written[0];
    EXPECT_EQ(std::tie(saved.tab, saved.maxChars, saved.left, saved.right, saved.ignoranceWidth,
                       saved.justifyIgnoranceWidth),
              std::tie(expected.tab, expected.maxChars, expected.left, expected.right, expected.ignoranceWidth,
                       expected.justifyIgnoranceWidth));
    EXPECT_EQ(std::tie(saved.splashScreen, saved.dosMode, saved.saveOnExit, saved.saveHeader, saved.resembleOnLoad,
                       saved.justifyOnResemble, saved.indentOnResemble, saved.saveWindowOnExit,
                       saved.startWithLastDocument),
              std::tie(expected.splashScreen, expected.dosMode, expected.saveOnExit, expected.saveHeader,
                       expected.resembleOnLoad, expected.justifyOnResemble, expected.indentOnResemble,
                       expected.saveWindowOnExit, expected.startWithLastDocument));
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
        Settings settings;
        settings.stored.tab = "5";
        auto owner = settings.Dialog();
        ConfigurationDialog& dialog = *owner;
        WhenShown(dialog, [&] {
            EXPECT_EQ(dialog.NumberField(1015)->text(), "5") << c.name;
            dialog.NumberField(1015)->setText("9");
            dialog.CheckBox(1018)->setChecked(false);
            c.close(dialog);
        });
        dialog.Run();
        EXPECT_FALSE(dialog.isVisible()) << c.name;
        EXPECT_TRUE(settings.written.empty()) << c.name;
    }
}

TEST(ConfigurationDialogTest, EveryShowingReadsTheValuesAgain)
{
    Settings settings;
    auto owner = settings.Dialog();
    ConfigurationDialog& dialog = *owner;
    WhenShown(dialog, [&] {
        dialog.NumberField(1019)->setText("12");
        dialog.CancelButton()->click();
    });
    dialog.Run();
    settings.stored.maxChars = "60";
    WhenShown(dialog, [&] {
        EXPECT_EQ(dialog.NumberField(1019)->text(), "60");
        dialog.CancelButton()->click();
    });
    dialog.Run();
    EXPECT_EQ(settings.reads, 2);
}

} // namespace
