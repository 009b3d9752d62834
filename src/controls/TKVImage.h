#pragma once

#include <QImage>
#include <QWidget>

#include <array>
#include <vector>

// An image that acts as a button: picture 0 normal, 1 mouse over or pressed, 3 disabled, taken
// from an image list or from other pictures it refers to (the skin's slots).
class TKVImage : public QWidget {
    Q_OBJECT
public:
    enum class Style { Button, PushButton, TabButton };
    enum class Source { ImageList, Images };
    static constexpr int ImageCount = 8;

    explicit TKVImage(QWidget* parent = nullptr);

    const std::vector<QImage>* ImageList() const { return ImageList_; }
    void SetImageList(const std::vector<QImage>* list);
    int ImageIndex() const { return ImageIndex_; }
    void SetImageIndex(int index);
    Style ImageStyle() const { return ImageStyle_; }
    void SetImageStyle(Style style) { ImageStyle_ = style; }
    Source ImageSource() const { return ImageSource_; }
    void SetImageSource(Source source) { ImageSource_ = source; }
    bool MouseOverEffect() const { return MouseOverEffect_; }
    void SetMouseOverEffect(bool on) { MouseOverEffect_ = on; }
    // References only: the pictures stay their owner's. Image 0 is also shown at once.
    const QImage* Image(int index) const;
    void SetImage(int index, const QImage* image);
    int Tag() const { return Tag_; }
    void SetTag(int tag) { Tag_ = tag; }

    const QImage& Picture() const { return Picture_; }
    bool Inside() const { return Inside_; }
    // After the designed settings are in place: shows the picture of ImageIndex.
    void Loaded();

signals:
    void OnMouseEnter();
    void OnMouseLeave();
    void Clicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    const std::vector<QImage>* ImageList_ = nullptr;
    int ImageIndex_ = 0;
    Style ImageStyle_ = Style::Button;
    Source ImageSource_ = Source::ImageList;
    bool MouseOverEffect_ = false;
    bool Inside_ = false;
    std::array<const QImage*, ImageCount> Images_{};
    int Tag_ = 0;
    QImage Picture_;
};
