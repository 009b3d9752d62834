#include "controls/TColorBtn.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

const QColor TColorBtn::WindowFrame(0, 0, 0);

TColorBtn::TColorBtn(QWidget* parent)
    : QPushButton(parent), Color_(palette().color(QPalette::Button)),
      ColorLo_(palette().color(QPalette::Dark)), ColorHi_(palette().color(QPalette::Light)) {
    // We paint every pixel we own; nothing is erased first.
    setAttribute(Qt::WA_NoSystemBackground);
}

void TColorBtn::SetColor(const QColor& color) {
    if (color == Color_)
        return;
    Color_ = color;
    update();
}

void TColorBtn::SetColorLo(const QColor& color) {
    if (color == ColorLo_)
        return;
    ColorLo_ = color;
    update();
}

void TColorBtn::SetColorHi(const QColor& color) {
    if (color == ColorHi_)
        return;
    ColorHi_ = color;
    update();
}

void TColorBtn::SetGlyphIndex(int index) {
    if (index == GlyphIndex_)
        return;
    GlyphIndex_ = index;
    update();
}

void TColorBtn::SetGlyphs(const std::vector<QImage>* glyphs) {
    if (glyphs == Glyphs_)
        return;
    Glyphs_ = glyphs;
    update();
}

void TColorBtn::SetButtonStyle(bool isDefault) {
    if (isDefault == DefaultStyle_)
        return;
    DefaultStyle_ = isDefault;
    update();
}

bool TColorBtn::HasGlyph() const {
    return Glyphs_ && GlyphIndex_ >= 0 && GlyphIndex_ < int(Glyphs_->size()) &&
           !(*Glyphs_)[GlyphIndex_].isNull();
}

bool TColorBtn::event(QEvent* e) {
    bool result = QPushButton::event(e);
    // The style's hover repaint would double ours: the skinned buttons track the mouse themselves.
    if (e->type() == QEvent::Polish)
        setAttribute(Qt::WA_Hover, false);
    return result;
}

void TColorBtn::paintEvent(QPaintEvent*) {
    ++PaintCount_;
    QPainter canvas(this);
    States states = 0;
    if (hasFocus())
        states |= Focused;
    if (isDown())
        states |= Pressed;
    if (!isEnabled())
        states |= Disabled;
    DoDrawButtonFace(canvas, states);
    DoDrawButtonGlyph(canvas, states);
    DoDrawButtonText(canvas, states);
}

void TColorBtn::mouseDoubleClickEvent(QMouseEvent* e) {
    // A fast second click is a second press.
    mousePressEvent(e);
}

void TColorBtn::changeEvent(QEvent* e) {
    QPushButton::changeEvent(e);
    if (e->type() == QEvent::FontChange || e->type() == QEvent::EnabledChange)
        update();
}

void TColorBtn::DoDrawButtonFace(QPainter& canvas, States states) {
    QRect r = rect();
    canvas.setBrush(Color_);
    if (DefaultStyle_ || (states & Focused)) {
        canvas.setPen(WindowFrame);
        canvas.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    if (states & Pressed) {
        canvas.setPen(ColorLo_);
        canvas.drawRect(r.adjusted(0, 0, -1, -1));
        return;
    }
    canvas.fillRect(r, Color_);
    // 3-D frame: light on top and left, window frame on bottom and right.
    canvas.setPen(ColorHi_);
    canvas.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    canvas.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
    canvas.setPen(WindowFrame);
    canvas.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    canvas.drawLine(r.right(), r.top(), r.right(), r.bottom());
    r.adjust(1, 1, -1, -1);
    canvas.setPen(ColorLo_);
    canvas.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    canvas.drawLine(r.right(), r.bottom(), r.right(), r.top());
}

namespace {

// The glyph's non-white pixels in one colour.
QImage Silhouette(const QImage& glyph, const QColor& color) {
    QImage src = glyph.convertToFormat(QImage::Format_ARGB32);
    QImage out(src.size(), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) {
            QRgb p = src.pixel(x, y);
            if (qAlpha(p) >= 128 && (p & 0xFFFFFF) != 0xFFFFFF)
                out.setPixel(x, y, color.rgba());
        }
    return out;
}

} // namespace

void TColorBtn::DoDrawButtonGlyph(QPainter& canvas, States states) {
    if (!HasGlyph())
        return;
    const QImage& glyph = (*Glyphs_)[GlyphIndex_];
    int captionWidth = fontMetrics().horizontalAdvance(text()) + 2;
    int x = (width() - captionWidth - glyph.width()) / 2;
    int y = (height() - glyph.height() + 2) / 2;
    if (states & Pressed) {
        ++x;
        ++y;
    }
    if ((states & Disabled) || !isEnabled()) {
        canvas.drawImage(x + 1, y + 1, Silhouette(glyph, ColorHi_));
        canvas.drawImage(x, y, Silhouette(glyph, ColorLo_));
    } else {
        canvas.drawImage(x, y, glyph);
    }
}

QRect TColorBtn::TextRect() const {
    QRect r(0, 0, width(), height());
    if (HasGlyph())
        r.setLeft(r.left() + (*Glyphs_)[GlyphIndex_].width() + 6);
    return r;
}

void TColorBtn::DrawFocusRect(QPainter& canvas) {
    QPen pen(WindowFrame, 1, Qt::DotLine);
    canvas.setPen(pen);
    canvas.setBrush(Qt::NoBrush);
    canvas.drawRect(rect().adjusted(4, 4, -5, -5));
}

void TColorBtn::DoDrawButtonText(QPainter& canvas, States states) {
    if (text().isEmpty())
        return;
    canvas.setFont(font());
    canvas.setBrush(Qt::NoBrush);
    QRect r = TextRect();
    if (states & Pressed)
        r.translate(1, 1);
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    if ((states & Disabled) || !isEnabled()) {
        // Embossed: the light copy one pixel down and right, the shadow copy on top.
        canvas.setPen(ColorHi_);
        canvas.drawText(r.translated(1, 1), flags, text());
        canvas.setPen(ColorLo_);
        canvas.drawText(r, flags, text());
    } else {
        canvas.setPen(palette().color(QPalette::ButtonText));
        canvas.drawText(r, flags, text());
    }
    if (states & Focused)
        DrawFocusRect(canvas);
}
