#include "cli/chart_command.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

#include "output/atomic_file.h"
#include "pictures/pictures.h"

namespace corvella::cli {

namespace {

#ifdef CORVELLA_WITH_PICTURES
// The folder of the running program, from /proc/self/exe (links resolved).
std::string program_folder() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return {};
    const std::string exe(path, static_cast<size_t>(n));
    return exe.substr(0, exe.find_last_of('/'));
}

// The pictures module beside the program (the build folder), else where the
// package installs it relative to the program. Loaded once, never unloaded:
// Qt does not expect to be unmapped.
const PictureModule* load_picture_module(std::string* reason) {
    static const PictureModule* loaded = nullptr;
    static std::string failure;
    if (loaded != nullptr || !failure.empty()) {
        *reason = failure;
        return loaded;
    }
    const std::string folder = program_folder();
    std::string tried;
    for (const std::string& dir : {folder, folder + "/" CORVELLA_PICTURES_RELATIVE_DIR}) {
        const std::string file = dir + "/" + PICTURE_MODULE_FILE;
        if (access(file.c_str(), F_OK) != 0) continue;
        void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            failure = dlerror();
            break;
        }
        auto entry = reinterpret_cast<const PictureModule* (*)()>(dlsym(handle, PICTURE_MODULE_ENTRY));
        const PictureModule* module = entry != nullptr ? entry() : nullptr;
        if (module == nullptr || module->version != PICTURE_MODULE_VERSION || module->paint_charts == nullptr) {
            failure = file + " is not this corvella-cli's pictures module";
            break;
        }
        loaded = module;
        return loaded;
    }
    if (failure.empty()) failure = std::string("no ") + PICTURE_MODULE_FILE + " beside " + folder + " or in " + folder +
                                   "/" CORVELLA_PICTURES_RELATIVE_DIR;
    *reason = failure;
    return nullptr;
}
#else
const PictureModule* load_picture_module(std::string* reason) {
    *reason = "this corvella-cli was built without Qt and cannot paint charts";
    return nullptr;
}
#endif

}  // namespace

WriteResult write_chart_image(const ChartSpec& spec, const std::string& path, int argc, char** argv,
                              std::optional<std::pair<int, int>> size) {
    return write_chart_images({{spec, path}}, argc, argv, nullptr, size);
}

WriteResult write_chart_images(const std::vector<ChartJob>& charts, int argc, char** argv,
                               const std::function<void(const std::string&)>& before,
                               std::optional<std::pair<int, int>> size) {
    std::string reason;
    const PictureModule* module = load_picture_module(&reason);
    if (module == nullptr) return {false, "cannot paint charts: " + reason};
    std::vector<ChartPicture> pictures;
    pictures.reserve(charts.size());
    for (const auto& [spec, path] : charts)
        pictures.push_back({spec, chart_image_format(path), size ? size->first : 0, size ? size->second : 0});
    WriteResult result;
    module->paint_charts(pictures, argc > 0 ? argv[0] : nullptr, [&](size_t i, const PaintedPicture& picture) {
        const std::string& path = charts[i].second;
        if (before) before(path);
        result = picture.ok ? write_file_atomically(path, picture.bytes) : write_failure(path, picture.reason);
        return result.ok;
    });
    return result;
}

WriteResult write_map_image(const GenomeMap& map, const std::string& path, int argc, char** argv) {
    const ChartImageFormat format = chart_image_format(path);
    if (format == ChartImageFormat::Svg) return write_file_atomically(path, genome_map_svg(map));
    std::string reason;
    const PictureModule* module = load_picture_module(&reason);
    if (module == nullptr) return {false, "cannot paint the map: " + reason};
    const PaintedPicture picture = module->paint_map(map, format, argc > 0 ? argv[0] : nullptr);
    return picture.ok ? write_file_atomically(path, picture.bytes) : write_failure(path, picture.reason);
}

std::vector<std::string> chart_svg_texts(const std::vector<ChartSpec>& charts, int argc, char** argv,
                                         std::string* reason) {
    std::vector<std::string> texts(charts.size());
    const PictureModule* module = load_picture_module(reason);
    if (module == nullptr) return texts;
    std::vector<ChartPicture> pictures;
    for (const ChartSpec& chart : charts) pictures.push_back({chart, ChartImageFormat::Svg, 0, 0});
    module->paint_charts(pictures, argc > 0 ? argv[0] : nullptr, [&](size_t i, const PaintedPicture& picture) {
        if (picture.ok) texts[i] = picture.bytes;
        return true;
    });
    return texts;
}

}  // namespace corvella::cli
