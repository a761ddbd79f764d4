#include "bench/harness.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

extern char** environ;

namespace corvella::bench {

namespace {

double cpu_now() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto secs = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return secs(usage.ru_utime) + secs(usage.ru_stime);
}

double best_cpu = 0;

}  // namespace

double last_cpu_seconds() { return best_cpu; }

double best_seconds(int repeat, const std::function<void()>& body) {
    return best_seconds(repeat, [] {}, body);
}

double best_seconds(int repeat, const std::function<void()>& before, const std::function<void()>& body) {
    double best = 1e300;
    for (int i = 0; i < std::max(1, repeat); ++i) {
        before();
        const double c0 = cpu_now();
        const auto t0 = std::chrono::steady_clock::now();
        body();
        const auto t1 = std::chrono::steady_clock::now();
        const double wall = std::chrono::duration<double>(t1 - t0).count();
        if (wall < best) {
            best = wall;
            best_cpu = cpu_now() - c0;
        }
    }
    return best;
}

long peak_rss_kb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;  // kilobytes on Linux
}

int64_t file_size(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<int64_t>(st.st_size) : -1;
}

double tool_seconds(const std::vector<std::string>& tool_and_args, const std::string& path) {
    std::vector<std::string> words = tool_and_args;
    words.push_back(path);
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    bool failed = false;
    const double t = best_seconds(3, [&] {
        pid_t pid = 0;
        int status = 0;
        if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0 ||
            waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            failed = true;
    });
    posix_spawn_file_actions_destroy(&actions);
    return failed ? -1.0 : t;
}

void print_row(const Row& row) {
    const long peak = peak_rss_kb();
    const double cpu = last_cpu_seconds();  // before the tools below time themselves  // before the tools run: they are other processes anyway
    double wc = 0, cat = 0;
    if (!row.file.empty()) {
        wc = tool_seconds({"wc", "-l"}, row.file);
        cat = tool_seconds({"cat"}, row.file);
    }
    const double rate = row.seconds > 0 ? row.amount / row.seconds : 0;
    std::printf("%s\t%s\t%lld\t%.6f\t%.1f %s/s\t%ld\t%.6f\t%.6f\t%s\t%.6f\n", row.name.c_str(),
                row.input.c_str(), static_cast<long long>(row.bytes), row.seconds, rate, row.unit.c_str(), peak, wc,
                cat, row.note.c_str(), cpu);
    std::fflush(stdout);
}

}  // namespace corvella::bench
