// Lays out the circular genome map of the loaded reference and the cohort
// read into the workspace, at a picture size in pixels.
#pragma once

#include "core/workspace.h"
#include "output/genome_map.h"

namespace corvella {

// The 37 genes and the D-loop of the region table as arcs (ND6 and the
// eight light-strand tRNAs of the human layout, MT-TQ, MT-TA, MT-TN, MT-TC,
// MT-TY, MT-TS1, MT-TE and MT-TP, on the inner track; a protein gene read in
// reverse on another reference is inner too), every key of the variant
// tally as a bar coloured by its worst consequence in the regions holding
// it, its length by the square root of its share of samples. A size below
// the minimum is laid out at the minimum.
GenomeMap build_genome_map(const Workspace& ws, int width = MAP_DEFAULT_WIDTH, int height = MAP_DEFAULT_HEIGHT);

// The two halves of build_genome_map, for a window that lays the same
// variants out again at every size: the bars' classification and carriers
// (no geometry yet), then the layout of the map around them.
std::vector<MapBar> map_bars(const Workspace& ws);
GenomeMap lay_out_genome_map(const Workspace& ws, std::vector<MapBar> bars, int width, int height);

// The consequence a variant is drawn with: the worst over its regions
// (stop gained or lost, then missense, synonymous, tRNA, rRNA, D-loop,
// other non-coding).
MapConsequence map_consequence(const Workspace& ws, int32_t position, char base);

}  // namespace corvella
