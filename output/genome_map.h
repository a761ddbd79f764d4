// The circular genome map as plain data: the mitogenome as a ring read
// clockwise from position 1 at the top, its genes and the D-loop as arcs on
// two tracks (heavy-strand genes outside, light-strand inside), a tick scale
// every 1,000 bases, and the cohort's distinct variants as radial bars
// outside the tracks, each as long as the square root of the share of
// samples that carry it. classify/ fills it from a workspace; the SVG writer
// here and the Qt painter (pictures/) draw the same value, so the file and
// the window show one picture.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace corvella {

enum class MapFeatureKind { Protein, Trna, Rrna, DLoop };
// Worst first: a variant in several regions takes the first that applies.
enum class MapConsequence { StopChange, Missense, Synonymous, Trna, Rrna, DLoop, NonCoding };

// "protein", "tRNA", "rRNA", "D-loop".
const char* map_feature_kind_name(MapFeatureKind kind);
// "stop gained/lost", "missense", "synonymous", "tRNA", "rRNA", "D-loop",
// "other non-coding".
const char* map_consequence_name(MapConsequence consequence);
// 0xRRGGBB fills, one hue per kind and per consequence, told apart also by
// readers with red-green colour blindness: light tints for the tracks, so
// that the bars' strong colours (Okabe and Ito's palette) stand out. Inline,
// as the pictures module paints with them without the logic library.
inline uint32_t map_feature_rgb(MapFeatureKind kind) {
    switch (kind) {
        case MapFeatureKind::Protein: return 0xF2E394;
        case MapFeatureKind::Trna: return 0xE5B3D1;
        case MapFeatureKind::Rrna: return 0x9CC9EA;
        case MapFeatureKind::DLoop: break;
    }
    return 0xC9C9C9;
}
inline uint32_t map_consequence_rgb(MapConsequence consequence) {
    switch (consequence) {
        case MapConsequence::StopChange: return 0xD55E00;
        case MapConsequence::Missense: return 0xE69F00;
        case MapConsequence::Synonymous: return 0x009E73;
        case MapConsequence::Trna: return 0xCC79A7;
        case MapConsequence::Rrna: return 0x0072B2;
        case MapConsequence::DLoop: return 0x56B4E9;
        case MapConsequence::NonCoding: break;
    }
    return 0x555555;
}

constexpr MapFeatureKind MAP_FEATURE_KINDS[] = {MapFeatureKind::Protein, MapFeatureKind::Trna, MapFeatureKind::Rrna,
                                                MapFeatureKind::DLoop};
constexpr MapConsequence MAP_CONSEQUENCES[] = {MapConsequence::Synonymous, MapConsequence::Missense,
                                               MapConsequence::StopChange, MapConsequence::Trna,
                                               MapConsequence::Rrna,       MapConsequence::DLoop,
                                               MapConsequence::NonCoding};

// Angles are degrees clockwise from the top (12 o'clock).
struct MapArc {
    std::string label;  // the gene's symbol ("MT-ND1"), "D-loop"
    MapFeatureKind kind;
    bool outer;              // the heavy-strand track
    int32_t start, end;      // 1-based positions; a D-loop across the origin has start > end
    double start_angle;      // of the first base's start edge
    double sweep;            // > 0, clockwise
    double inner_radius, outer_radius;
    bool labelled;           // the arc is long enough for its symbol
    double label_x, label_y;  // the label's centre
    double label_rotation;   // degrees clockwise, along the arc, never upside down
};

struct MapBar {
    int32_t position;
    char base;
    std::string change;  // HGVS on the reference, "m.8527A>G"
    std::string gene;    // symbols of the regions holding it, "MT-ATP8, MT-ATP6"; "non-coding"
    MapConsequence consequence;
    int32_t samples;        // sample entries that carry it
    int32_t heteroplasmic;  // of those, carried below the homoplasmic level
    double share;           // samples / the cohort's samples
    bool hollow;            // every carrier heteroplasmic
    double angle;           // the position's centre
    double inner_radius, outer_radius;
};

struct MapTick {
    int32_t position;  // 1, 1000, 2000, ...
    double angle;
    std::string label;  // "1", "1k", "2k", ...
};

// A bar length in the legend: the share it stands for and its length.
struct MapScaleMark {
    double share;
    std::string label;  // "100%", "25%", "1%"
    double length;
};

// One line of the legend at its place: a heading, a colour swatch (a box,
// hollow for heteroplasmic-only bars) or a bar length of the scale.
struct MapLegendLine {
    enum Kind { Heading, Swatch, Scale } kind;
    double x, y;          // the box's (or the scale bar's) top left
    double box, length;   // the swatch's side; the scale bar's length
    uint32_t rgb;
    bool hollow;
    std::string text;
    double text_x, text_y;  // the text's baseline start
};

struct GenomeMap {
    int width = 0, height = 0;
    double cx = 0, cy = 0;
    double radius = 0;        // the ring's outer edge: the longest bar ends here
    double bar_base = 0;      // radius where every bar starts
    double tick_radius = 0;   // the scale's circle, inside the inner track
    double bar_width = 1;     // stroke width of a bar, in pixels
    double text_pixels = 11;  // label and legend letter size
    std::string title;        // "Variants of 6 samples on AC_000021"
    std::string centre_text;  // "16,569 bp"
    int32_t length = 0;       // reference length
    int32_t samples = 0;
    std::vector<MapArc> arcs;  // 37 genes (13 protein, 22 tRNA, 2 rRNA) and the D-loop
    std::vector<MapBar> bars;  // one per distinct variant, in position order
    std::vector<MapTick> ticks;
    std::vector<MapScaleMark> scale;
    double legend_x = 0, legend_y = 0;  // top left of the legend column
    std::vector<MapLegendLine> legend;   // laid out from legend_x, legend_y
};

// Fills map.legend from its scale, text size and legend corner.
void lay_out_map_legend(GenomeMap& map);

// The default picture size, and the smallest the layout is made for.
constexpr int MAP_DEFAULT_WIDTH = 900;
constexpr int MAP_DEFAULT_HEIGHT = 700;
constexpr int MAP_MINIMUM_WIDTH = 400;
constexpr int MAP_MINIMUM_HEIGHT = 300;

// The angle of a position's centre on a ring of `length` bases.
double map_angle(int32_t position, int32_t length);
// The point at `angle` and `radius` from the centre of `map`.
inline void map_point(const GenomeMap& map, double angle, double radius, double& x, double& y) {
    const double a = angle * 3.14159265358979323846 / 180.0;
    x = map.cx + radius * std::sin(a);
    y = map.cy - radius * std::cos(a);
}

// The bar under the point (x, y), or null: the nearest bar within a few
// pixels of its angle, between the bar base and its end (a short bar can be
// hit up to the ring's edge so that a pointer finds it).
const MapBar* map_bar_at(const GenomeMap& map, double x, double y);
// The pointer's text for a bar: "8527 m.8527A>G | MT-ATP8, MT-ATP6 | missense |
// 12 of 50 samples (3 heteroplasmic)".
std::string map_bar_text(const GenomeMap& map, const MapBar& bar);

// The map as a standalone SVG drawing (no external reference; texts as text
// in Liberation Sans). Arcs carry class="arc", bars class="bar" (hollow ones
// "bar hollow"), each with a <title> that a browser shows under the pointer.
std::string genome_map_svg(const GenomeMap& map);

// "16,569".
std::string thousands(int64_t n);

}  // namespace corvella
