#pragma once

#include "controls/TColorBtn.h"

#include <cstdint>

// A skinned button whose faces are slices of one horizontal strip: normal, pressed, disabled.
class TBitmapBtn : public TColorBtn {
    Q_OBJECT
public:
    explicit TBitmapBtn(QWidget* parent = nullptr);

    const QImage& Faces() const { return Faces_; }
    void SetFaces(const QImage& faces);
    int NumFaces() const { return NumFaces_; }
    void SetNumFaces(int count);
    bool FocusRect() const { return FocusRect_; }
    void SetFocusRect(bool on);
    bool AutoShape() const { return AutoShape_; }
    void SetAutoShape(bool on);
    QColor TransColor() const { return TransColor_; }
    void SetTransColor(const QColor& color);
    int16_t TransTolerance() const { return TransTolerance_; }
    void SetTransTolerance(int16_t tolerance);

    // The slice drawn for the states; a null rectangle when the flat face is drawn instead.
    QRect SliceFor(States states) const;
    void SetBounds(int left, int top, int width, int height);

protected:
    virtual void DoRedrawButton();
    virtual void DoShapeButton();

    void DoDrawButtonFace(QPainter& canvas, States states) override;
    void DoDrawButtonText(QPainter& canvas, States states) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    int FaceWidth() const;

    QImage Faces_;
    int NumFaces_ = 2;
    bool FocusRect_ = true;
    bool AutoShape_ = false;
    QColor TransColor_{255, 0, 255};
    int16_t TransTolerance_ = 0;
};
