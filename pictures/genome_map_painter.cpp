#include "pictures/genome_map_painter.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <cmath>

#include "pictures/picture_font.h"

namespace corvella {

namespace {

QColor colour_of(uint32_t rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

QPointF point(const GenomeMap& map, double angle, double radius) {
    double x, y;
    map_point(map, angle, radius, x, y);
    return {x, y};
}

// Qt's arcs run counter-clockwise from 3 o'clock; the map's clockwise from
// 12 o'clock.
double qt_angle(double map_angle) { return 90.0 - map_angle; }

QPainterPath sector(const GenomeMap& map, const MapArc& arc) {
    const QRectF outer(map.cx - arc.outer_radius, map.cy - arc.outer_radius, 2 * arc.outer_radius, 2 * arc.outer_radius);
    const QRectF inner(map.cx - arc.inner_radius, map.cy - arc.inner_radius, 2 * arc.inner_radius, 2 * arc.inner_radius);
    QPainterPath path(point(map, arc.start_angle, arc.outer_radius));
    path.arcTo(outer, qt_angle(arc.start_angle), -arc.sweep);
    path.lineTo(point(map, arc.start_angle + arc.sweep, arc.inner_radius));
    path.arcTo(inner, qt_angle(arc.start_angle + arc.sweep), arc.sweep);
    path.closeSubpath();
    return path;
}

QPolygonF bar_polygon(const GenomeMap& map, const MapBar& bar) {
    const double a = bar.angle * 3.14159265358979323846 / 180.0;
    const QPointF across(std::cos(a) * map.bar_width / 2.0, std::sin(a) * map.bar_width / 2.0);
    const QPointF base = point(map, bar.angle, bar.inner_radius), tip = point(map, bar.angle, bar.outer_radius);
    return QPolygonF({base - across, tip - across, tip + across, base + across});
}

void centred_text(QPainter& painter, QPointF at, const QString& text) {
    const QRectF box(at.x() - 200, at.y() - 50, 400, 100);
    painter.drawText(box, Qt::AlignCenter, text);
}

}  // namespace

void paint_genome_map(QPainter& painter, const GenomeMap& map) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRectF(0, 0, map.width, map.height), Qt::white);
    const int px = static_cast<int>(std::lround(map.text_pixels));

    painter.setPen(Qt::black);
    painter.setFont(picture_font(static_cast<int>(std::lround(map.text_pixels * 1.35)), true));
    painter.drawText(QPointF(12, map.text_pixels * 1.8), QString::fromStdString(map.title));

    painter.setPen(QPen(Qt::white, 0.5));
    for (const MapArc& arc : map.arcs) {
        painter.setBrush(colour_of(map_feature_rgb(arc.kind)));
        painter.drawPath(sector(map, arc));
    }
    painter.setPen(Qt::black);
    painter.setFont(picture_font(px));
    for (const MapArc& arc : map.arcs) {
        if (!arc.labelled) continue;
        painter.save();
        painter.translate(arc.label_x, arc.label_y);
        painter.rotate(arc.label_rotation);
        centred_text(painter, QPointF(0, 0), QString::fromStdString(arc.label));
        painter.restore();
    }

    painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(map.cx, map.cy), map.tick_radius, map.tick_radius);
    for (const MapTick& tick : map.ticks)
        painter.drawLine(point(map, tick.angle, map.tick_radius),
                         point(map, tick.angle, map.tick_radius - map.text_pixels * 0.5));
    painter.setPen(QColor(0x40, 0x40, 0x40));
    for (const MapTick& tick : map.ticks)
        centred_text(painter, point(map, tick.angle, map.tick_radius - map.text_pixels * 1.5),
                     QString::fromStdString(tick.label));
    painter.setPen(Qt::black);
    painter.setFont(picture_font(static_cast<int>(std::lround(map.text_pixels * 1.2))));
    centred_text(painter, QPointF(map.cx, map.cy), QString::fromStdString(map.centre_text));

    for (const MapBar& bar : map.bars) {
        const QColor colour = colour_of(map_consequence_rgb(bar.consequence));
        painter.setPen(QPen(colour, 1));
        painter.setBrush(bar.hollow ? QBrush(Qt::white) : QBrush(colour));
        painter.drawPolygon(bar_polygon(map, bar));
    }

    // The legend, as the SVG draws it.
    const QFont plain = picture_font(px), bold = picture_font(px, true);
    for (const MapLegendLine& l : map.legend) {
        if (l.kind == MapLegendLine::Swatch) {
            painter.setPen(colour_of(l.rgb));
            painter.setBrush(l.hollow ? QBrush(Qt::white) : QBrush(colour_of(l.rgb)));
            painter.drawRect(QRectF(l.x, l.y, l.box, l.box));
        } else if (l.kind == MapLegendLine::Scale) {
            painter.fillRect(QRectF(l.x, l.y, l.length, map.bar_width), colour_of(l.rgb));
        }
        painter.setFont(l.kind == MapLegendLine::Heading ? bold : plain);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(l.text_x, l.text_y), QString::fromStdString(l.text));
    }
    painter.restore();
}

PaintedPicture paint_map_picture(const GenomeMap& map, ChartImageFormat format) {
    PaintedPicture picture;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == ChartImageFormat::Svg) return {false, {}, "the map's SVG drawing is not painted"};
    if (format == ChartImageFormat::Pdf) {
        {
            QPdfWriter pdf(&buffer);
            pdf.setResolution(72);
            pdf.setPageSize(QPageSize(QSizeF(map.width, map.height), QPageSize::Point));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setTitle(QString::fromStdString(map.title));
            QPainter painter;
            if (!painter.begin(&pdf)) return {false, {}, "the PDF page could not be started"};
            paint_genome_map(painter, map);
            painter.end();
        }
    } else {
        // RGB without alpha, as the charts' BMP and PNG files are.
        QImage image(map.width, map.height, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            paint_genome_map(painter, map);
        }
        QImageWriter writer(&buffer, format == ChartImageFormat::Png ? "png" : "bmp");
        if (!writer.write(format == ChartImageFormat::Png ? image.convertToFormat(QImage::Format_RGB888) : image))
            return {false, {}, writer.errorString().toStdString()};
    }
    picture.bytes.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
    return picture;
}

}  // namespace corvella
