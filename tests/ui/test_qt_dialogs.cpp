#include "platform/qt/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Looks at the box once it is up, then presses `press` on it.
void AnswerNextBox(SeenBox& seen, QMessageBox::StandardButton press) {
    QTimer::singleShot(0, [&seen, press] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible())
                continue;
            seen = SeenBox{box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
            box->button(press)->click();
            return;
        }
        ADD_FAILURE() << "no message box up";
    });
}

TEST(QtDialogs, ButtonsIconsAndAnswers) {
    platform::QtDialogs dialogs;
    dialogs.SetTitle("Setup");
    SeenBox seen;

    AnswerNextBox(seen, QMessageBox::No);
    EXPECT_EQ(dialogs.MessageBox("T", "Do you want to exit the Setup Wizard?",
                                 platform::MsgButtons::YesNo, platform::MsgIcon::None),
              platform::MsgResult::No);
    EXPECT_EQ(seen.title.toStdString(), "T");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);

    AnswerNextBox(seen, QMessageBox::Yes);
    EXPECT_EQ(dialogs.MessageBox("T", "q", platform::MsgButtons::YesNo, platform::MsgIcon::None),
              platform::MsgResult::Yes);

    AnswerNextBox(seen, QMessageBox::Ok);
    EXPECT_EQ(dialogs.MessageBox("T", "Unable to login the deivce.", platform::MsgButtons::Ok,
                                 platform::MsgIcon::Information),
              platform::MsgResult::Ok);
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(seen.text.toStdString(), "Unable to login the deivce.");

    AnswerNextBox(seen, QMessageBox::Ok);
    dialogs.ShowError("Failed to create region.");
    EXPECT_EQ(seen.title.toStdString(), "Setup");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.text.toStdString(), "Failed to create region.");
}

} // namespace
