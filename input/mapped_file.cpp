#include "input/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>

#include "input/text_file.h"

namespace corvella {

FileBytes::~FileBytes() { release(); }

void FileBytes::release() {
    if (mapped_ != nullptr) munmap(const_cast<char*>(mapped_), size_);
    mapped_ = nullptr;
    size_ = 0;
    buffer_.clear();
}

void FileBytes::release_part(std::string_view part) const {
    if (mapped_ == nullptr || part.empty() || part.data() < mapped_ || part.data() + part.size() > mapped_ + size_) return;
    const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const uintptr_t first = (reinterpret_cast<uintptr_t>(part.data()) + page - 1) / page * page;
    const uintptr_t last = (reinterpret_cast<uintptr_t>(part.data()) + part.size()) / page * page;
    if (first < last) madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
}

bool FileBytes::open(const std::string& path) {
    release();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
        // Populated at once: the reader walks every byte, and one call maps
        // the pages far faster than a fault per page.
        void* p = mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        if (p != MAP_FAILED) {
            ::close(fd);
            mapped_ = static_cast<const char*>(p);
            size_ = static_cast<size_t>(st.st_size);
            return true;
        }
    }
    ::close(fd);
    // Not a regular file, empty, or not mappable: read it the plain way.
    return read_text_file(path, buffer_);
}

}  // namespace corvella
