#include "wizard/TImage.h"

#include <QMouseEvent>
#include <QPainter>

TImage::TImage(QWidget* parent) : QWidget(parent) {}

void TImage::SetPicture(const QImage& picture) {
    Picture_ = picture;
    if (AutoSize_ && !Picture_.isNull())
        resize(Picture_.size());
    update();
}

void TImage::SetAutoSize(bool on) {
    AutoSize_ = on;
    if (AutoSize_ && !Picture_.isNull())
        resize(Picture_.size());
}

void TImage::paintEvent(QPaintEvent*) {
    if (Picture_.isNull())
        return;
    QPainter p(this);
    p.drawImage(0, 0, Picture_);
}

void TImage::mouseMoveEvent(QMouseEvent* e) {
    emit MouseMove(e->buttons(), e->position().toPoint());
}

void TImage::mousePressEvent(QMouseEvent* e) {
    // Moves with a button down are reported from the press on, as a held drag starts there.
    emit MouseMove(e->buttons(), e->position().toPoint());
}
