#include "controls/TTrifaceBtn.h"

#include "controls/ShapeRegion.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

TTrifaceBtn::TTrifaceBtn(QWidget* parent) : TColorBtn(parent) {
    setMouseTracking(true);
}

void TTrifaceBtn::SetFace(const QImage& face) {
    Face_ = face;
    if (Face_.isNull() && AutoShape_) {
        SetAutoShape(false);
        return;
    }
    DoShapeButton();
    DoRedrawButton();
}

void TTrifaceBtn::SetFaceOver(const QImage& face) {
    FaceOver_ = face;
    DoRedrawButton();
}

void TTrifaceBtn::SetFaceDown(const QImage& face) {
    FaceDown_ = face;
    DoRedrawButton();
}

void TTrifaceBtn::SetFaceDisable(const QImage& face) {
    FaceDisable_ = face;
    DoRedrawButton();
}

void TTrifaceBtn::SetAutoShape(bool on) {
    if (on && Face_.isNull())
        on = false;
    if (on == AutoShape_)
        return;
    AutoShape_ = on;
    DoShapeButton();
    if (AutoShape_ && FocusRect_)
        SetFocusRect(false);
    else
        DoRedrawButton();
}

void TTrifaceBtn::SetFocusRect(bool on) {
    if (on == FocusRect_)
        return;
    FocusRect_ = on;
    if (FocusRect_ && AutoShape_)
        SetAutoShape(false);
    else
        DoRedrawButton();
}

void TTrifaceBtn::SetTransColor(const QColor& color) {
    if (color == TransColor_)
        return;
    TransColor_ = color;
    DoShapeButton();
    DoRedrawButton();
}

void TTrifaceBtn::SetTransTolerance(int16_t tolerance) {
    if (tolerance == TransTolerance_)
        return;
    TransTolerance_ = tolerance;
    DoShapeButton();
    DoRedrawButton();
}

void TTrifaceBtn::SetShiftOnOver(bool on) {
    if (on == ShiftOnOver_)
        return;
    ShiftOnOver_ = on;
    DoRedrawButton();
}

void TTrifaceBtn::SetBounds(int left, int top, int width, int height) {
    if (AutoShape_ && !Face_.isNull()) {
        width = Face_.width();
        height = Face_.height();
    }
    setGeometry(left, top, width, height);
}

void TTrifaceBtn::resizeEvent(QResizeEvent* e) {
    TColorBtn::resizeEvent(e);
    // Layout from the settings may resize us; a shaped button keeps its face's size.
    if (AutoShape_ && !Face_.isNull() && size() != Face_.size())
        resize(Face_.size());
}

void TTrifaceBtn::DoRedrawButton() {
    // Through the parent, so its background around the shape is repainted too.
    if (QWidget* parent = parentWidget())
        parent->update(geometry());
    else
        update();
}

void TTrifaceBtn::DoShapeButton() {
    if (AutoShape_ && !Face_.isNull()) {
        SetBounds(x(), y(), width(), height());
        ApplyShape(*this, Face_, TransColor_, TransTolerance_);
    } else {
        clearMask();
    }
}

void TTrifaceBtn::DrawShiftFace(QImage& bitmap) {
    QImage before = bitmap.copy();
    QPainter p(&bitmap);
    p.setClipRegion(mask().isEmpty() ? QRegion(bitmap.rect()) : mask().translated(-1, -1));
    p.drawImage(-1, -1, before);
}

void TTrifaceBtn::DoDrawButtonFace(QPainter& canvas, States states) {
    QImage picture;
    if (!isEnabled() || (states & Disabled)) {
        picture = FaceDisable_;
    } else if (states & Pressed) {
        picture = FaceDown_;
    } else if (MouseInside_ && ShiftOnOver_) {
        const QImage& source = FaceOver_.isNull() ? Face_ : FaceOver_;
        if (!source.isNull()) {
            picture = source.copy();
            if (AutoShape_) {
                DrawShiftFace(picture);
            } else {
                QPainter p(&picture);
                p.drawImage(-1, -1, source);
            }
        }
    } else if (MouseInside_) {
        picture = FaceOver_;
    } else {
        picture = Face_;
    }
    if (picture.isNull()) {
        if (Face_.isNull()) {
            TColorBtn::DoDrawButtonFace(canvas, states);
            return;
        }
        picture = Face_;
    }
    canvas.drawImage(rect(), picture);

    if (FocusRect_ && ((states & Focused) || DefaultStyle())) {
        const int l = 0, t = 0, r = width(), b = height();
        canvas.setPen(WindowFrame);
        canvas.drawPolyline(QPolygon({QPoint(l, t + 6), QPoint(l, t), QPoint(l + 6, t)}));
        canvas.drawPolyline(QPolygon({QPoint(r - 7, t), QPoint(r - 1, t), QPoint(r - 1, t + 6)}));
        canvas.drawPolyline(QPolygon({QPoint(l, b - 7), QPoint(l, b - 1), QPoint(l + 6, b - 1)}));
        canvas.drawPolyline(
            QPolygon({QPoint(r - 7, b - 1), QPoint(r - 1, b - 1), QPoint(r - 1, b - 7)}));
    }
}

void TTrifaceBtn::DoDrawButtonText(QPainter& canvas, States states) {
    if (text().isEmpty())
        return;
    States copy = states;
    if (!Face_.isNull())
        copy &= ~Focused;
    bool lifted = MouseInside_ && ShiftOnOver_ && isEnabled() && !(states & (Disabled | Pressed));
    if (!lifted) {
        TColorBtn::DoDrawButtonText(canvas, copy);
        return;
    }
    canvas.setFont(font());
    canvas.setPen(palette().color(QPalette::ButtonText));
    canvas.drawText(TextRect().translated(-1, -1), Qt::AlignCenter | Qt::TextSingleLine, text());
    if (states & Focused)
        DrawFocusRect(canvas);
}

void TTrifaceBtn::UpdateInside(bool inside) {
    if (inside == MouseInside_)
        return;
    MouseInside_ = inside;
    DoRedrawButton();
}

void TTrifaceBtn::enterEvent(QEnterEvent* e) {
    TColorBtn::enterEvent(e);
    TrackingLeave_ = true;
    UpdateInside(rect().contains(e->position().toPoint()));
}

void TTrifaceBtn::mouseMoveEvent(QMouseEvent* e) {
    TColorBtn::mouseMoveEvent(e);
    TrackingLeave_ = true;
    UpdateInside(rect().contains(e->position().toPoint()));
}

void TTrifaceBtn::leaveEvent(QEvent* e) {
    TColorBtn::leaveEvent(e);
    TrackingLeave_ = false;
    UpdateInside(false);
}
