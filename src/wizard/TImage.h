#pragma once

#include <QImage>
#include <QWidget>

// An image control: draws its picture at the top left corner; with AutoSize the control takes
// the picture's size.
class TImage : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr);

    const QImage& Picture() const { return Picture_; }
    void SetPicture(const QImage& picture);
    bool AutoSize() const { return AutoSize_; }
    void SetAutoSize(bool on);

signals:
    // The mouse moved over the image, buttons as they are held.
    void MouseMove(Qt::MouseButtons buttons, QPoint pos);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    QImage Picture_;
    bool AutoSize_ = false;
};
