#include "output/genome_map.h"

#include "output/html_report.h"

#include <cmath>
#include <cstdio>
#include <sstream>

namespace corvella {

namespace {

constexpr double PI = 3.14159265358979323846;

std::string hex_rgb(uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(rgb & 0xFFFFFF));
    return text;
}

// Two decimals are a hundredth of a pixel: enough, and the file stays small.
std::string num(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    std::string s(text);
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

double normalised(double angle) {
    angle = std::fmod(angle, 360.0);
    return angle < 0 ? angle + 360.0 : angle;
}

// The annular sector of an arc as SVG path data.
std::string sector_path(const GenomeMap& map, double start, double sweep, double r0, double r1) {
    double x0, y0, x1, y1, x2, y2, x3, y3;
    map_point(map, start, r1, x0, y0);
    map_point(map, start + sweep, r1, x1, y1);
    map_point(map, start + sweep, r0, x2, y2);
    map_point(map, start, r0, x3, y3);
    const char* large = sweep > 180.0 ? "1" : "0";
    std::ostringstream d;
    d << "M" << num(x0) << " " << num(y0) << "A" << num(r1) << " " << num(r1) << " 0 " << large << " 1 " << num(x1)
      << " " << num(y1) << "L" << num(x2) << " " << num(y2) << "A" << num(r0) << " " << num(r0) << " 0 " << large
      << " 0 " << num(x3) << " " << num(y3) << "Z";
    return d.str();
}

// A bar as the four corners of a thin rectangle along its radius.
std::string bar_points(const GenomeMap& map, const MapBar& bar) {
    const double a = (bar.angle) * PI / 180.0;
    const double half = map.bar_width / 2.0;
    // The unit vector across the bar (the tangent of the ring).
    const double tx = std::cos(a) * half, ty = std::sin(a) * half;
    double x0, y0, x1, y1;
    map_point(map, bar.angle, bar.inner_radius, x0, y0);
    map_point(map, bar.angle, bar.outer_radius, x1, y1);
    std::ostringstream p;
    p << num(x0 - tx) << "," << num(y0 - ty) << " " << num(x1 - tx) << "," << num(y1 - ty) << " " << num(x1 + tx)
      << "," << num(y1 + ty) << " " << num(x0 + tx) << "," << num(y0 + ty);
    return p.str();
}

}  // namespace

const char* map_feature_kind_name(MapFeatureKind kind) {
    switch (kind) {
        case MapFeatureKind::Protein: return "protein";
        case MapFeatureKind::Trna: return "tRNA";
        case MapFeatureKind::Rrna: return "rRNA";
        case MapFeatureKind::DLoop: break;
    }
    return "D-loop";
}

const char* map_consequence_name(MapConsequence consequence) {
    switch (consequence) {
        case MapConsequence::StopChange: return "stop gained/lost";
        case MapConsequence::Missense: return "missense";
        case MapConsequence::Synonymous: return "synonymous";
        case MapConsequence::Trna: return "tRNA";
        case MapConsequence::Rrna: return "rRNA";
        case MapConsequence::DLoop: return "D-loop";
        case MapConsequence::NonCoding: break;
    }
    return "other non-coding";
}

double map_angle(int32_t position, int32_t length) {
    if (length <= 0) return 0.0;
    return (static_cast<double>(position) - 0.5) * 360.0 / static_cast<double>(length);
}

const MapBar* map_bar_at(const GenomeMap& map, double x, double y) {
    const double dx = x - map.cx, dy = map.cy - y;
    const double r = std::hypot(dx, dy);
    if (r < map.bar_base - 2.0 || r > map.radius + 4.0) return nullptr;
    const double angle = normalised(std::atan2(dx, dy) * 180.0 / PI);
    const MapBar* best = nullptr;
    double best_gap = 0;
    for (const MapBar& bar : map.bars) {
        double gap = std::fabs(normalised(bar.angle - angle + 180.0) - 180.0);
        gap = gap * PI / 180.0 * r;  // degrees to pixels at this radius
        if (gap > 4.0 + map.bar_width / 2.0) continue;
        if (best == nullptr || gap < best_gap) {
            best = &bar;
            best_gap = gap;
        }
    }
    return best;
}

std::string thousands(int64_t n) {
    std::string digits = std::to_string(n < 0 ? -n : n);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<size_t>(i), ",");
    return n < 0 ? "-" + digits : digits;
}

std::string map_bar_text(const GenomeMap& map, const MapBar& bar) {
    std::string text = std::to_string(bar.position) + " " + bar.change + " | " + bar.gene + " | " +
                       map_consequence_name(bar.consequence) + " | " + thousands(bar.samples) + " of " +
                       thousands(map.samples) + (map.samples == 1 ? " sample" : " samples");
    if (bar.heteroplasmic > 0) text += " (" + thousands(bar.heteroplasmic) + " heteroplasmic)";
    return text;
}

void lay_out_map_legend(GenomeMap& map) {
    map.legend.clear();
    const double line = map.text_pixels * 1.45, box = map.text_pixels * 0.9;
    double y = map.legend_y;
    const double x = map.legend_x;
    auto heading = [&](const char* text) {
        map.legend.push_back({MapLegendLine::Heading, x, y, box, 0, 0, false, text, x, y + box});
        y += line;
    };
    auto swatch = [&](uint32_t rgb, const char* text, bool hollow) {
        map.legend.push_back({MapLegendLine::Swatch, x, y, box, 0, rgb, hollow, text, x + box * 1.6, y + box});
        y += line;
    };
    heading("Genes (outer: heavy strand)");
    for (const MapFeatureKind kind : MAP_FEATURE_KINDS) swatch(map_feature_rgb(kind), map_feature_kind_name(kind), false);
    y += line * 0.4;
    heading("Variants");
    for (const MapConsequence c : MAP_CONSEQUENCES) swatch(map_consequence_rgb(c), map_consequence_name(c), false);
    swatch(0x555555, "heteroplasmic only", true);
    y += line * 0.4;
    heading("Share of samples");
    for (const MapScaleMark& mark : map.scale) {
        map.legend.push_back({MapLegendLine::Scale, x, y + box * 0.3, box, mark.length, 0x555555, false, mark.label,
                              x + mark.length + box * 0.6, y + box});
        y += line;
    }
}

std::string genome_map_svg(const GenomeMap& map) {
    const std::string px = num(map.text_pixels);
    std::ostringstream s;
    s << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << map.width << "\" height=\"" << map.height
      << "\" viewBox=\"0 0 " << map.width << " " << map.height << "\" font-family=\"Liberation Sans, Arial, sans-serif\""
      << " font-size=\"" << px << "\">\n"
      << "<title>" << markup_escaped(map.title) << "</title>\n"
      << "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n"
      << "<text x=\"12\" y=\"" << num(map.text_pixels * 1.8) << "\" font-size=\"" << num(map.text_pixels * 1.35)
      << "\" font-weight=\"bold\">" << markup_escaped(map.title) << "</text>\n";

    s << "<g class=\"arcs\" stroke=\"#ffffff\" stroke-width=\"0.5\">\n";
    for (const MapArc& arc : map.arcs) {
        s << "<path class=\"arc\" fill=\"" << hex_rgb(map_feature_rgb(arc.kind)) << "\" d=\""
          << sector_path(map, arc.start_angle, arc.sweep, arc.inner_radius, arc.outer_radius) << "\"><title>"
          << markup_escaped(arc.label) << " " << arc.start << "-" << arc.end << " (" << map_feature_kind_name(arc.kind)
          << ", " << (arc.outer ? "heavy" : "light") << " strand)</title></path>\n";
    }
    s << "</g>\n<g class=\"labels\" text-anchor=\"middle\" dominant-baseline=\"central\">\n";
    for (const MapArc& arc : map.arcs) {
        if (!arc.labelled) continue;
        s << "<text x=\"" << num(arc.label_x) << "\" y=\"" << num(arc.label_y) << "\" transform=\"rotate("
          << num(arc.label_rotation) << " " << num(arc.label_x) << " " << num(arc.label_y) << ")\">"
          << markup_escaped(arc.label) << "</text>\n";
    }
    s << "</g>\n";

    // The scale: a circle, a tick every 1,000 bases, their labels inside.
    s << "<g class=\"scale\" stroke=\"#606060\" fill=\"none\" stroke-width=\"1\">\n<circle cx=\"" << num(map.cx)
      << "\" cy=\"" << num(map.cy) << "\" r=\"" << num(map.tick_radius) << "\"/>\n";
    for (const MapTick& tick : map.ticks) {
        double x0, y0, x1, y1;
        map_point(map, tick.angle, map.tick_radius, x0, y0);
        map_point(map, tick.angle, map.tick_radius - map.text_pixels * 0.5, x1, y1);
        s << "<line x1=\"" << num(x0) << "\" y1=\"" << num(y0) << "\" x2=\"" << num(x1) << "\" y2=\"" << num(y1)
          << "\"/>\n";
    }
    s << "</g>\n<g class=\"ticks\" text-anchor=\"middle\" dominant-baseline=\"central\" fill=\"#404040\">\n";
    for (const MapTick& tick : map.ticks) {
        double x, y;
        map_point(map, tick.angle, map.tick_radius - map.text_pixels * 1.5, x, y);
        s << "<text x=\"" << num(x) << "\" y=\"" << num(y) << "\">" << tick.label << "</text>\n";
    }
    s << "</g>\n";
    s << "<text x=\"" << num(map.cx) << "\" y=\"" << num(map.cy) << "\" text-anchor=\"middle\" dominant-baseline=\"central\""
      << " font-size=\"" << num(map.text_pixels * 1.2) << "\">" << markup_escaped(map.centre_text) << "</text>\n";

    s << "<g class=\"bars\" stroke-width=\"1\">\n";
    for (const MapBar& bar : map.bars) {
        const std::string colour = hex_rgb(map_consequence_rgb(bar.consequence));
        s << "<polygon class=\"" << (bar.hollow ? "bar hollow" : "bar") << "\" fill=\""
          << (bar.hollow ? "#ffffff" : colour) << "\" stroke=\"" << colour << "\" points=\"" << bar_points(map, bar)
          << "\"><title>" << markup_escaped(map_bar_text(map, bar)) << "</title></polygon>\n";
    }
    s << "</g>\n";

    s << "<g class=\"legend\">\n";
    for (const MapLegendLine& l : map.legend) {
        switch (l.kind) {
            case MapLegendLine::Heading:
                s << "<text x=\"" << num(l.text_x) << "\" y=\"" << num(l.text_y) << "\" font-weight=\"bold\">"
                  << markup_escaped(l.text) << "</text>\n";
                break;
            case MapLegendLine::Swatch:
                s << "<rect x=\"" << num(l.x) << "\" y=\"" << num(l.y) << "\" width=\"" << num(l.box) << "\" height=\""
                  << num(l.box) << "\" fill=\"" << (l.hollow ? "#ffffff" : hex_rgb(l.rgb)) << "\" stroke=\""
                  << hex_rgb(l.rgb) << "\"/><text x=\"" << num(l.text_x) << "\" y=\"" << num(l.text_y) << "\">"
                  << markup_escaped(l.text) << "</text>\n";
                break;
            case MapLegendLine::Scale:
                s << "<rect x=\"" << num(l.x) << "\" y=\"" << num(l.y) << "\" width=\"" << num(l.length)
                  << "\" height=\"" << num(map.bar_width) << "\" fill=\"" << hex_rgb(l.rgb) << "\"/><text x=\""
                  << num(l.text_x) << "\" y=\"" << num(l.text_y) << "\">" << markup_escaped(l.text) << "</text>\n";
                break;
        }
    }
    s << "</g>\n</svg>\n";
    return s.str();
}

}  // namespace corvella
