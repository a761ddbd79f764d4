#include "output/compound_file.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-output.h>
#include <gsf/gsf-utils.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace corvella {

namespace {

// Keeps the first failure's reason.
void note(std::string* reason, GsfOutput* output, const char* fallback) {
    if (!reason->empty()) return;
    const GError* e = gsf_output_error(output);
    *reason = e != nullptr && e->message != nullptr ? e->message : fallback;
}

}  // namespace

std::string write_compound_file(int fd, const std::string& stream_name, std::string_view data) {
    static std::once_flag init;
    std::call_once(init, [] { gsf_init(); });

    // The container is streamed into the file, not built in memory first:
    // a large workbook is then copied once instead of three times.
    const int own = dup(fd);
    FILE* file = own >= 0 ? fdopen(own, "wb") : nullptr;
    if (file == nullptr) {
        const std::string reason = std::strerror(errno);
        if (own >= 0) close(own);
        return reason;
    }

    std::string reason;
    GsfOutput* sink = gsf_output_stdio_new_FILE("workbook", file, TRUE);
    GsfOutfile* container = sink != nullptr ? gsf_outfile_msole_new(sink) : nullptr;
    if (container == nullptr) {
        reason = "cannot create the workbook container";
    } else {
        GsfOutput* stream = gsf_outfile_new_child(container, stream_name.c_str(), FALSE);
        if (stream == nullptr) {
            reason = "cannot create the workbook stream";
        } else {
            if (!data.empty() &&
                !gsf_output_write(stream, data.size(), reinterpret_cast<const guint8*>(data.data())))
                note(&reason, stream, "cannot write the workbook stream");
            if (!gsf_output_close(stream)) note(&reason, stream, "cannot close the workbook stream");
            g_object_unref(stream);
        }
        if (!gsf_output_close(GSF_OUTPUT(container)))
            note(&reason, GSF_OUTPUT(container), "cannot finish the workbook container");
        g_object_unref(container);
    }
    if (sink != nullptr) {
        if (!gsf_output_is_closed(sink)) gsf_output_close(sink);
        g_object_unref(sink);
    }
    // The system's reason (disk full, ...) shows at the flush.
    if (fflush(file) != 0 && reason.empty()) reason = std::strerror(errno);
    if (ferror(file) != 0 && reason.empty()) reason = "cannot write the workbook";
    fclose(file);
    return reason;
}

}  // namespace corvella
