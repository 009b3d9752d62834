#include "platform/qt/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
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

// The printout is drawn line by line, headings and details at their own left edges; a PDF
// stands in for the printer and pdftotext reads it back.
TEST(QtDialogs, PrintLinesTopDownAtTheirLeftEdges) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath("print.pdf");
    {
        QPdfWriter writer(pdf);
        writer.setResolution(300);
        const std::vector<platform::PrintLine> lines{{100, "Network Settings"},
                                                     {200, "IP Address: 192.168.1.254"},
                                                     {100, "Wireless Settings"},
                                                     {200, "SSID: wireless"}};
        ASSERT_TRUE(platform::QtDialogs::PrintLines(writer, lines));
    }
    const QString txt = dir.filePath("print.txt");
    const std::string cmd =
        "pdftotext -layout '" + pdf.toStdString() + "' '" + txt.toStdString() + "' 2>/dev/null";
    if (std::system(cmd.c_str()) != 0)
        GTEST_SKIP() << "pdftotext is not installed";
    QFile file(txt);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList rows;
    for (const QString& row : QString::fromUtf8(file.readAll()).split('\n'))
        if (!row.trimmed().isEmpty())
            rows << row;
    ASSERT_EQ(rows.size(), 4) << rows.join('|').toStdString();
    EXPECT_EQ(rows[0].trimmed(), "Network Settings");
    EXPECT_EQ(rows[1].trimmed(), "IP Address: 192.168.1.254");
    EXPECT_EQ(rows[3].trimmed(), "SSID: wireless");
    auto indent = [](const QString& row) { return row.size() - row.trimmed().size(); };
    EXPECT_GT(indent(rows[1]), indent(rows[0])); // details stand right of their heading
    EXPECT_EQ(indent(rows[0]), indent(rows[2]));
}
