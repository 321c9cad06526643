// The Help menu in the main window: the About box and the Help page open without a parent, show
// their content and give the editor the focus back when they close.
#include "tests/app/MainFrameFixture.h"

#include "app/DialogBar.h"
#include "app/EditorView.h"
#include "extras/AboutKelmoraDialog.h"
#include "extras/HelpPageDialog.h"
#include "res/ExtrasIds.h"
#include "res/ResourceIds.h"
#include "tests/fakes/ModalAnswer.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <functional>

namespace apptest {
namespace {

using app::CMainFrame;

class HelpCommandsTest : public MainFrameTest {
protected:
    CMainFrame& Open()
    {
        InstallMainKeymapAfterFirstRun();
        CMainFrame& window = CreateFrame();
        window.show();
        return window;
    }

    /// Runs `id`; `use` gets the modal window it shows, of type T, and closes it with its OK button.
    template <typename T>
    void WhenShown(int id, std::function<void(T&)> use)
    {
        fakes::ModalAnswer<T> answer([&use](T& window) {
            EXPECT_EQ(window.parentWidget(), nullptr) << "shown without a parent";
            use(window);
            window.template findChild<QPushButton*>(res::ObjectName(res::OkButton))->click();
        });
        frame->RunCommand(id);
        EXPECT_TRUE(answer.Shown()) << id;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(frame->focusWidget(), frame->View().EditWidget());
    }
};

TEST_F(HelpCommandsTest, AboutShowsThePictureOfTheProgramFolderAndTheVersion)
{
    const std::string picture = fakes::BuildProgramFolder() + "/" + extras::AboutKelmoraDialog::PictureFile;
    ASSERT_TRUE(QFile::copy(QString::fromStdString(picture),
                            QString::fromStdString(folder.Path() + "/" + extras::AboutKelmoraDialog::PictureFile)));
    Open();
    frame->Bar().SizeBox()->setFocus();
    WhenShown<extras::AboutKelmoraDialog>(res::AppAbout, [](extras::AboutKelmoraDialog& box) {
        EXPECT_EQ(box.windowTitle(), "About Kelmora");
        EXPECT_FALSE(box.findChild<QLabel*>(res::ObjectName(res::AboutPicture))->pixmap().isNull());
        QStringList texts;
        for (const QLabel* label : box.findChildren<QLabel*>())
            texts << label->text();
        EXPECT_TRUE(texts.contains("Kelmora Version 1.0")) << texts.join('|').toStdString();
    });

    // Without the picture the box still opens, its frame empty.
    QFile::remove(QString::fromStdString(folder.Path() + "/" + extras::AboutKelmoraDialog::PictureFile));
    WhenShown<extras::AboutKelmoraDialog>(res::AppAbout, [](extras::AboutKelmoraDialog& box) {
        EXPECT_TRUE(box.findChild<QLabel*>(res::ObjectName(res::AboutPicture))->pixmap().isNull());
    });
    EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(HelpCommandsTest, ShortcutKeysListsTheEditorsKeys)
{
    Open();
    frame->Bar().SizeBox()->setFocus();
    WhenShown<extras::HelpPageDialog>(res::ShortcutKeys, [](extras::HelpPageDialog& page) {
        EXPECT_EQ(page.windowTitle(), "Help page");
        ASSERT_EQ(page.List()->count(), 54);
        EXPECT_EQ(page.List()->item(38)->text(), "Ctrl+1        Show Quvel dialog");
        EXPECT_EQ(page.List()->item(39)->text(), "Ctrl+Q        Insert a random poem");
    });
}

} // namespace
} // namespace apptest
