// The libraries that only some commands use, loaded when one of their
// functions is first called instead of when corvella-cli starts: htslib (VCF
// and BCF, with its compression libraries), libgsf with GLib (.xls
// workbooks), libxlsxwriter (.xlsx) and WFA2 (aligning whole mitogenomes).
// Each function the program calls is defined here with the library's own
// prototype (the headers check them) and forwards to the library's function,
// found with dlsym on first use. corvella-cli links with --as-needed, so the
// libraries are not in its list of needed libraries: a text report starts
// with the C and C++ libraries and zlib alone.
#include <dlfcn.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-output.h>
#include <gsf/gsf-utils.h>
#include <htslib/bgzf.h>
#include <htslib/hfile.h>
#include <htslib/hts.h>
#include <htslib/thread_pool.h>
#include <htslib/vcf.h>
#include <xlsxwriter.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

namespace {

// A library that is not there (the package depends on all of them) ends the
// run with the loader's reason, as an input that cannot be used.
[[noreturn]] void cannot_load(const char* reason) {
    std::fflush(stdout);
    std::fprintf(stderr, "corvella-cli: cannot load a library: %s\n", reason);
    std::_Exit(2);
}

void* open_library(const char* soname) {
    void* handle = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) cannot_load(dlerror());
    return handle;
}

// The library's function `name` as a pointer of type F (dlsym searches the
// library and what it needs: GLib's functions come with libgsf).
template <typename F>
F function_of(void* library, const char* name) {
    void* f = dlsym(library, name);
    if (f == nullptr) cannot_load(dlerror());
    return reinterpret_cast<F>(f);
}

// One handle per library, opened by the first call (thread-safe statics).
void* gsf() {
    static void* const handle = open_library(CORVELLA_GSF_SONAME);
    return handle;
}
void* hts() {
    static void* const handle = [] {
        void* library = open_library(CORVELLA_HTS_SONAME);
        // The marks of a missing value and of a vector's end are defined
        // below with htslib's values: say so if this htslib has others.
        for (const auto& [name, value] : {std::pair{"bcf_float_missing", bcf_float_missing},
                                          std::pair{"bcf_float_vector_end", bcf_float_vector_end}})
            if (*function_of<const uint32_t*>(library, name) != value)
                cannot_load((std::string(CORVELLA_HTS_SONAME) + " marks missing values otherwise").c_str());
        return library;
    }();
    return handle;
}
void* xlsx() {
    static void* const handle = open_library(CORVELLA_XLSXWRITER_SONAME);
    return handle;
}
void* wfa() {
    static void* const handle = open_library(CORVELLA_WFA2CPP_SONAME);
    return handle;
}

}  // namespace

// The library function `name`, typed as its declaration, resolved once.
#define CORVELLA_LAZY(library, name)                                                           \
    ([] {                                                                                      \
        static const auto f = function_of<decltype(&::name)>(library(), #name);                \
        return f;                                                                              \
    }())

extern "C" {

// libgsf and the two GObject functions its macros call.
void gsf_init(void) { CORVELLA_LAZY(gsf, gsf_init)(); }
GsfOutfile* gsf_outfile_msole_new(GsfOutput* sink) { return CORVELLA_LAZY(gsf, gsf_outfile_msole_new)(sink); }
GsfOutput* gsf_outfile_new_child(GsfOutfile* outfile, char const* name, gboolean is_dir) {
    return CORVELLA_LAZY(gsf, gsf_outfile_new_child)(outfile, name, is_dir);
}
gboolean gsf_output_close(GsfOutput* output) { return CORVELLA_LAZY(gsf, gsf_output_close)(output); }
GError const* gsf_output_error(GsfOutput const* output) { return CORVELLA_LAZY(gsf, gsf_output_error)(output); }
GType gsf_output_get_type(void) { return CORVELLA_LAZY(gsf, gsf_output_get_type)(); }
gboolean gsf_output_is_closed(GsfOutput const* output) { return CORVELLA_LAZY(gsf, gsf_output_is_closed)(output); }
GsfOutput* gsf_output_stdio_new_FILE(char const* filename, FILE* file, gboolean keep_open) {
    return CORVELLA_LAZY(gsf, gsf_output_stdio_new_FILE)(filename, file, keep_open);
}
gboolean gsf_output_write(GsfOutput* output, size_t num_bytes, guint8 const* data) {
    return CORVELLA_LAZY(gsf, gsf_output_write)(output, num_bytes, data);
}
void g_object_unref(gpointer object) { CORVELLA_LAZY(gsf, g_object_unref)(object); }
GTypeInstance* g_type_check_instance_cast(GTypeInstance* instance, GType iface_type) {
    return CORVELLA_LAZY(gsf, g_type_check_instance_cast)(instance, iface_type);
}

// libxlsxwriter.
char* lxw_strerror(lxw_error error_num) { return CORVELLA_LAZY(xlsx, lxw_strerror)(error_num); }
void lxw_workbook_free(lxw_workbook* workbook) { CORVELLA_LAZY(xlsx, lxw_workbook_free)(workbook); }
lxw_worksheet* workbook_add_worksheet(lxw_workbook* workbook, const char* sheetname) {
    return CORVELLA_LAZY(xlsx, workbook_add_worksheet)(workbook, sheetname);
}
lxw_error workbook_close(lxw_workbook* workbook) { return CORVELLA_LAZY(xlsx, workbook_close)(workbook); }
lxw_workbook* workbook_new_opt(const char* filename, lxw_workbook_options* options) {
    return CORVELLA_LAZY(xlsx, workbook_new_opt)(filename, options);
}
lxw_error worksheet_write_number(lxw_worksheet* worksheet, lxw_row_t row, lxw_col_t col, double number,
                                 lxw_format* format) {
    return CORVELLA_LAZY(xlsx, worksheet_write_number)(worksheet, row, col, number, format);
}
lxw_error worksheet_write_string(lxw_worksheet* worksheet, lxw_row_t row, lxw_col_t col, const char* string,
                                 lxw_format* format) {
    return CORVELLA_LAZY(xlsx, worksheet_write_string)(worksheet, row, col, string, format);
}

// htslib. Its two float marks are data, read by vcf.h's inline functions.
uint32_t bcf_float_missing = 0x7F800001;
uint32_t bcf_float_vector_end = 0x7F800002;
void bcf_destroy(bcf1_t* v) { CORVELLA_LAZY(hts, bcf_destroy)(v); }
bcf_fmt_t* bcf_get_fmt(const bcf_hdr_t* hdr, bcf1_t* line, const char* key) {
    return CORVELLA_LAZY(hts, bcf_get_fmt)(hdr, line, key);
}
bcf_info_t* bcf_get_info(const bcf_hdr_t* hdr, bcf1_t* line, const char* key) {
    return CORVELLA_LAZY(hts, bcf_get_info)(hdr, line, key);
}
int bcf_hdr_append(bcf_hdr_t* h, const char* line) { return CORVELLA_LAZY(hts, bcf_hdr_append)(h, line); }
void bcf_hdr_destroy(bcf_hdr_t* h) { CORVELLA_LAZY(hts, bcf_hdr_destroy)(h); }
int bcf_hdr_id2int(const bcf_hdr_t* hdr, int type, const char* id) {
    return CORVELLA_LAZY(hts, bcf_hdr_id2int)(hdr, type, id);
}
bcf_hrec_t* bcf_hdr_get_hrec(const bcf_hdr_t* hdr, int type, const char* key, const char* value,
                             const char* str_class) {
    return CORVELLA_LAZY(hts, bcf_hdr_get_hrec)(hdr, type, key, value, str_class);
}
bcf_hdr_t* bcf_hdr_read(htsFile* fp) { return CORVELLA_LAZY(hts, bcf_hdr_read)(fp); }
const char** bcf_hdr_seqnames(const bcf_hdr_t* h, int* nseqs) {
    return CORVELLA_LAZY(hts, bcf_hdr_seqnames)(h, nseqs);
}
int bcf_hdr_sync(bcf_hdr_t* h) { return CORVELLA_LAZY(hts, bcf_hdr_sync)(h); }
int bcf_hdr_write(htsFile* fp, bcf_hdr_t* h) { return CORVELLA_LAZY(hts, bcf_hdr_write)(fp, h); }
int bcf_idx_init(htsFile* fp, bcf_hdr_t* h, int min_shift, const char* fnidx) {
    return CORVELLA_LAZY(hts, bcf_idx_init)(fp, h, min_shift, fnidx);
}
int bcf_hrec_add_key(bcf_hrec_t* hrec, const char* str, size_t len) {
    return CORVELLA_LAZY(hts, bcf_hrec_add_key)(hrec, str, len);
}
int bcf_hrec_find_key(bcf_hrec_t* hrec, const char* key) {
    return CORVELLA_LAZY(hts, bcf_hrec_find_key)(hrec, key);
}
int bcf_hrec_set_val(bcf_hrec_t* hrec, int i, const char* str, size_t len, int is_quoted) {
    return CORVELLA_LAZY(hts, bcf_hrec_set_val)(hrec, i, str, len, is_quoted);
}
int bcf_idx_save(htsFile* fp) { return CORVELLA_LAZY(hts, bcf_idx_save)(fp); }
bcf1_t* bcf_init(void) { return CORVELLA_LAZY(hts, bcf_init)(); }
int bcf_read(htsFile* fp, const bcf_hdr_t* h, bcf1_t* v) { return CORVELLA_LAZY(hts, bcf_read)(fp, h, v); }
int bcf_unpack(bcf1_t* b, int which) { return CORVELLA_LAZY(hts, bcf_unpack)(b, which); }
int bcf_update_info(const bcf_hdr_t* hdr, bcf1_t* line, const char* key, const void* values, int n, int type) {
    return CORVELLA_LAZY(hts, bcf_update_info)(hdr, line, key, values, n, type);
}
int bcf_write(htsFile* fp, bcf_hdr_t* h, bcf1_t* v) { return CORVELLA_LAZY(hts, bcf_write)(fp, h, v); }
int bgzf_check_EOF(BGZF* fp) { return CORVELLA_LAZY(hts, bgzf_check_EOF)(fp); }
void hclose_abruptly(hFILE* fp) { CORVELLA_LAZY(hts, hclose_abruptly)(fp); }
// hopen takes options after the mode; the program passes none.
hFILE* hopen(const char* filename, const char* mode, ...) { return CORVELLA_LAZY(hts, hopen)(filename, mode); }
int hts_close(htsFile* fp) { return CORVELLA_LAZY(hts, hts_close)(fp); }
int hts_detect_format(struct hFILE* fp, htsFormat* fmt) { return CORVELLA_LAZY(hts, hts_detect_format)(fp, fmt); }
BGZF* hts_get_bgzfp(htsFile* fp) { return CORVELLA_LAZY(hts, hts_get_bgzfp)(fp); }
const htsFormat* hts_get_format(htsFile* fp) { return CORVELLA_LAZY(hts, hts_get_format)(fp); }
enum htsLogLevel hts_get_log_level(void) { return CORVELLA_LAZY(hts, hts_get_log_level)(); }
int hts_getline(htsFile* fp, int delimiter, kstring_t* str) {
    return CORVELLA_LAZY(hts, hts_getline)(fp, delimiter, str);
}
htsFile* hts_open(const char* fn, const char* mode) { return CORVELLA_LAZY(hts, hts_open)(fn, mode); }
void hts_set_log_level(enum htsLogLevel level) { CORVELLA_LAZY(hts, hts_set_log_level)(level); }
int hts_set_thread_pool(htsFile* fp, htsThreadPool* p) { return CORVELLA_LAZY(hts, hts_set_thread_pool)(fp, p); }
void hts_tpool_destroy(hts_tpool* p) { CORVELLA_LAZY(hts, hts_tpool_destroy)(p); }
hts_tpool* hts_tpool_init(int n) { return CORVELLA_LAZY(hts, hts_tpool_init)(n); }

}  // extern "C"

// WFA2's C++ aligner: the members the aligner calls, under their mangled
// names (the class's header is not needed for forwarding; `this` comes
// first, the enumerations are ints).
namespace {

using VoidMember = void (*)(void*);
template <typename F>
F wfa_member(const char* mangled) {
    return function_of<F>(wfa(), mangled);
}

}  // namespace

#define CORVELLA_WFA(type, mangled)                                  \
    ([] {                                                            \
        static const auto f = wfa_member<type>(mangled);             \
        return f;                                                    \
    }())

extern "C" {

#define WFA_GAP_AFFINE "_ZN3wfa18WFAlignerGapAffineC1EiiiNS_9WFAligner14AlignmentScopeENS1_11MemoryModelE"
#define WFA_END_TO_END "_ZN3wfa9WFAligner12alignEnd2EndEPKciS2_i"
#define WFA_NO_HEURISTIC "_ZN3wfa9WFAligner16setHeuristicNoneEv"
#define WFA_CIGAR "_ZN3wfa9WFAligner17getAlignmentCigarEPPcPi"
#define WFA_SCORE "_ZN3wfa9WFAligner17getAlignmentScoreEv"
#define WFA_MAX_SCORE "_ZN3wfa9WFAligner20setMaxAlignmentScoreEi"
#define WFA_DESTROY "_ZN3wfa9WFAlignerD2Ev"

void corvella_wfa_gap_affine(void* self, int mismatch, int open, int extend, int scope, int model) __asm__(WFA_GAP_AFFINE);
void corvella_wfa_gap_affine(void* self, int mismatch, int open, int extend, int scope, int model) {
    CORVELLA_WFA(void (*)(void*, int, int, int, int, int), WFA_GAP_AFFINE)(self, mismatch, open, extend, scope, model);
}
int corvella_wfa_end_to_end(void* self, const char* pattern, int pattern_length, const char* text, int text_length)
    __asm__(WFA_END_TO_END);
int corvella_wfa_end_to_end(void* self, const char* pattern, int pattern_length, const char* text, int text_length) {
    return CORVELLA_WFA(int (*)(void*, const char*, int, const char*, int), WFA_END_TO_END)(self, pattern,
                                                                                          pattern_length, text,
                                                                                          text_length);
}
void corvella_wfa_no_heuristic(void* self) __asm__(WFA_NO_HEURISTIC);
void corvella_wfa_no_heuristic(void* self) { CORVELLA_WFA(VoidMember, WFA_NO_HEURISTIC)(self); }
void corvella_wfa_cigar(void* self, char** operations, int* length) __asm__(WFA_CIGAR);
void corvella_wfa_cigar(void* self, char** operations, int* length) {
    CORVELLA_WFA(void (*)(void*, char**, int*), WFA_CIGAR)(self, operations, length);
}
int corvella_wfa_score(void* self) __asm__(WFA_SCORE);
int corvella_wfa_score(void* self) { return CORVELLA_WFA(int (*)(void*), WFA_SCORE)(self); }
void corvella_wfa_max_score(void* self, int score) __asm__(WFA_MAX_SCORE);
void corvella_wfa_max_score(void* self, int score) { CORVELLA_WFA(void (*)(void*, int), WFA_MAX_SCORE)(self, score); }
void corvella_wfa_destroy(void* self) __asm__(WFA_DESTROY);
void corvella_wfa_destroy(void* self) { CORVELLA_WFA(VoidMember, WFA_DESTROY)(self); }

}  // extern "C"
