#include "controls/TKVImage.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

TKVImage::TKVImage(QWidget* parent) : QWidget(parent) {}

void TKVImage::SetImageList(const std::vector<QImage>* list) {
    ImageList_ = list;
    SetImageIndex(0);
}

const QImage* TKVImage::Image(int index) const {
    return index >= 0 && index < ImageCount ? Images_[index] : nullptr;
}

void TKVImage::SetImage(int index, const QImage* image) {
    if (index < 0 || index >= ImageCount)
        return;
    Images_[index] = image;
    if (index != 0)
        return;
    if (image) {
        Picture_ = *image;
        update();
    }
    SetImageIndex(0);
}

void TKVImage::SetImageIndex(int index) {
    if (ImageSource_ == Source::ImageList) {
        if (!ImageList_ || index < 0 || index >= int(ImageList_->size()))
            return;
        ImageIndex_ = index;
        Picture_ = (*ImageList_)[index];
    } else {
        const QImage* source = Image(index);
        if (!source)
            return;
        ImageIndex_ = index;
        Picture_ = *source;
    }
    update();
}

void TKVImage::Loaded() {
    if (ImageSource_ != Source::Images)
        return;
    if (const QImage* source = Image(ImageIndex_)) {
        Picture_ = *source;
        update();
    }
}

void TKVImage::paintEvent(QPaintEvent*) {
    if (Picture_.isNull())
        return;
    QPainter p(this);
    p.drawImage(0, 0, Picture_);
}

void TKVImage::enterEvent(QEnterEvent* e) {
    QWidget::enterEvent(e);
    Inside_ = true;
    if (!isEnabled())
        return;
    if (MouseOverEffect_)
        SetImageIndex(1);
    emit OnMouseEnter();
}

void TKVImage::leaveEvent(QEvent* e) {
    QWidget::leaveEvent(e);
    Inside_ = false;
    if (!isEnabled())
        return;
    if (MouseOverEffect_)
        SetImageIndex(0);
    emit OnMouseLeave();
}

void TKVImage::mousePressEvent(QMouseEvent* e) {
    QWidget::mousePressEvent(e);
    if (ImageStyle_ == Style::PushButton) {
        SetImageIndex(1);
    } else if (ImageStyle_ == Style::TabButton) {
        SetImageIndex(1);
        // Tab buttons of one tag under the same grandparent form a group.
        QWidget* grandparent = parentWidget() ? parentWidget()->parentWidget() : nullptr;
        if (grandparent)
            for (TKVImage* other : grandparent->findChildren<TKVImage*>())
                if (other != this && other->ImageStyle_ == Style::TabButton && other->Tag_ == Tag_)
                    other->SetImageIndex(0);
    }
}

void TKVImage::mouseReleaseEvent(QMouseEvent* e) {
    QWidget::mouseReleaseEvent(e);
    if (ImageStyle_ == Style::PushButton)
        SetImageIndex(0);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit Clicked();
}

void TKVImage::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() != QEvent::EnabledChange)
        return;
    if (isEnabled()) {
        SetImageIndex(MouseOverEffect_ && Inside_ ? 1 : 0);
        update();
    } else {
        SetImageIndex(3);
    }
}
