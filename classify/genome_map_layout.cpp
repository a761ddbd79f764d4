#include "classify/genome_map_layout.h"

#include <algorithm>
#include <cmath>

#include "classify/variant_annotation.h"
#include "classify/variant_table.h"

namespace corvella {

namespace {

constexpr double PI = 3.14159265358979323846;

// The RNA rows read from the light strand in the human mitogenome.
bool light_strand_rna(int row) {
    switch (row) {
        case 4: case 7: case 8: case 9: case 10: case 11: case 19: case 21: return true;
        default: return false;
    }
}

std::string or_name(const std::string& symbol, const char* name) { return symbol.empty() ? name : symbol; }

// The width of a label in Liberation Sans, near enough to decide whether it
// fits its arc: the face's average advance is a little over half its size.
double label_width(const std::string& text, double pixels) { return 0.6 * pixels * static_cast<double>(text.size()); }

MapConsequence worse(MapConsequence a, MapConsequence b) { return static_cast<int>(a) < static_cast<int>(b) ? a : b; }

MapConsequence consequence_of(const VariantAnnotation& a) {
    switch (a.region.type) {
        case RegionType::Protein:
            switch (codon_consequence(a.codon)) {
                case CodonConsequence::StopGained:
                case CodonConsequence::StopLost: return MapConsequence::StopChange;
                case CodonConsequence::Synonymous:
                case CodonConsequence::StopRetained:
                case CodonConsequence::StartRetained: return MapConsequence::Synonymous;
                case CodonConsequence::StartLost:
                // A codon outside the table changes the protein in a way
                // that is not known: drawn with the amino-acid changes.
                case CodonConsequence::Missense:
                case CodonConsequence::Incomplete: return MapConsequence::Missense;
            }
            break;
        case RegionType::Trna: return MapConsequence::Trna;
        case RegionType::Rrna: return MapConsequence::Rrna;
        case RegionType::DLoop: return MapConsequence::DLoop;
        case RegionType::NonCoding: break;
    }
    return MapConsequence::NonCoding;
}

void place_label(const GenomeMap& map, MapArc& arc) {
    const double mid = arc.start_angle + arc.sweep / 2.0;
    const double r = (arc.inner_radius + arc.outer_radius) / 2.0;
    map_point(map, mid, r, arc.label_x, arc.label_y);
    const double along = arc.sweep * PI / 180.0 * r;
    arc.labelled = along >= label_width(arc.label, map.text_pixels) + 6.0 &&
                   arc.outer_radius - arc.inner_radius >= map.text_pixels * 1.1;
    // Along the arc, turned so that it never reads upside down.
    double m = std::fmod(mid, 360.0);
    if (m < 0) m += 360.0;
    arc.label_rotation = (m > 90.0 && m < 270.0) ? m - 180.0 : m;
    if (arc.label_rotation > 180.0) arc.label_rotation -= 360.0;
}

}  // namespace

MapConsequence map_consequence(const Workspace& ws, int32_t position, char base) {
    MapConsequence c = MapConsequence::NonCoding;
    for (const VariantAnnotation& a : annotate_variant(ws, position, base)) c = worse(c, consequence_of(a));
    return c;
}

std::vector<MapBar> map_bars(const Workspace& ws) {
    std::vector<MapBar> bars;
    bars.reserve(ws.variant_tally.size());
    const std::vector<VariantCarriers> carriers = count_variant_carriers(ws);
    const auto samples = static_cast<double>(ws.sample_positions.size());
    size_t k = 0;
    for (const auto& [key, count] : ws.variant_tally) {
        (void)count;
        const VariantCarriers& c = carriers[k++];
        MapBar bar{};
        bar.position = key.position;
        bar.base = key.base;
        bar.change = hgvs_genomic(ws, key.position, key.base);
        std::string genes;
        for (const VariantRegion& region : variant_regions(ws, key.position)) {
            std::string name;
            if (region.type == RegionType::Protein)
                name = or_name(ws.protein_symbols[static_cast<size_t>(region.row)],
                               PROTEIN_GENE_NAMES[static_cast<size_t>(region.row)]);
            else if (region.type == RegionType::Trna || region.type == RegionType::Rrna)
                name = or_name(ws.rna_symbols[static_cast<size_t>(region.row)],
                               RNA_GENE_NAMES[static_cast<size_t>(region.row)]);
            else
                name = region.type == RegionType::DLoop ? "D-loop" : "non-coding";
            genes += (genes.empty() ? "" : ", ") + name;
        }
        bar.gene = genes;
        bar.consequence = map_consequence(ws, key.position, key.base);
        bar.samples = c.samples;
        bar.heteroplasmic = c.heteroplasmic;
        bar.share = samples > 0 ? std::min(1.0, c.samples / samples) : 0.0;
        bar.hollow = c.samples > 0 && c.homoplasmic == 0;
        bars.push_back(std::move(bar));
    }
    return bars;
}

GenomeMap build_genome_map(const Workspace& ws, int width, int height) {
    return lay_out_genome_map(ws, map_bars(ws), width, height);
}

GenomeMap lay_out_genome_map(const Workspace& ws, std::vector<MapBar> bars, int width, int height) {
    GenomeMap map;
    map.width = std::max(width, MAP_MINIMUM_WIDTH);
    map.height = std::max(height, MAP_MINIMUM_HEIGHT);
    map.length = ws.reference_length();
    map.samples = static_cast<int32_t>(ws.sample_positions.size());
    map.text_pixels = std::clamp(std::min(map.width, map.height) / 58.0, 8.0, 12.0);
    map.title = "Variants of " + thousands(map.samples) + (map.samples == 1 ? " sample" : " samples") +
                (ws.reference_accession.empty() ? std::string() : " on " + ws.reference_accession);
    map.centre_text = thousands(map.length) + " bp";

    // The ring on the left, the legend in a column at its right.
    const double legend_width = map.text_pixels * 17.0;
    const double top = map.text_pixels * 3.0;
    const double margin = map.text_pixels;
    const double diameter =
        std::max(100.0, std::min(map.height - top - margin, map.width - legend_width - 3.0 * margin));
    map.radius = diameter / 2.0;
    map.cx = margin + map.radius;
    map.cy = top + (map.height - top - margin) / 2.0;
    map.legend_x = map.cx + map.radius + 2.0 * margin;
    map.legend_y = top;

    const double track = std::max(map.radius * 0.085, map.text_pixels * 1.3);
    const double outer_top = map.radius * 0.70;
    const double gap = std::max(2.0, map.radius * 0.01);
    map.bar_base = outer_top + gap * 2.0;
    map.tick_radius = outer_top - 2.0 * track - 2.0 * gap;
    map.bar_width = std::clamp(map.radius / 110.0, 2.0, 4.0);
    const double longest = map.radius - map.bar_base;

    if (map.length <= 0) return map;
    auto arc = [&](std::string label, MapFeatureKind kind, bool outer, int32_t start, int32_t end) {
        MapArc a;
        a.label = std::move(label);
        a.kind = kind;
        a.outer = outer;
        a.start = start;
        a.end = end;
        const int32_t bases = end >= start ? end - start + 1 : map.length - start + 1 + end;
        a.start_angle = (start - 1) * 360.0 / map.length;
        a.sweep = std::max(bases * 360.0 / map.length, 0.05);
        a.outer_radius = outer ? outer_top : outer_top - track - gap;
        a.inner_radius = a.outer_radius - track;
        place_label(map, a);
        map.arcs.push_back(std::move(a));
    };
    for (int k = 0; k < PROTEIN_GENE_COUNT; ++k)
        if (ws.protein_start(k) > 0 && ws.protein_end(k) >= ws.protein_start(k))
            arc(or_name(ws.protein_symbols[static_cast<size_t>(k)], PROTEIN_GENE_NAMES[static_cast<size_t>(k)]),
                MapFeatureKind::Protein, !ws.protein_reading[static_cast<size_t>(k)].reverse, ws.protein_start(k),
                ws.protein_end(k));
    for (int k = 0; k < RNA_GENE_COUNT; ++k)
        if (ws.rna_start(k) > 0 && ws.rna_end(k) >= ws.rna_start(k))
            arc(or_name(ws.rna_symbols[static_cast<size_t>(k)], RNA_GENE_NAMES[static_cast<size_t>(k)]),
                k >= RRNA_12S_ROW ? MapFeatureKind::Rrna : MapFeatureKind::Trna, !light_strand_rna(k),
                ws.rna_start(k), ws.rna_end(k));
    const int32_t dloop_start = ws.region_table[DLOOP_START_SLOT], dloop_end = ws.region_table[DLOOP_END_SLOT];
    if (dloop_start > 0 && dloop_end > 0) arc("D-loop", MapFeatureKind::DLoop, true, dloop_start, dloop_end);

    for (int32_t p = 1; p <= map.length; p = p == 1 ? 1000 : p + 1000)
        map.ticks.push_back({p, map_angle(p, map.length), p == 1 ? "1" : std::to_string(p / 1000) + "k"});

    map.bars = std::move(bars);
    for (MapBar& bar : map.bars) {
        bar.angle = map_angle(bar.position, map.length);
        bar.inner_radius = map.bar_base;
        // At least a few pixels, so that a variant of one sample in a
        // biobank is still seen.
        bar.outer_radius = map.bar_base + std::max(3.0, longest * std::sqrt(bar.share));
    }

    for (const auto& [share, label] : {std::pair<double, const char*>{1.0, "100%"}, {0.25, "25%"}, {0.05, "5%"},
                                       {0.01, "1%"}})
        map.scale.push_back({share, label, std::max(3.0, longest * std::sqrt(share))});
    lay_out_map_legend(map);
    return map;
}

}  // namespace corvella
