#include "controls/TEllipsisLabel.h"

#include <QPainter>

TEllipsisLabel::TEllipsisLabel(QWidget* parent) : QLabel(parent) {}

void TEllipsisLabel::SetEllipsisEnd(bool on) {
    if (on == EllipsisEnd_)
        return;
    EllipsisEnd_ = on;
    update();
}

void TEllipsisLabel::SetEllipsisWord(bool on) {
    if (on == EllipsisWord_)
        return;
    EllipsisWord_ = on;
    update();
}

void TEllipsisLabel::SetEllipsisPath(bool on) {
    if (on == EllipsisPath_)
        return;
    EllipsisPath_ = on;
    update();
}

QString TEllipsisLabel::DisplayText(int width) const {
    const QString caption = text();
    QFontMetrics fm(font());
    if (fm.horizontalAdvance(caption) <= width)
        return caption;
    const QString dots = QStringLiteral("...");
    if (EllipsisPath_) {
        // Keep the last part of the path whole; shorten what leads to it.
        qsizetype cut = std::max(caption.lastIndexOf('/'), caption.lastIndexOf('\\'));
        if (cut >= 0) {
            QString tail = caption.mid(cut);
            int room = width - fm.horizontalAdvance(tail) - fm.horizontalAdvance(dots);
            QString head = caption.left(cut);
            while (!head.isEmpty() && fm.horizontalAdvance(head) > room)
                head.chop(1);
            if (room > 0)
                return head + dots + tail;
        }
    }
    if (EllipsisWord_ && !EllipsisEnd_) {
        QString head = caption;
        while (!head.isEmpty() && fm.horizontalAdvance(head + dots) > width) {
            qsizetype space = head.lastIndexOf(' ');
            head = space > 0 ? head.left(space) : QString();
        }
        if (!head.isEmpty())
            return head + dots;
    }
    if (EllipsisEnd_ || EllipsisWord_ || EllipsisPath_) {
        QString head = caption;
        while (!head.isEmpty() && fm.horizontalAdvance(head + dots) > width)
            head.chop(1);
        return head + dots;
    }
    return caption;
}

void TEllipsisLabel::paintEvent(QPaintEvent* e) {
    if (!(EllipsisEnd_ || EllipsisWord_ || EllipsisPath_)) {
        QLabel::paintEvent(e);
        return;
    }
    QPainter p(this);
    QRect r = contentsRect();
    p.setPen(palette().color(foregroundRole()));
    p.drawText(r, int(alignment()) | Qt::TextSingleLine, DisplayText(r.width()));
}
