#include "controls/EInvalidGraphicOperation.h"
#include "controls/ShapeRegion.h"
#include "controls/TBitmapBtn.h"
#include "controls/TTrifaceBtn.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

const QColor Fuchsia(255, 0, 255);

// An 85 x 21 face: grey inside, fuchsia in the three-pixel corner triangles.
QImage CorneredFace(int w = 85, int h = 21) {
    QImage img(w, h, QImage::Format_RGB888);
    img.fill(QColor(200, 210, 220));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x + y < 3; ++x) {
            img.setPixelColor(x, y, Fuchsia);
            img.setPixelColor(w - 1 - x, y, Fuchsia);
            img.setPixelColor(x, h - 1 - y, Fuchsia);
            img.setPixelColor(w - 1 - x, h - 1 - y, Fuchsia);
        }
    return img;
}

QImage Plain(int w, int h, QColor color) {
    QImage img(w, h, QImage::Format_RGB888);
    img.fill(color);
    return img;
}

TEST(ShapeRegionTest, FuchsiaCornersAreCutAway) {
    ShapeRegion shape = BuildShapeRegion(CorneredFace(), Fuchsia, 0);
    EXPECT_EQ(shape.Region.boundingRect(), QRect(0, 0, 85, 21));
    for (QPoint corner : {QPoint(0, 0), QPoint(2, 0), QPoint(0, 2), QPoint(84, 0), QPoint(0, 20),
                          QPoint(84, 20), QPoint(82, 20)})
        EXPECT_FALSE(shape.Region.contains(corner)) << corner.x() << "," << corner.y();
    for (QPoint inside : {QPoint(3, 0), QPoint(1, 2), QPoint(42, 10), QPoint(84, 3)})
        EXPECT_TRUE(shape.Region.contains(inside)) << inside.x() << "," << inside.y();
    // One run per row, one pixel high, rows from the top.
    ASSERT_EQ(shape.Runs.size(), 21u);
    EXPECT_EQ(shape.Runs[0], QRect(3, 0, 79, 1));
    EXPECT_EQ(shape.Runs[1], QRect(2, 1, 81, 1));
    EXPECT_EQ(shape.Runs[10], QRect(0, 10, 85, 1));
    EXPECT_EQ(shape.Batches, std::vector<int>({21}));
}

TEST(ShapeRegionTest, ToleranceDecidesWhatCountsAsTransparent) {
    struct Case {
        QRgb Pixel;
        int16_t Tolerance;
        bool Transparent;
    };
    const Case cases[] = {
        {qRgb(250, 3, 250), 10, true}, // distance about 7.7
        {qRgb(250, 3, 250), 0, false}, {qRgb(250, 3, 250), 7, false},  {qRgb(250, 3, 250), 8, true},
        {qRgb(255, 0, 255), 0, true},  {qRgb(255, 0, 255), -1, false}, {qRgb(0, 0, 0), 32767, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "pixel " << std::hex << c.Pixel << std::dec
                                        << " tolerance " << c.Tolerance);
        EXPECT_EQ(IsTransparentPixel(c.Pixel, Fuchsia, c.Tolerance), c.Transparent);
        QImage img = Plain(3, 1, Qt::white);
        img.setPixel(1, 0, c.Pixel);
        ShapeRegion shape = BuildShapeRegion(img, Fuchsia, c.Tolerance);
        EXPECT_EQ(shape.Region.contains(QPoint(1, 0)), !c.Transparent);
    }
}

TEST(ShapeRegionTest, ManyRunsAreHandedOverInBatchesOfAThousand) {
    // 30 rows of 50 single-pixel runs (every other pixel opaque): 1500 runs.
    QImage img = Plain(100, 30, Fuchsia);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; x += 2)
            img.setPixelColor(x, y, Qt::black);
    ShapeRegion shape = BuildShapeRegion(img, Fuchsia, 0);
    EXPECT_EQ(shape.Runs.size(), 1500u);
    EXPECT_EQ(shape.Batches, std::vector<int>({1000, 500}));
    // The second batch's rows made it into the one region.
    EXPECT_TRUE(shape.Region.contains(QPoint(98, 29)));
    EXPECT_FALSE(shape.Region.contains(QPoint(99, 29)));
    EXPECT_EQ(shape.Region.rectCount(), 1500);
}

TEST(ShapeRegionTest, WhollyTransparentFaceHasNoRegion) {
    ShapeRegion shape = BuildShapeRegion(Plain(85, 21, Fuchsia), Fuchsia, 0);
    EXPECT_TRUE(shape.Region.isEmpty());
    EXPECT_TRUE(shape.Batches.empty());
}

// A parent that records the presses reaching it, holding one shaped button.
class PressRecorder : public QWidget {
public:
    std::vector<QPoint> Presses;

protected:
    void mousePressEvent(QMouseEvent* e) override { Presses.push_back(e->position().toPoint()); }
};

class TrifaceBtnTest : public ::testing::Test {
protected:
    void SetUp() override {
        parent.resize(200, 100);
        button = new TTrifaceBtn(&parent);
        button->setText("Next");
        button->SetBounds(20, 30, 85, 21);
        parent.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    }

    void Skin() {
        button->SetFace(CorneredFace());
        button->SetFaceOver(Plain(85, 21, Qt::yellow));
        button->SetFaceDown(Plain(85, 21, Qt::darkGray));
        button->SetAutoShape(true);
        Settle();
    }

    static void Settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    // What the button shows now, as rendered through its own painting.
    QImage Shown() {
        QImage img(button->size(), QImage::Format_RGB32);
        img.fill(Qt::white);
        button->render(&img);
        return img;
    }

    void SendMove(QPoint local) {
        QMouseEvent move(QEvent::MouseMove, local, button->mapToGlobal(local), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(button, &move);
    }

    PressRecorder parent;
    TTrifaceBtn* button = nullptr;
};

TEST_F(TrifaceBtnTest, AutoShapeSizesToTheFaceAndCutsTheCorners) {
    button->SetFace(CorneredFace());
    button->SetBounds(20, 30, 120, 40);
    EXPECT_EQ(button->size(), QSize(120, 40));
    button->SetAutoShape(true);
    EXPECT_TRUE(button->AutoShape());
    EXPECT_FALSE(button->FocusRect()) << "AutoShape and FocusRect exclude each other";
    EXPECT_EQ(button->size(), QSize(85, 21));
    EXPECT_FALSE(button->mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(button->mask().contains(QPoint(40, 10)));
    button->resize(200, 50);
    EXPECT_EQ(button->size(), QSize(85, 21)) << "a shaped button keeps its face's size";

    button->SetFocusRect(true);
    EXPECT_FALSE(button->AutoShape());
    EXPECT_TRUE(button->mask().isEmpty()) << "rectangular again";
}

TEST_F(TrifaceBtnTest, AutoShapeNeedsAFace) {
    button->SetAutoShape(true);
    EXPECT_FALSE(button->AutoShape());
    button->SetFace(CorneredFace());
    button->SetAutoShape(true);
    ASSERT_FALSE(button->mask().isEmpty());
    button->SetFace(QImage());
    EXPECT_FALSE(button->AutoShape());
    EXPECT_TRUE(button->mask().isEmpty());
}

TEST_F(TrifaceBtnTest, ShapingErrorsComeOutOfTheSetter) {
    button->SetFace(CorneredFace());
    button->SetAutoShape(true);
    try {
        button->SetFace(Plain(85, 21, Fuchsia));
        FAIL() << "no error";
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_STREQ(e.what(), "Failed to create region.");
    }
    // The tolerance setter reshapes too: everything within reach of fuchsia is cut.
    button->SetFace(CorneredFace());
    EXPECT_THROW(button->SetTransTolerance(32767), EInvalidGraphicOperation);
}

TEST_F(TrifaceBtnTest, ClickOnACutCornerReachesTheParent) {
    Skin();
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    QPoint corner = button->geometry().topLeft();
    QTest::mouseClick(parent.windowHandle(), Qt::LeftButton, Qt::NoModifier, corner);
    Settle();
    EXPECT_EQ(clicks.count(), 0);
    ASSERT_EQ(parent.Presses.size(), 1u);
    EXPECT_EQ(parent.Presses[0], corner);

    QTest::mouseClick(parent.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      button->geometry().center());
    Settle();
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(parent.Presses.size(), 1u);
}

TEST_F(TrifaceBtnTest, EnterAndLeaveRepaintOnceEach) {
    Skin();
    // The pointer as the window system moves it: enter, hover and move events all arrive.
    QWindow* window = parent.windowHandle();
    const QPoint origin = button->geometry().topLeft();
    QTest::mouseMove(window, QPoint(5, 5));
    Settle();
    const int before = button->PaintCount();
    QTest::mouseMove(window, origin + QPoint(40, 10));
    Settle();
    EXPECT_TRUE(button->MouseInside());
    EXPECT_EQ(button->PaintCount(), before + 1);
    EXPECT_EQ(Shown().pixelColor(8, 10), QColor(Qt::yellow)) << "the over face";
    const int entered = button->PaintCount();

    QTest::mouseMove(window, origin + QPoint(41, 11));
    QTest::mouseMove(window, origin + QPoint(60, 12));
    Settle();
    EXPECT_EQ(button->PaintCount(), entered) << "moving inside does not repaint";

    QTest::mouseMove(window, QPoint(150, 80));
    Settle();
    EXPECT_FALSE(button->MouseInside());
    EXPECT_EQ(button->PaintCount(), entered + 1);
    EXPECT_EQ(Shown().pixelColor(8, 10), QColor(200, 210, 220)) << "the normal face";
}

TEST_F(TrifaceBtnTest, DoubleClickGivesTwoPresses) {
    Skin();
    QSignalSpy pressed(button, &QAbstractButton::pressed);
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    QPoint at = button->geometry().center();
    QTest::mouseClick(parent.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(parent.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    Settle();
    // mouseDClick sends press, release, double click, release: three presses in all.
    EXPECT_EQ(pressed.count(), 3);
    EXPECT_EQ(clicks.count(), 3);
}

TEST_F(TrifaceBtnTest, StatePictures) {
    Skin();
    QImage disabledFace = Plain(85, 21, Qt::red);
    EXPECT_EQ(Shown().pixelColor(8, 10), QColor(200, 210, 220));
    button->setDown(true);
    EXPECT_EQ(Shown().pixelColor(8, 10), QColor(Qt::darkGray));
    button->setDown(false);
    button->setEnabled(false);
    EXPECT_EQ(Shown().pixelColor(40, 3), QColor(200, 210, 220)) << "no FaceDisable: Face";
    button->SetFaceDisable(disabledFace);
    EXPECT_EQ(Shown().pixelColor(40, 3), QColor(Qt::red));
}

TEST_F(TrifaceBtnTest, DisabledCaptionIsEmbossed) {
    button->SetFace(Plain(85, 21, Qt::white));
    button->SetColorHi(QColor(0, 255, 0));
    button->SetColorLo(QColor(0, 0, 255));
    button->setText("WWWW");
    QFont font = button->font();
    font.setStyleStrategy(QFont::NoAntialias); // exact colours to count
    button->setFont(font);
    button->setEnabled(false);
    QImage img = Shown();
    int hi = 0, lo = 0;
    QPoint firstLo(1000, 1000), firstHi(1000, 1000);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            QColor c = img.pixelColor(x, y);
            if (c == QColor(0, 0, 255)) {
                ++lo;
                firstLo = std::min(firstLo, QPoint(x, y), [](QPoint a, QPoint b) {
                    return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x();
                });
            } else if (c == QColor(0, 255, 0)) {
                ++hi;
                firstHi = std::min(firstHi, QPoint(x, y), [](QPoint a, QPoint b) {
                    return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x();
                });
            }
        }
    EXPECT_GT(lo, 10);
    EXPECT_GT(hi, 3);
    EXPECT_GT(firstHi.y(), firstLo.y()) << "the light copy lies one pixel lower";
}

TEST_F(TrifaceBtnTest, ShiftOnOverLiftsTheShapedFace) {
    QImage face = CorneredFace();
    for (int x = 0; x < 85; ++x)
        if (face.pixelColor(x, 20) != Fuchsia)
            face.setPixelColor(x, 20, Qt::black); // a dark bottom row
    button->SetFace(face);
    button->SetAutoShape(true);
    button->SetShiftOnOver(true);
    SendMove(QPoint(40, 10));
    QImage img = Shown();
    EXPECT_EQ(img.pixelColor(40, 19), QColor(Qt::black)) << "bottom row moved up";
    EXPECT_EQ(img.pixelColor(40, 20), QColor(Qt::black)) << "uncovered strip keeps its pixels";
    EXPECT_EQ(img.pixelColor(8, 10), QColor(200, 210, 220));
}

TEST_F(TrifaceBtnTest, FocusMarksInTheCorners) {
    button->SetFace(Plain(85, 21, Qt::white));
    button->setFocus();
    Settle();
    ASSERT_TRUE(button->hasFocus());
    QImage img = Shown();
    for (QPoint p : {QPoint(0, 0), QPoint(6, 0), QPoint(0, 6), QPoint(84, 0), QPoint(78, 0),
                     QPoint(84, 6), QPoint(0, 20), QPoint(6, 20), QPoint(84, 20), QPoint(84, 14)})
        EXPECT_EQ(img.pixelColor(p), QColor(Qt::black)) << p.x() << "," << p.y();
    EXPECT_EQ(img.pixelColor(20, 0), QColor(Qt::white)) << "marks only";
}

TEST(BitmapBtnTest, SlicesOfTheStrip) {
    QWidget parent;
    TBitmapBtn button(&parent);
    QImage strip = Plain(90, 21, Qt::white);
    button.SetFaces(strip);
    struct Case {
        int NumFaces;
        TColorBtn::States States;
        QRect Slice;
    };
    const Case cases[] = {
        {1, 0, QRect(0, 0, 90, 21)},
        {1, TColorBtn::Pressed, QRect(0, 0, 90, 21)},
        {2, 0, QRect(0, 0, 45, 21)},
        {2, TColorBtn::Pressed, QRect(45, 0, 45, 21)},
        {2, TColorBtn::Disabled, QRect(0, 0, 45, 21)},
        {3, 0, QRect(0, 0, 30, 21)},
        {3, TColorBtn::Pressed, QRect(30, 0, 30, 21)},
        {3, TColorBtn::Disabled, QRect(60, 0, 30, 21)},
        {0, 0, QRect()},
    };
    for (const Case& c : cases) {
        button.SetNumFaces(c.NumFaces);
        EXPECT_EQ(button.SliceFor(c.States), c.Slice) << c.NumFaces << " faces, " << c.States;
    }
    button.SetNumFaces(3);
    button.SetAutoShape(true);
    EXPECT_EQ(button.size(), QSize(30, 21));
}

} // namespace
