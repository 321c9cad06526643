#include "platform/QtMessageService.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

TEST(QtMessageServiceTest, RetryCancelBoxDefaultsToCancelAndAnswersTheButtonPressed)
{
    platform::QtMessageService service;
    for (const QMessageBox::StandardButton press : {QMessageBox::Retry, QMessageBox::Cancel}) {
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QString text;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            defaultButton = box->standardButton(box->defaultButton());
            text = box->text();
            box->button(press)->click();
        });
        const MessageAnswer answer = service.Show("Passed the end the file", "Kelmora", MessageButtons::RetryCancel,
                                                  MessageIcon::Information);
        EXPECT_EQ(defaultButton, QMessageBox::Cancel);
        EXPECT_EQ(text, "Passed the end the file");
        EXPECT_EQ(answer, press == QMessageBox::Retry ? MessageAnswer::Retry : MessageAnswer::Cancel);
    }
}
