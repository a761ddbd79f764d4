// What is loaded as the reference, in one line for the person to read: so
// that a reference that is not human is never mistaken for one.
#pragma once

#include <string>

#include "core/workspace.h"

namespace corvella {

// "NC_012920, 16569 bases; genetic code 2 (Vertebrate Mitochondrial);
// forward strand: ATP6 ATP8 ... ND5; reverse strand: ND6". With several
// codes each names its genes: "genetic codes 5 (...) for ATP6 ..., 2 (...)
// for ND6". Genes in region-table order; an empty strand reads "none".
std::string reference_summary(const Workspace& ws);

// The genetic code part of it alone: "genetic code 2 (Vertebrate
// Mitochondrial)", or with several codes "genetic codes 5 (...) for ATP6 ...,
// 2 (...) for ND6".
std::string genetic_code_summary(const Workspace& ws);

}  // namespace corvella
