#pragma once

#include <QColor>
#include <QImage>
#include <QPushButton>

#include <vector>

// A push button that paints itself: a flat colour face, an optional glyph and its caption.
class TColorBtn : public QPushButton {
    Q_OBJECT
public:
    // Draw states of one paint.
    enum State { Pressed = 1, Disabled = 2, Focused = 4, Default = 8 };
    using States = int;

    explicit TColorBtn(QWidget* parent = nullptr);

    QColor Color() const { return Color_; }
    void SetColor(const QColor& color);
    QColor ColorLo() const { return ColorLo_; }
    void SetColorLo(const QColor& color);
    QColor ColorHi() const { return ColorHi_; }
    void SetColorHi(const QColor& color);
    int GlyphIndex() const { return GlyphIndex_; }
    void SetGlyphIndex(int index);
    // A reference: the list stays its owner's.
    const std::vector<QImage>* Glyphs() const { return Glyphs_; }
    void SetGlyphs(const std::vector<QImage>* glyphs);

    bool DefaultStyle() const { return DefaultStyle_; }
    // The default-button notification: repaints when the state changes.
    void SetButtonStyle(bool isDefault);

    // Paints of this button so far (tests count repaints with it).
    int PaintCount() const { return PaintCount_; }

protected:
    virtual void DoDrawButtonFace(QPainter& canvas, States states);
    virtual void DoDrawButtonGlyph(QPainter& canvas, States states);
    virtual void DoDrawButtonText(QPainter& canvas, States states);

    // Caption rectangle before the press offset: moved right past a drawn glyph.
    QRect TextRect() const;
    bool HasGlyph() const;
    void DrawFocusRect(QPainter& canvas);

    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void changeEvent(QEvent* e) override;

    static const QColor WindowFrame;

private:
    QColor Color_;
    QColor ColorLo_;
    QColor ColorHi_;
    int GlyphIndex_ = 0;
    const std::vector<QImage>* Glyphs_ = nullptr;
    bool DefaultStyle_ = false;
    int PaintCount_ = 0;
};
