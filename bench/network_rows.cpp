#include <stdexcept>

#include "bench/rows.h"
#include "export/network_file.h"
#include "export/variable_sites.h"
#include "output/text_writer.h"

namespace corvella::bench {

Row run_network(const RunArgs& args) {
    Workspace ws;
    int32_t entries = 0;
    size_t text_bytes = 0;
    const std::string path = args.out_dir + "/network.rdf";
    WriteResult written;
    const double s = best_seconds(
        args.repeat, [&] { ws = Workspace{}; },
        [&] {
            entries = load_network_reading(ws, args.input);
            if (entries < 0) throw std::runtime_error("cannot read " + args.input);
            const std::string text = build_network_text(ws);
            written = write_text_file(path, text);
            text_bytes = text.size();
        });
    if (!written.ok) throw std::runtime_error(path + ": " + written.error);
    Row row;
    row.name = "network: read + transform + save";
    row.input = std::to_string(entries) + " x " + std::to_string(ws.variant_tally.size());
    row.bytes = file_size(args.input);
    row.seconds = s;
    row.amount = static_cast<double>(text_bytes) / 1e6;
    row.unit = "MB";
    row.note = std::to_string(file_size(path) / 1000000) + " MB written";
    return row;
}

}  // namespace corvella::bench
