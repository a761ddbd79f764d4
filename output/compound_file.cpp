#include "output/compound_file.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-output.h>
#include <gsf/gsf-utils.h>

#include <mutex>

namespace corvella {

namespace {

std::string reason_of(GsfOutput* output, const char* fallback) {
    const GError* e = gsf_output_error(output);
    return e != nullptr && e->message != nullptr ? e->message : fallback;
}

}  // namespace

bool compound_file_bytes(const std::string& stream_name, std::string_view data, std::string* out,
                         std::string* error) {
    static std::once_flag init;
    std::call_once(init, [] { gsf_init(); });

    GsfOutput* sink = gsf_output_memory_new();
    GsfOutfile* container = gsf_outfile_msole_new(sink);
    bool ok = container != nullptr;
    if (!ok) *error = "cannot create the workbook container";

    if (ok) {
        GsfOutput* stream = gsf_outfile_new_child(container, stream_name.c_str(), FALSE);
        ok = stream != nullptr;
        if (!ok) *error = "cannot create the workbook stream";
        if (ok) {
            ok = data.empty() ||
                 gsf_output_write(stream, data.size(), reinterpret_cast<const guint8*>(data.data()));
            if (!ok) *error = reason_of(stream, "cannot write the workbook stream");
            if (!gsf_output_close(stream) && ok) {
                ok = false;
                *error = reason_of(stream, "cannot close the workbook stream");
            }
            g_object_unref(stream);
        }
        if (!gsf_output_close(GSF_OUTPUT(container)) && ok) {
            ok = false;
            *error = reason_of(GSF_OUTPUT(container), "cannot finish the workbook container");
        }
        g_object_unref(container);
    }
    if (ok) {
        const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink));
        const gsf_off_t size = gsf_output_size(sink);
        out->assign(reinterpret_cast<const char*>(bytes), static_cast<size_t>(size));
    }
    // Closing the container closes the sink too, unless it failed first.
    if (!gsf_output_is_closed(sink)) gsf_output_close(sink);
    g_object_unref(sink);
    return ok;
}

}  // namespace corvella
