#include "input/reference_loading.h"

#include "core/human_reference.h"
#include "input/genbank_reader.h"

namespace corvella {

std::string load_reference(Workspace& ws, const std::optional<std::string>& path) {
    if (!path) {
        use_human_ref_data(ws);
        ws.human_reference = true;
        return {};
    }
    const ReferenceReadResult read = extract_info_from_reference(*path);
    if (!read.ok) return read.message;
    use_reference(ws, read);
    ws.human_reference = false;
    return {};
}

}  // namespace corvella
