#pragma once

#include <QLabel>

// A label that shortens a caption too long for it with "...": at the end, at a word, or in the
// middle of a path.
class TEllipsisLabel : public QLabel {
    Q_OBJECT
public:
    explicit TEllipsisLabel(QWidget* parent = nullptr);

    bool EllipsisEnd() const { return EllipsisEnd_; }
    void SetEllipsisEnd(bool on);
    bool EllipsisWord() const { return EllipsisWord_; }
    void SetEllipsisWord(bool on);
    bool EllipsisPath() const { return EllipsisPath_; }
    void SetEllipsisPath(bool on);

    // The caption as it is drawn in `width` pixels.
    QString DisplayText(int width) const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    bool EllipsisEnd_ = false;
    bool EllipsisWord_ = false;
    bool EllipsisPath_ = false;
};
