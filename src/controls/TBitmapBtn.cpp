#include "controls/TBitmapBtn.h"

#include "controls/ShapeRegion.h"

#include <QPainter>

TBitmapBtn::TBitmapBtn(QWidget* parent) : TColorBtn(parent) {}

int TBitmapBtn::FaceWidth() const {
    return NumFaces_ >= 1 ? Faces_.width() / NumFaces_ : 0;
}

void TBitmapBtn::SetFaces(const QImage& faces) {
    Faces_ = faces;
    if (Faces_.isNull() && AutoShape_) {
        SetAutoShape(false);
        return;
    }
    DoShapeButton();
    DoRedrawButton();
}

void TBitmapBtn::SetNumFaces(int count) {
    if (count == NumFaces_)
        return;
    NumFaces_ = count;
    DoShapeButton();
    DoRedrawButton();
}

void TBitmapBtn::SetFocusRect(bool on) {
    if (on == FocusRect_)
        return;
    FocusRect_ = on;
    DoRedrawButton();
}

void TBitmapBtn::SetAutoShape(bool on) {
    if (on && Faces_.isNull())
        on = false;
    if (on == AutoShape_)
        return;
    AutoShape_ = on;
    DoShapeButton();
    DoRedrawButton();
}

void TBitmapBtn::SetTransColor(const QColor& color) {
    if (color == TransColor_)
        return;
    TransColor_ = color;
    DoShapeButton();
    DoRedrawButton();
}

void TBitmapBtn::SetTransTolerance(int16_t tolerance) {
    if (tolerance == TransTolerance_)
        return;
    TransTolerance_ = tolerance;
    DoShapeButton();
    DoRedrawButton();
}

void TBitmapBtn::SetBounds(int left, int top, int width, int height) {
    if (AutoShape_ && !Faces_.isNull() && FaceWidth() > 0) {
        width = FaceWidth();
        height = Faces_.height();
    }
    setGeometry(left, top, width, height);
}

void TBitmapBtn::resizeEvent(QResizeEvent* e) {
    TColorBtn::resizeEvent(e);
    QSize face(FaceWidth(), Faces_.height());
    if (AutoShape_ && !Faces_.isNull() && face.width() > 0 && size() != face)
        resize(face);
}

void TBitmapBtn::DoRedrawButton() {
    if (QWidget* parent = parentWidget())
        parent->update(geometry());
    else
        update();
}

void TBitmapBtn::DoShapeButton() {
    if (AutoShape_ && !Faces_.isNull() && FaceWidth() > 0) {
        SetBounds(x(), y(), width(), height());
        ApplyShape(*this, Faces_.copy(0, 0, FaceWidth(), Faces_.height()), TransColor_,
                   TransTolerance_);
    } else {
        clearMask();
    }
}

QRect TBitmapBtn::SliceFor(States states) const {
    if (Faces_.isNull() || NumFaces_ < 1)
        return QRect();
    const int w = Faces_.width(), h = Faces_.height(), fw = FaceWidth();
    const bool disabled = (states & Disabled) || !isEnabled();
    const bool pressed = states & Pressed;
    switch (NumFaces_) {
    case 1:
        return QRect(0, 0, w, h);
    case 2:
        return pressed && !disabled ? QRect(fw, 0, w - fw, h) : QRect(0, 0, fw, h);
    case 3:
        if (disabled)
            return QRect(2 * w / 3, 0, w - 2 * w / 3, h);
        if (pressed)
            return QRect(w / 3, 0, 2 * w / 3 - w / 3, h);
        return QRect(0, 0, fw, h);
    default:
        // More than three faces have no pressed or disabled slice: the normal one stays.
        return QRect(0, 0, fw, h);
    }
}

void TBitmapBtn::DoDrawButtonFace(QPainter& canvas, States states) {
    QRect slice = SliceFor(states);
    if (slice.isNull() || slice.isEmpty()) {
        TColorBtn::DoDrawButtonFace(canvas, states);
        return;
    }
    canvas.drawImage(rect(), Faces_, slice);
}

void TBitmapBtn::DoDrawButtonText(QPainter& canvas, States states) {
    if (!FocusRect_)
        states &= ~Focused;
    TColorBtn::DoDrawButtonText(canvas, states);
}
