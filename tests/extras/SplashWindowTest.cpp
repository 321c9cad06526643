// The splash window: when it shows, what ends it, and that the key or click that ends it goes no
// further.
#include "extras/SplashWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimerEvent>
#include <QVBoxLayout>

namespace {

using extras::SplashWindow;

/// A main window with a text box, the application-wide splash filter installed, and the splash
/// flag restored afterwards.
struct SplashFixture : ::testing::Test {
    QWidget mainWindow;
    QLineEdit* editor = new QLineEdit(&mainWindow);
    QPushButton* button = new QPushButton("b", &mainWindow);
    extras::SplashEventFilter filter;
    int clicks = 0;

    SplashFixture()
    {
        auto* layout = new QVBoxLayout(&mainWindow);
        layout->addWidget(editor);
        layout->addWidget(button);
        QObject::connect(button, &QPushButton::clicked, [this] { ++clicks; });
        mainWindow.show();
        editor->setFocus();
        qApp->installEventFilter(&filter);
    }
    ~SplashFixture() override
    {
        if (SplashWindow::Current())
            SplashWindow::Current()->HideSplash();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        qApp->removeEventFilter(&filter);
        extras::EnableSplash(false);
    }
};

TEST_F(SplashFixture, DisabledSplashNeverShowsAndFilterPassesEverything)
{
    extras::EnableSplash(false);
    EXPECT_FALSE(extras::ShowSplash(&mainWindow));
    EXPECT_EQ(SplashWindow::Current(), nullptr);
    QTest::keyClick(editor, Qt::Key_A);
    EXPECT_EQ(editor->text(), "a");
}

TEST_F(SplashFixture, ShowsOnceWithThePictureAndTheTimer)
{
    extras::EnableSplash(true);
    ASSERT_TRUE(extras::ShowSplash(&mainWindow));
    SplashWindow* splash = SplashWindow::Current();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->size(), QSize(428, 252));
    EXPECT_NE(splash->TimerId(), 0);
    EXPECT_FALSE(extras::ShowSplash(&mainWindow)); // one at a time
    EXPECT_EQ(SplashWindow::Current(), splash);

    QTimerEvent tick(splash->TimerId());
    QCoreApplication::sendEvent(splash, &tick);
    EXPECT_EQ(SplashWindow::Current(), nullptr);
}

TEST_F(SplashFixture, KeyEndingTheSplashIsNotTypedAndTheNextKeyIs)
{
    extras::EnableSplash(true);
    ASSERT_TRUE(extras::ShowSplash(&mainWindow));
    QTest::keyClick(editor, Qt::Key_A);
    EXPECT_EQ(SplashWindow::Current(), nullptr);
    EXPECT_EQ(editor->text(), "");
    QTest::keyClick(editor, Qt::Key_B);
    EXPECT_EQ(editor->text(), "b");
}

TEST_F(SplashFixture, ClickEndingTheSplashDoesNothingElse)
{
    extras::EnableSplash(true);
    ASSERT_TRUE(extras::ShowSplash(&mainWindow));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(SplashWindow::Current(), nullptr);
    EXPECT_EQ(clicks, 0);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

TEST(SplashPicture, IsDrawnAtTheSizeOfTheWindow)
{
    const QPixmap picture = SplashWindow::DrawPicture();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(428, 252));
    // Not a blank rectangle: the title is drawn in a light colour on the dark ground.
    const QImage image = picture.toImage();
    int light = 0;
    for (int y = 60; y < 140; ++y)
        for (int x = 100; x < 330; ++x)
            light += qGray(image.pixel(x, y)) > 180;
    EXPECT_GT(light, 200);
}

} // namespace
