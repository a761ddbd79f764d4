// corvella_process_times RUNS COMMAND [:: COMMAND]...: runs the commands one
// after the other, RUNS rounds of each in turn (so that a busy moment of the
// machine falls on all of them alike), each a whole process with its output
// thrown away, and prints one line per command: the median wall time and the
// median processor time (user + system, from the process's own rusage) in
// milliseconds, and the command. A command that fails ends the program with
// status 1.
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Times {
    double wall_ms;
    double cpu_ms;
};

double ms_of(const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; }

// One run of argv with stdout and stdin on /dev/null (stderr kept, for the
// reason of a failure); false when it cannot start or does not exit 0.
bool run_once(const std::vector<char*>& argv, Times& times) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        std::fprintf(stderr, "corvella_process_times: cannot run %s: %s\n", argv[0], std::strerror(spawned));
        return false;
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return false;
    const auto end = std::chrono::steady_clock::now();
    times.wall_ms = std::chrono::duration<double, std::milli>(end - start).count();
    times.cpu_ms = ms_of(usage.ru_utime) + ms_of(usage.ru_stime);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "corvella_process_times: %s failed\n", argv[0]);
        return false;
    }
    return true;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 2 ? std::atoi(argv[1]) : 0;
    if (runs < 1) {
        std::fprintf(stderr, "usage: corvella_process_times RUNS COMMAND [:: COMMAND]...\n");
        return 64;
    }
    std::vector<std::vector<char*>> commands(1);
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "::") == 0) {
            commands.emplace_back();
            continue;
        }
        commands.back().push_back(argv[i]);
    }
    for (auto& c : commands) {
        if (c.empty()) {
            std::fprintf(stderr, "corvella_process_times: an empty command\n");
            return 64;
        }
        c.push_back(nullptr);
    }
    std::vector<std::vector<double>> wall(commands.size()), cpu(commands.size());
    for (int r = 0; r < runs; ++r)
        for (size_t k = 0; k < commands.size(); ++k) {
            Times t{};
            if (!run_once(commands[k], t)) return 1;
            wall[k].push_back(t.wall_ms);
            cpu[k].push_back(t.cpu_ms);
        }
    for (size_t k = 0; k < commands.size(); ++k) {
        std::string line;
        for (size_t i = 0; commands[k][i] != nullptr; ++i) line += (i ? " " : "") + std::string(commands[k][i]);
        std::printf("%.2f\t%.2f\t%s\n", median(wall[k]), median(cpu[k]), line.c_str());
    }
    return 0;
}
