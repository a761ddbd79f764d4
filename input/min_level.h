// The minimum level of the VCF calls kept, as a person types it (the desktop
// program's question, the command line's --min-level) and as the import
// summary states it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvella {

// A decimal number from 0 to 1 ("0.9", ".75", "1", "5e-1"), read the same in
// every locale; nothing for anything else: a percentage ("90", "90%"), a
// comma as the decimal mark, blanks around it, "nan", an empty word.
std::optional<double> read_min_level(std::string_view word);

// What a refused word is told: "The minimum level takes a number from 0 to 1
// (0.9 keeps calls of 90% and more), not 90."
std::string min_level_refusal(std::string_view word);

// The level as the summary names it: the shortest of up to three decimals
// that gives it back ("0.9", "0.75", "1", "0").
std::string min_level_text(double level);

}  // namespace corvella
