#include "controls/ShapeRegion.h"

#include "controls/EInvalidGraphicOperation.h"

#include <QWidget>

#include <cmath>
#include <stdexcept>

bool IsTransparentPixel(QRgb pixel, QColor trans, int16_t tolerance) {
    int dr = qRed(pixel) - trans.red();
    int dg = qGreen(pixel) - trans.green();
    int db = qBlue(pixel) - trans.blue();
    return std::sqrt(double(dr * dr + dg * dg + db * db)) <= double(tolerance);
}

std::vector<QRect> OpaqueRuns(const QImage& face, QColor trans, int16_t tolerance) {
    std::vector<QRect> runs;
    if (face.isNull())
        return runs;
    QImage img = face.convertToFormat(QImage::Format_RGB32);
    const int w = img.width();
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        int x = 0;
        while (x < w) {
            while (x < w && IsTransparentPixel(line[x], trans, tolerance))
                ++x;
            if (x == w)
                break;
            int first = x;
            while (x < w && !IsTransparentPixel(line[x], trans, tolerance))
                ++x;
            runs.emplace_back(QPoint(first, y), QPoint(x - 1, y));
        }
    }
    return runs;
}

ShapeRegion BuildShapeRegion(const QImage& face, QColor trans, int16_t tolerance) {
    ShapeRegion shape;
    shape.Runs = OpaqueRuns(face, trans, tolerance);
    const int total = int(shape.Runs.size());
    for (int start = 0; start < total; start += ShapeRegion::BatchSize) {
        int count = std::min(ShapeRegion::BatchSize, total - start);
        QRegion batch;
        batch.setRects(shape.Runs.data() + start, count);
        if (batch.isEmpty())
            throw std::runtime_error("!hBatchRgn");
        shape.Region = shape.Batches.empty() ? batch : shape.Region.united(batch);
        shape.Batches.push_back(count);
    }
    return shape;
}

void ApplyShape(QWidget& widget, const QImage& face, QColor trans, int16_t tolerance) {
    if (face.isNull()) {
        widget.clearMask();
        return;
    }
    QImage copy = face.convertToFormat(QImage::Format_RGB888);
    if (copy.isNull())
        throw EInvalidGraphicOperation("Failed to create DIB section.");
    ShapeRegion shape = BuildShapeRegion(copy, trans, tolerance);
    if (shape.Region.isEmpty())
        throw EInvalidGraphicOperation("Failed to create region.");
    widget.setMask(shape.Region);
    if (widget.mask() != shape.Region)
        throw EInvalidGraphicOperation("Failed to set window region.");
}
