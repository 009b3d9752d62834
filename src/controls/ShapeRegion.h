#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QRegion>

#include <cstdint>
#include <vector>

class QWidget;

// A window shape built from a face picture: one rectangle per run of opaque pixels.
struct ShapeRegion {
    // Most rectangles handed over at once when the region is created.
    static constexpr int BatchSize = 1000;

    QRegion Region;
    std::vector<QRect> Runs;
    // Rectangles in each batch, in the order they were combined.
    std::vector<int> Batches;
};

// True when the pixel's colour lies within `tolerance` (Euclidean RGB distance) of `trans`.
bool IsTransparentPixel(QRgb pixel, QColor trans, int16_t tolerance);

// One-pixel-high rectangles of the opaque runs, rows from the top, pixels from the left.
std::vector<QRect> OpaqueRuns(const QImage& face, QColor trans, int16_t tolerance);

// The region of the face's opaque pixels, created in batches; an empty region when the face has
// no opaque pixel. Throws std::runtime_error("!hBatchRgn") when a batch cannot be made.
ShapeRegion BuildShapeRegion(const QImage& face, QColor trans, int16_t tolerance);

// Cuts `widget` to the opaque shape of `face`, or makes it rectangular again when `face` is null.
// Throws EInvalidGraphicOperation with the texts of the skinned buttons.
void ApplyShape(QWidget& widget, const QImage& face, QColor trans, int16_t tolerance);
