// Draws the built-in skin: backgrounds as JPEG, button faces as 24-bit bitmaps whose outside is
// fuchsia so that the button's shaping cuts it away.
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>

namespace {

const QColor Fuchsia(255, 0, 255);
const QColor Navy(11, 45, 86);
const QColor Blue(28, 104, 170);
const QColor Sky(74, 160, 222);
const QColor Accent(243, 146, 0);
const QColor PageLight(246, 249, 252);
const QColor PageDark(222, 232, 242);
const QColor PanelColor(238, 243, 248); // launcher's button column, where the document links sit
const char* FontFamily = "DejaVu Sans";

QString OutDir;

QFont Font(int pixels, bool bold = false) {
    QFont f(FontFamily);
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

bool SaveJpeg(const QImage& img, const char* name) {
    QString path = OutDir + "/" + name + ".jpg";
    bool ok = img.convertToFormat(QImage::Format_RGB32).save(path, "JPG", 93);
    std::printf("%s %dx%d %s\n", qPrintable(path), img.width(), img.height(), ok ? "ok" : "FAILED");
    return ok;
}

bool SaveBitmap(const QImage& img, const char* name) {
    QString path = OutDir + "/" + name + ".bmp";
    bool ok = img.convertToFormat(QImage::Format_RGB888).save(path, "BMP");
    std::printf("%s %dx%d %s\n", qPrintable(path), img.width(), img.height(), ok ? "ok" : "FAILED");
    return ok;
}

QImage NewImage(int w, int h, const QColor& fill) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

// Concentric arcs of a wireless signal, opening upward, centred on (cx, cy).
void DrawSignal(QPainter& p, QPointF c, double r0, double step, int count, const QColor& color,
                double width) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < count; ++i) {
        QColor col = color;
        col.setAlphaF(color.alphaF() * (1.0 - 0.18 * i));
        p.setPen(QPen(col, width, Qt::SolidLine, Qt::RoundCap));
        double r = r0 + step * i;
        p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 45 * 16, 90 * 16);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(c, width * 0.9, width * 0.9);
    p.restore();
}

// The access point itself: a flat rounded body with two antennas and a row of status lights.
void DrawAccessPoint(QPainter& p, QRectF body) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    double w = body.width(), h = body.height();
    // antennas
    QLinearGradient ag(0, body.top() - h * 1.6, 0, body.top());
    ag.setColorAt(0, QColor(70, 74, 82));
    ag.setColorAt(1, QColor(30, 32, 38));
    p.setPen(Qt::NoPen);
    p.setBrush(ag);
    for (double fx : {0.14, 0.86}) {
        QRectF a(body.left() + w * fx - h * 0.09, body.top() - h * 1.55, h * 0.18, h * 1.6);
        p.drawRoundedRect(a, h * 0.09, h * 0.09);
    }
    // shadow
    QRadialGradient sg(body.center() + QPointF(0, h * 0.75), w * 0.6);
    sg.setColorAt(0, QColor(0, 0, 0, 90));
    sg.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(sg);
    p.drawEllipse(QRectF(body.left() - w * 0.05, body.bottom() - h * 0.15, w * 1.1, h * 0.5));
    // body
    QLinearGradient bg(0, body.top(), 0, body.bottom());
    bg.setColorAt(0, QColor(252, 253, 255));
    bg.setColorAt(0.55, QColor(214, 222, 232));
    bg.setColorAt(1, QColor(160, 172, 188));
    p.setBrush(bg);
    p.setPen(QPen(QColor(120, 132, 150), 1));
    p.drawRoundedRect(body, h * 0.35, h * 0.35);
    // front strip with lights
    QRectF strip(body.left() + w * 0.08, body.top() + h * 0.52, w * 0.84, h * 0.26);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 48, 60));
    p.drawRoundedRect(strip, strip.height() / 2, strip.height() / 2);
    const QColor lights[] = {QColor(90, 230, 120), QColor(90, 230, 120), QColor(80, 170, 255),
                             QColor(80, 170, 255), QColor(255, 190, 60)};
    for (int i = 0; i < 5; ++i) {
        QPointF c(strip.left() + strip.width() * (0.18 + 0.16 * i), strip.center().y());
        QRadialGradient lg(c, strip.height() * 0.5);
        lg.setColorAt(0, lights[i].lighter(140));
        lg.setColorAt(1, lights[i].darker(120));
        p.setBrush(lg);
        p.drawEllipse(c, strip.height() * 0.22, strip.height() * 0.22);
    }
    p.restore();
}

// Rounded face of a button: drawn smooth over `behind`, then everything outside the hard shape
// set to fuchsia so the shaped window shows the page through the corners.
QImage ButtonFace(int w, int h, double radius, const QColor& behind, const QColor& top,
                  const QColor& bottom, const QColor& border, const QColor& gloss) {
    QImage img = NewImage(w, h, behind);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QRectF r(0.5, 0.5, w - 1, h - 1);
        QLinearGradient g(0, 0, 0, h);
        g.setColorAt(0, top);
        g.setColorAt(1, bottom);
        p.setBrush(g);
        p.setPen(QPen(border, 1));
        p.drawRoundedRect(r, radius, radius);
        if (gloss.alpha() > 0) {
            QRectF gl(2, 1.5, w - 4, h * 0.45);
            QLinearGradient gg(0, gl.top(), 0, gl.bottom());
            gg.setColorAt(0, gloss);
            QColor clear = gloss;
            clear.setAlpha(0);
            gg.setColorAt(1, clear);
            p.setPen(Qt::NoPen);
            p.setBrush(gg);
            p.drawRoundedRect(gl, radius - 2, radius - 2);
        }
    }
    // Hard mask: a pixel belongs to the button when its centre lies inside the rounded shape.
    QPainterPath shape;
    shape.addRoundedRect(QRectF(0, 0, w, h), radius, radius);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!shape.contains(QPointF(x + 0.5, y + 0.5)))
                img.setPixelColor(x, y, Fuchsia);
    return img;
}

void WizardBackground() {
    QImage img = NewImage(600, 450, PageLight);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // header band
    QLinearGradient hg(0, 0, 600, 104);
    hg.setColorAt(0, Navy);
    hg.setColorAt(0.6, Blue);
    hg.setColorAt(1, Sky);
    p.fillRect(0, 0, 600, 104, hg);
    // soft sweeping curves through the band
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        QPainterPath wave;
        wave.moveTo(0, 70 + i * 12);
        wave.cubicTo(180, 30 + i * 20, 380, 120 - i * 10, 600, 40 + i * 14);
        wave.lineTo(600, 104);
        wave.lineTo(0, 104);
        wave.closeSubpath();
        p.setBrush(QColor(255, 255, 255, 14 + i * 6));
        p.drawPath(wave);
    }
    DrawSignal(p, QPointF(528, 78), 14, 13, 4, QColor(255, 255, 255, 190), 4.5);
    p.setPen(QColor(255, 255, 255));
    p.setFont(Font(25, true));
    p.drawText(QRect(26, 20, 470, 34), Qt::AlignLeft | Qt::AlignVCenter,
               "300Mbps Wireless Signalmate");
    p.setPen(QColor(205, 228, 248));
    p.setFont(Font(14));
    p.drawText(QRect(28, 56, 470, 22), Qt::AlignLeft | Qt::AlignVCenter,
               "Setup Wizard  \u00b7  802.11n Wireless Access Point");
    // accent rule under the band
    p.fillRect(0, 101, 600, 3, Accent);
    // page area
    QLinearGradient pg(0, 104, 0, 427);
    pg.setColorAt(0, PageLight);
    pg.setColorAt(1, PageDark);
    p.fillRect(0, 104, 600, 323, pg);
    // footer
    QLinearGradient fg(0, 427, 0, 450);
    fg.setColorAt(0, QColor(30, 60, 98));
    fg.setColorAt(1, Navy);
    p.fillRect(0, 427, 600, 23, fg);
    p.setPen(QColor(170, 196, 222));
    p.setFont(Font(11));
    p.drawText(QRect(14, 427, 572, 23), Qt::AlignLeft | Qt::AlignVCenter,
               "NV-5180RX  300Mbps Wireless N Access Point");
    p.drawText(QRect(14, 427, 572, 23), Qt::AlignRight | Qt::AlignVCenter,
               "Easy setup in a few steps");
    p.end();
    SaveJpeg(img, "ImgBGMain");
}

void PageBackground() {
    QImage img = NewImage(600, 323, PageLight);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient pg(0, 0, 0, 323);
    pg.setColorAt(0, PageLight);
    pg.setColorAt(1, PageDark);
    p.fillRect(img.rect(), pg);
    // faint signal watermark in the lower right
    DrawSignal(p, QPointF(560, 300), 40, 34, 4, QColor(28, 104, 170, 22), 12);
    // separator above the button row
    p.setPen(QColor(190, 204, 220));
    p.drawLine(24, 280, 576, 280);
    p.setPen(QColor(255, 255, 255));
    p.drawLine(24, 281, 576, 281);
    p.end();
    SaveJpeg(img, "ImgFrameBG");
}

void PageButtons() {
    const QColor behind(230, 238, 246); // the page colour around the buttons' row
    SaveBitmap(ButtonFace(85, 21, 9, behind, QColor(253, 254, 255), QColor(200, 215, 232),
                          QColor(96, 128, 166), QColor(255, 255, 255, 170)),
               "ImgBtnN");
    SaveBitmap(ButtonFace(85, 21, 9, behind, QColor(255, 249, 232), QColor(255, 206, 112),
                          QColor(206, 132, 18), QColor(255, 255, 255, 190)),
               "ImgBtnH");
    SaveBitmap(ButtonFace(85, 21, 9, behind, QColor(176, 198, 222), QColor(226, 236, 246),
                          QColor(66, 100, 140), QColor(0, 0, 0, 0)),
               "ImgBtnD");
}

void ProgressBackground() {
    QImage img = NewImage(190, 50, Qt::white);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, 50);
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(1, QColor(226, 236, 247));
    p.fillRect(img.rect(), g);
    p.fillRect(0, 0, 190, 3, Blue);
    p.setPen(QColor(91, 132, 173));
    p.drawRect(0, 0, 189, 49);
    p.end();
    SaveJpeg(img, "ImgBGProgress");
}

void DrawComputer(QPainter& p, QPointF base) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRectF screen(base.x() - 34, base.y() - 62, 68, 48);
    p.setPen(QPen(QColor(60, 66, 76), 1.5));
    p.setBrush(QColor(70, 76, 88));
    p.drawRoundedRect(screen, 4, 4);
    QLinearGradient sg(screen.topLeft(), screen.bottomRight());
    sg.setColorAt(0, QColor(120, 190, 245));
    sg.setColorAt(1, QColor(30, 90, 160));
    p.setPen(Qt::NoPen);
    p.setBrush(sg);
    p.drawRect(screen.adjusted(4, 4, -4, -4));
    p.setBrush(QColor(90, 96, 108));
    p.drawRect(QRectF(base.x() - 6, base.y() - 14, 12, 8));
    p.drawRoundedRect(QRectF(base.x() - 22, base.y() - 7, 44, 6), 3, 3);
    p.restore();
}

void DrawLaptop(QPainter& p, QPointF base) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRectF lid(base.x() - 30, base.y() - 46, 60, 40);
    p.setPen(QPen(QColor(60, 66, 76), 1.5));
    p.setBrush(QColor(70, 76, 88));
    p.drawRoundedRect(lid, 3, 3);
    QLinearGradient sg(lid.topLeft(), lid.bottomRight());
    sg.setColorAt(0, QColor(120, 190, 245));
    sg.setColorAt(1, QColor(30, 90, 160));
    p.setPen(Qt::NoPen);
    p.setBrush(sg);
    p.drawRect(lid.adjusted(4, 4, -4, -4));
    QPainterPath deck;
    deck.moveTo(base.x() - 34, base.y() - 6);
    deck.lineTo(base.x() + 34, base.y() - 6);
    deck.lineTo(base.x() + 40, base.y());
    deck.lineTo(base.x() - 40, base.y());
    deck.closeSubpath();
    p.setBrush(QColor(150, 158, 170));
    p.drawPath(deck);
    p.restore();
}

void Tutorial() {
    QImage img = NewImage(332, 275, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 275);
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(1, QColor(236, 243, 250));
    p.fillRect(img.rect(), g);
    p.setPen(QColor(160, 182, 206));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(0.5, 0.5, 331, 274), 6, 6);
    p.setPen(Navy);
    p.setFont(Font(14, true));
    p.drawText(QRect(0, 8, 332, 22), Qt::AlignCenter, "Connect your access point");

    // cable from the computer to the access point
    p.setPen(QPen(QColor(240, 160, 20), 3, Qt::SolidLine, Qt::RoundCap));
    QPainterPath cable;
    cable.moveTo(62, 112);
    cable.cubicTo(90, 132, 120, 132, 140, 118);
    p.drawPath(cable);
    DrawComputer(p, QPointF(52, 122));
    DrawAccessPoint(p, QRectF(134, 96, 70, 26));
    DrawSignal(p, QPointF(169, 78), 10, 9, 3, QColor(28, 104, 170, 200), 2.5);
    // waves toward the laptop
    p.save();
    p.setPen(QPen(QColor(28, 104, 170, 150), 2, Qt::DashLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i) {
        double r = 20 + i * 10;
        p.drawArc(QRectF(210 - r, 104 - r, 2 * r, 2 * r), -35 * 16, 70 * 16);
    }
    p.restore();
    DrawLaptop(p, QPointF(282, 124));

    p.setPen(QColor(60, 70, 84));
    p.setFont(Font(11, true));
    p.drawText(QRect(12, 128, 84, 16), Qt::AlignCenter, "Computer");
    p.drawText(QRect(124, 128, 90, 16), Qt::AlignCenter, "Access Point");
    p.drawText(QRect(236, 128, 92, 16), Qt::AlignCenter, "Wireless Client");

    // the three steps
    const char* steps[] = {
        "Connect the LAN port of the access point to your network or computer with the "
        "Ethernet cable.",
        "Plug in the power adapter and wait until the Power and WLAN lights are on.",
        "Click Next: the wizard searches your network for the access point."};
    p.setFont(Font(11));
    for (int i = 0; i < 3; ++i) {
        int y = 158 + i * 36;
        p.setPen(Qt::NoPen);
        p.setBrush(Blue);
        p.drawEllipse(QPointF(24, y + 9), 9, 9);
        p.setPen(Qt::white);
        p.setFont(Font(11, true));
        p.drawText(QRectF(15, y, 18, 18), Qt::AlignCenter, QString::number(i + 1));
        p.setPen(QColor(40, 48, 60));
        p.setFont(Font(11));
        p.drawText(QRect(40, y, 280, 32), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   steps[i]);
    }
    p.end();
    SaveJpeg(img, "ImgTutorial");
}

void LauncherBackground() {
    QImage img = NewImage(551, 407, Navy);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 551, 407);
    g.setColorAt(0, Navy);
    g.setColorAt(0.55, Blue);
    g.setColorAt(1, Sky);
    p.fillRect(img.rect(), g);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        QPainterPath wave;
        wave.moveTo(0, 300 + i * 18);
        wave.cubicTo(150, 250 + i * 22, 260, 380 - i * 10, 551, 290 + i * 20);
        wave.lineTo(551, 407);
        wave.lineTo(0, 407);
        wave.closeSubpath();
        p.setBrush(QColor(255, 255, 255, 10 + i * 5));
        p.drawPath(wave);
    }
    // product
    p.setPen(Qt::white);
    p.setFont(Font(22, true));
    p.drawText(QRect(22, 22, 300, 60), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               "300Mbps Wireless\nSignalmate");
    p.setPen(QColor(205, 228, 248));
    p.setFont(Font(13));
    p.drawText(QRect(24, 84, 290, 20), Qt::AlignLeft, "NV-5180RX  Wireless N Access Point");
    p.fillRect(24, 110, 60, 3, Accent);
    DrawSignal(p, QPointF(160, 206), 18, 16, 4, QColor(255, 255, 255, 200), 5);
    DrawAccessPoint(p, QRectF(90, 226, 140, 50));
    p.setPen(QColor(205, 228, 248));
    p.setFont(Font(11));
    p.drawText(QRect(24, 372, 290, 20), Qt::AlignLeft | Qt::AlignVCenter,
               "Installation CD  \u00b7  Version 1.0");
    // button column
    QRectF panel(318, 40, 218, 290);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(panel.translated(2, 3), 10, 10);
    p.setBrush(PanelColor);
    p.setPen(QPen(QColor(255, 255, 255), 1));
    p.drawRoundedRect(panel, 10, 10);
    p.setPen(Navy);
    p.setFont(Font(14, true));
    p.drawText(QRect(335, 52, 193, 28), Qt::AlignLeft | Qt::AlignVCenter, "Welcome");
    p.setPen(QColor(96, 112, 130));
    p.setFont(Font(10));
    p.drawText(QRect(335, 310, 193, 14), Qt::AlignLeft | Qt::AlignVCenter,
               "Choose an item to begin.");
    p.end();
    SaveJpeg(img, "ImgBGAutorun");
}

enum class Icon { Wizard, Book, Register, Power };

void DrawIcon(QPainter& p, Icon icon, QPointF c, const QColor& disc, const QColor& mark) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(c, 12, 12);
    p.setPen(QPen(mark, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    switch (icon) {
    case Icon::Wizard: {
        QPolygonF tri;
        tri << c + QPointF(-4, -6) << c + QPointF(6, 0) << c + QPointF(-4, 6);
        p.setBrush(mark);
        p.drawPolygon(tri);
        break;
    }
    case Icon::Book:
        p.drawRect(QRectF(c.x() - 6, c.y() - 6, 12, 12));
        p.drawLine(c + QPointF(-3, -2), c + QPointF(3, -2));
        p.drawLine(c + QPointF(-3, 1), c + QPointF(3, 1));
        p.drawLine(c + QPointF(-3, 4), c + QPointF(1, 4));
        break;
    case Icon::Register:
        p.drawLine(c + QPointF(-5, 1), c + QPointF(-1, 5));
        p.drawLine(c + QPointF(-1, 5), c + QPointF(6, -5));
        break;
    case Icon::Power:
        p.drawArc(QRectF(c.x() - 6, c.y() - 5, 12, 12), 120 * 16, 300 * 16);
        p.drawLine(c + QPointF(0, -7), c + QPointF(0, 0));
        break;
    }
    p.restore();
}

void LauncherButton(const char* name, const char* label, Icon icon, bool hot) {
    QColor top = hot ? QColor(255, 196, 92) : QColor(58, 140, 210);
    QColor bottom = hot ? QColor(226, 120, 0) : QColor(18, 78, 140);
    QColor border = hot ? QColor(170, 88, 0) : QColor(12, 52, 98);
    QImage img = ButtonFace(193, 39, 10, PanelColor, top, bottom, border,
                            QColor(255, 255, 255, hot ? 120 : 90));
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    DrawIcon(p, icon, QPointF(22, 19.5), QColor(255, 255, 255, hot ? 235 : 215),
             hot ? QColor(210, 105, 0) : QColor(18, 78, 140));
    // the longest label must fit beside the icon
    int size = 13;
    while (size > 9 && QFontMetrics(Font(size, true)).horizontalAdvance(label) > 144)
        --size;
    p.setFont(Font(size, true));
    p.setPen(QColor(0, 0, 0, 70));
    p.drawText(QRect(43, 1, 146, 39), Qt::AlignLeft | Qt::AlignVCenter, label);
    p.setPen(Qt::white);
    p.drawText(QRect(42, 0, 146, 39), Qt::AlignLeft | Qt::AlignVCenter, label);
    p.end();
    SaveBitmap(img, name);
}

void DocumentLink(const char* name, int h, const char* label, bool hot) {
    QImage img = NewImage(190, h, PanelColor);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // small document sheet with a folded corner
    double y0 = (h - 14) / 2.0;
    QPainterPath sheet;
    sheet.moveTo(14, y0);
    sheet.lineTo(21, y0);
    sheet.lineTo(25, y0 + 4);
    sheet.lineTo(25, y0 + 14);
    sheet.lineTo(14, y0 + 14);
    sheet.closeSubpath();
    p.setPen(QPen(hot ? QColor(210, 105, 0) : QColor(18, 78, 140), 1));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.drawLine(QPointF(16.5, y0 + 7), QPointF(22.5, y0 + 7));
    p.drawLine(QPointF(16.5, y0 + 10), QPointF(22.5, y0 + 10));
    QFont f = Font(11, hot);
    f.setUnderline(hot);
    p.setFont(f);
    p.setPen(hot ? QColor(210, 105, 0) : QColor(18, 64, 116));
    p.drawText(QRect(31, 0, 158, h), Qt::AlignLeft | Qt::AlignVCenter, label);
    p.end();
    SaveJpeg(img, name);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    OutDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources/skin");
    QDir().mkpath(OutDir);

    WizardBackground();
    PageBackground();
    PageButtons();
    ProgressBackground();
    Tutorial();
    LauncherBackground();
    LauncherButton("ImgBtnSetupWizardN", "Setup Wizard", Icon::Wizard, false);
    LauncherButton("ImgBtnSetupWizardD", "Setup Wizard", Icon::Wizard, true);
    LauncherButton("ImgBtnUGN", "User Guide", Icon::Book, false);
    LauncherButton("ImgBtnUGD", "User Guide", Icon::Book, true);
    LauncherButton("ImgBtnProductRegN", "Product Registration", Icon::Register, false);
    LauncherButton("ImgBtnProductRegD", "Product Registration", Icon::Register, true);
    LauncherButton("ImgBtnExitN", "Exit", Icon::Power, false);
    LauncherButton("ImgBtnExitD", "Exit", Icon::Power, true);
    DocumentLink("ImgBtnUG_UGN", 18, "User Guide", false);
    DocumentLink("ImgBtnUG_UGD", 18, "User Guide", true);
    DocumentLink("ImgBtnUG_QIGN", 21, "Quick Installation Guide", false);
    DocumentLink("ImgBtnUG_QIGD", 21, "Quick Installation Guide", true);
    return 0;
}
