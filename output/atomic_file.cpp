#include "output/atomic_file.h"

#include "output/cancellation.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace corvella {

namespace {

// Fills the open file; gets its descriptor and its name.
using Fill = std::function<std::string(int fd, const std::string& name)>;

WriteResult write_atomically(const std::string& path, const Fill& fill);

std::string folder_of(const std::string& path) {
    const std::string::size_type sep = path.rfind('/');
    if (sep == std::string::npos) return ".";
    if (sep == 0) return "/";
    return path.substr(0, sep);
}

// A link is followed so that the file it names is replaced, not the link.
std::string resolve_link(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr) return path;
    return resolved;
}

// A new file gets the usual permissions (0666 less the umask); a replaced
// file keeps its own.
mode_t mode_for(const std::string& target) {
    struct stat st {};
    if (stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// A device or a named pipe is written into, never replaced: renaming over
// /dev/full or a pipe another program reads would put a plain file in its
// place. Such a target has no old content to keep, so no temporary is needed;
// its errors (a full device) are reported like any other.
WriteResult write_in_place(const std::string& path, const std::string& target, const Fill& fill) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY);
    if (fd < 0) return write_failure(path, std::strerror(errno));
    std::string reason = fill(fd, target);
    if (::close(fd) != 0 && reason.empty()) reason = std::strerror(errno);
    if (!reason.empty()) return write_failure(path, reason);
    return WriteResult{};
}

}  // namespace

bool write_all(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

WriteResult write_failure(const std::string& path, const std::string& reason) {
    return WriteResult{false, "Cannot write " + path + ": " + reason};
}

WriteResult write_file_atomically(const std::string& path, std::string_view bytes) {
    return write_file_atomically(path, [bytes](int fd) {
        return write_all(fd, bytes) ? std::string() : std::string(std::strerror(errno));
    });
}

WriteResult write_file_atomically(const std::string& path, const std::function<std::string(int fd)>& fill) {
    return write_atomically(path, [&fill](int fd, const std::string&) { return fill(fd); });
}

WriteResult write_file_atomically_by_name(const std::string& path,
                                          const std::function<std::string(const std::string& name)>& fill) {
    return write_atomically(path, [&fill](int, const std::string& name) { return fill(name); });
}

namespace {

WriteResult write_atomically(const std::string& path, const Fill& fill) {
    if (path.empty()) return write_failure(path, std::strerror(ENOENT));
    const std::string target = resolve_link(path);
    struct stat st {};
    if (stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return write_failure(path, std::strerror(EISDIR));
    if (stat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return write_in_place(path, target, fill);

    const std::string folder = folder_of(target);
    std::string pattern = folder + "/.corvella-XXXXXX";
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    const int fd = mkstemp(temp.data());
    if (fd < 0) return write_failure(path, std::strerror(errno));

    // A writer that opens the file by name writes into this same file: the
    // descriptor stays open, so it is still the one flushed and renamed.
    std::string reason;
    try {
        reason = fill(fd, std::string(temp.data()));
        // Cancelled work leaves the target as it was, also once its new
        // content is complete.
        if (reason.empty()) throw_if_cancelled();
    } catch (...) {
        ::close(fd);
        ::unlink(temp.data());
        throw;
    }
    int error = 0;
    if (reason.empty() && fchmod(fd, mode_for(target)) != 0) error = errno;
    if (reason.empty() && error == 0 && fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (reason.empty() && error == 0 && std::rename(temp.data(), target.c_str()) != 0) error = errno;
    if (reason.empty() && error != 0) reason = std::strerror(error);
    if (!reason.empty()) {
        ::unlink(temp.data());
        return write_failure(path, reason);
    }
    // Make the rename itself durable; a folder that cannot be synced does not
    // undo a write that has already succeeded.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        ::close(dir);
    }
    return WriteResult{};
}

}  // namespace

}  // namespace corvella
