// Draws the pictures the windows show and stores them as JPEG files:
//   helix.jpg       88 x 609   the main window's DNA double helix (Image1)
//   banner.jpg     283 x 53    the main window's banner (Image2)
//   about.jpg      120 x 260   the About window's helix
//   cloverleaf.jpg 211 x 224   the tRNA cloverleaf of the tRNA window
// and, given a second folder, the program's icon as PNG files for the hicolor
// icon theme (the desktop menu): corvella-256.png and corvella-48.png.
// Usage: corvella_draw_pictures <output folder> [<icon folder>]. Run by
// scripts/gen-pictures; the files are committed.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <cstdio>
#include <cstring>

namespace {

const QColor kBaseColours[4] = {QColor(0xd6, 0x3b, 0x3b), QColor(0x2f, 0x8f, 0x3f),
                                QColor(0xe0, 0xa8, 0x1e), QColor(0x3b, 0x62, 0xc9)};

// A vertical double helix filling `area`: two backbones half a turn apart and
// a rung between them every `rung_step` pixels, coloured by base.
void draw_helix(QPainter& p, const QRectF& area, double turns, double rung_step) {
    const double cx = area.center().x();
    const double amp = area.width() / 2.0 - 6.0;
    auto x_at = [&](double y, double phase) {
        return cx + amp * qSin((y - area.top()) / area.height() * turns * 2.0 * M_PI + phase);
    };
    int k = 0;
    for (double y = area.top() + 4; y < area.bottom() - 4; y += rung_step, ++k) {
        const double a = x_at(y, 0.0);
        const double b = x_at(y, M_PI);
        const double mid = (a + b) / 2.0;
        p.setPen(QPen(kBaseColours[k % 4], 3.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(a, y), QPointF(mid, y));
        p.setPen(QPen(kBaseColours[(k + 2) % 4], 3.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(mid, y), QPointF(b, y));
    }
    for (int strand = 0; strand < 2; ++strand) {
        QPainterPath path;
        for (double y = area.top(); y <= area.bottom(); y += 1.0) {
            const QPointF pt(x_at(y, strand * M_PI), y);
            if (y == area.top()) path.moveTo(pt); else path.lineTo(pt);
        }
        p.setPen(QPen(strand == 0 ? QColor(0x1c, 0x2f, 0x7a) : QColor(0x6a, 0x1c, 0x6e), 5.0,
                      Qt::SolidLine, Qt::RoundCap));
        p.drawPath(path);
    }
}

QImage blank(int w, int h, const QColor& bg) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(bg);
    return img;
}

QImage helix_picture(int w, int h, double turns) {
    QImage img = blank(w, h, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    draw_helix(p, QRectF(4, 4, w - 8, h - 8), turns, 9.0);
    return img;
}

QImage banner_picture() {
    QImage img = blank(283, 53, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 283, 0);
    g.setColorAt(0.0, QColor(0x1c, 0x2f, 0x7a));
    g.setColorAt(1.0, QColor(0x6a, 0x9c, 0xd9));
    p.fillRect(img.rect(), g);
    p.setPen(Qt::white);
    QFont f("DejaVu Sans", 11, QFont::Bold);
    p.setFont(f);
    p.drawText(QRect(10, 4, 263, 24), Qt::AlignLeft | Qt::AlignVCenter, "Human mitochondrial DNA");
    f.setBold(false);
    f.setPointSize(8);
    p.setFont(f);
    p.drawText(QRect(10, 27, 263, 20), Qt::AlignLeft | Qt::AlignVCenter,
               "synonymous / non-synonymous variants");
    return img;
}

// Cloverleaf: acceptor stem on top, D-arm left, anticodon arm below, T-arm
// right, the variable loop between anticodon and T-arm.
QImage cloverleaf_picture() {
    QImage img = blank(211, 224, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(105, 112);
    auto stem = [&](QPointF from, QPointF to, int pairs, const QColor& c) {
        const QPointF d = (to - from) / pairs;
        const QPointF n(-d.y() / qSqrt(QPointF::dotProduct(d, d)) * 5,
                        d.x() / qSqrt(QPointF::dotProduct(d, d)) * 5);
        p.setPen(QPen(c, 2));
        p.drawLine(from + n, to + n);
        p.drawLine(from - n, to - n);
        p.setPen(QPen(Qt::gray, 1));
        for (int i = 0; i <= pairs; ++i) p.drawLine(from + d * i + n, from + d * i - n);
    };
    auto loop = [&](QPointF c, double r, const QColor& col) {
        p.setPen(QPen(col, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, r, r);
    };
    stem(QPointF(105, 14), centre - QPointF(0, 12), 7, QColor(0x1c, 0x2f, 0x7a));   // acceptor
    stem(centre - QPointF(14, 0), QPointF(52, 112), 4, QColor(0x2f, 0x8f, 0x3f));  // D-stem
    loop(QPointF(36, 112), 16, QColor(0x2f, 0x8f, 0x3f));
    stem(centre + QPointF(0, 12), QPointF(105, 168), 5, QColor(0xd6, 0x3b, 0x3b)); // anticodon stem
    loop(QPointF(105, 186), 18, QColor(0xd6, 0x3b, 0x3b));
    stem(centre + QPointF(14, 0), QPointF(158, 112), 5, QColor(0xe0, 0xa8, 0x1e)); // T-stem
    loop(QPointF(175, 112), 17, QColor(0xe0, 0xa8, 0x1e));
    loop(QPointF(134, 140), 8, QColor(0x6a, 0x1c, 0x6e));                          // variable region
    p.setPen(QPen(Qt::black, 1));
    QFont f("DejaVu Sans", 6);
    p.setFont(f);
    p.drawText(QPointF(112, 12), "Acc-stem");
    p.drawText(QPointF(20, 140), "D-loop");
    p.drawText(QPointF(124, 200), "Anticodon");
    p.drawText(QPointF(160, 140), "T-loop");
    p.drawText(QPointF(140, 156), "Var");
    return img;
}

// The icon, drawn on a 256-unit square and scaled to `size` pixels: the
// circular mitochondrial genome as a ring of gene arcs in the base colours
// around a short double helix, on a rounded tile in the banner's blues.
QImage icon_picture(int size) {
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    QLinearGradient g(0, 0, 256, 256);
    g.setColorAt(0.0, QColor(0x1c, 0x2f, 0x7a));
    g.setColorAt(1.0, QColor(0x6a, 0x9c, 0xd9));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    // The ring: eight arcs with small gaps, like genes around the circle.
    const QRectF ring(40, 40, 176, 176);
    for (int k = 0; k < 8; ++k) {
        p.setPen(QPen(kBaseColours[k % 4], 22.0, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(ring, (90 - k * 45 - 4) * 16, -37 * 16);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(128, 128), 64, 64);
    p.setBrush(Qt::NoBrush);
    // The helix at twice the windows' stroke widths, so that it still reads
    // at 48 pixels.
    p.translate(128, 128);
    p.scale(2.0, 2.0);
    draw_helix(p, QRectF(-19, -26, 38, 52), 1.0, 8.0);
    return img;
}

bool save(const QImage& img, const QDir& dir, const char* name, const char* format = "JPEG") {
    const QString path = dir.filePath(name);
    if (!img.save(path, format, std::strcmp(format, "JPEG") == 0 ? 92 : -1)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s <output folder> [<icon folder>]\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    bool ok = save(helix_picture(88, 609, 4.5), dir, "helix.jpg");
    ok = save(banner_picture(), dir, "banner.jpg") && ok;
    ok = save(helix_picture(120, 260, 2.0), dir, "about.jpg") && ok;
    ok = save(cloverleaf_picture(), dir, "cloverleaf.jpg") && ok;
    if (argc == 3) {
        const QDir icons(QString::fromLocal8Bit(argv[2]));
        ok = save(icon_picture(256), icons, "corvella-256.png", "PNG") && ok;
        ok = save(icon_picture(48), icons, "corvella-48.png", "PNG") && ok;
    }
    return ok ? 0 : 1;
}
