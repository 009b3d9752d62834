#pragma once

#include "controls/TColorBtn.h"

#include <cstdint>

// The skinned button of every page and of the launcher: one picture per state, its window cut to
// the opaque shape of the normal face. Shaping errors are thrown from the setter that shaped.
class TTrifaceBtn : public TColorBtn {
    Q_OBJECT
public:
    explicit TTrifaceBtn(QWidget* parent = nullptr);

    const QImage& Face() const { return Face_; }
    void SetFace(const QImage& face);
    const QImage& FaceOver() const { return FaceOver_; }
    void SetFaceOver(const QImage& face);
    const QImage& FaceDown() const { return FaceDown_; }
    void SetFaceDown(const QImage& face);
    const QImage& FaceDisable() const { return FaceDisable_; }
    void SetFaceDisable(const QImage& face);
    bool FocusRect() const { return FocusRect_; }
    void SetFocusRect(bool on);
    bool AutoShape() const { return AutoShape_; }
    void SetAutoShape(bool on);
    QColor TransColor() const { return TransColor_; }
    void SetTransColor(const QColor& color);
    int16_t TransTolerance() const { return TransTolerance_; }
    void SetTransTolerance(int16_t tolerance);
    bool ShiftOnOver() const { return ShiftOnOver_; }
    void SetShiftOnOver(bool on);

    bool MouseInside() const { return MouseInside_; }
    // With AutoShape the size always follows Face.
    void SetBounds(int left, int top, int width, int height);

protected:
    virtual void DoRedrawButton();
    virtual void DoShapeButton();
    // Moves the shaped face one pixel up and left inside the window's shape.
    virtual void DrawShiftFace(QImage& bitmap);

    void DoDrawButtonFace(QPainter& canvas, States states) override;
    void DoDrawButtonText(QPainter& canvas, States states) override;

    void enterEvent(QEnterEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void UpdateInside(bool inside);

    QImage Face_;
    QImage FaceOver_;
    QImage FaceDown_;
    QImage FaceDisable_;
    bool FocusRect_ = true;
    bool AutoShape_ = false;
    QColor TransColor_{255, 0, 255};
    int16_t TransTolerance_ = 0;
    bool ShiftOnOver_ = false;
    bool MouseInside_ = false;
    bool TrackingLeave_ = false;
};
