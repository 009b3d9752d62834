#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace platform {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// "Text File(*.txt)|*.txt" pairs become Qt's "Text File(*.txt) (*.txt)" lines.
QString QtFilter(const std::string& filter) {
    QStringList parts = Q(filter).split('|');
    QStringList lines;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        lines << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    return lines.join(";;");
}

} // namespace

MsgResult QtDialogs::MessageBox(const std::string& title, const std::string& text,
                                MsgButtons buttons, MsgIcon icon) {
    QMessageBox box(icon == MsgIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
                    Q(title), Q(text),
                    buttons == MsgButtons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                 : QMessageBox::Ok,
                    QApplication::activeWindow());
    int answer = box.exec();
    if (buttons == MsgButtons::YesNo)
        return answer == QMessageBox::No ? MsgResult::No : MsgResult::Yes;
    return MsgResult::Ok;
}

void QtDialogs::ShowError(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, Q(title_), Q(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool QtDialogs::SaveDialog(const std::string& defaultExt, const std::string& filter,
                           std::string& fileName) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QtFilter(filter));
    dialog.setDefaultSuffix(Q(defaultExt));
    if (!fileName.empty())
        dialog.selectFile(Q(fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    fileName = dialog.selectedFiles().front().toStdString();
    return true;
}

bool QtDialogs::PrintDialog(const std::vector<PrintLine>& lines) {
    QPrinter printer;
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return PrintLines(printer, lines);
}

bool QtDialogs::PrintLines(QPagedPaintDevice& device, const std::vector<PrintLine>& lines) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    QFont font = painter.font();
    font.setPointSize(10);
    painter.setFont(font);
    const QFontMetrics metrics(font, &device);
    int y = 100;
    for (const PrintLine& line : lines) {
        painter.drawText(line.X, y + metrics.ascent(), Q(line.Text));
        y += metrics.height();
    }
    return painter.end();
}

} // namespace platform
