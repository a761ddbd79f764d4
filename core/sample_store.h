// The flat sample store: every sample's items in one contiguous array and an
// end offset per sample, instead of one heap block per sample. A million
// samples are three arrays, not three million allocations.
//
// The element of a store is a view into its array (a run): positions give a
// PositionView, bases and names a TextView (a std::string_view). A view is
// valid until the store is next changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace corvella {

// A read-only run of items: size(), operator[], begin()/end(), as a vector
// of them reads. Made from a store, or from a vector when a caller counts a
// list of its own.
template <class T>
class RunView {
public:
    using value_type = T;
    using const_iterator = const T*;
    using iterator = const T*;

    RunView() = default;
    RunView(const T* data, std::size_t size) : data_(data), size_(size) {}
    RunView(const std::vector<T>& items) : data_(items.data()), size_(items.size()) {}  // NOLINT: a vector reads as a run
    // A braced list passed to a counting function; the view must not outlive the call.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winit-list-lifetime"
#endif
    RunView(std::initializer_list<T> items) : data_(items.begin()), size_(items.size()) {}  // NOLINT
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const T& operator[](std::size_t i) const { return data_[i]; }
    const T* data() const { return data_; }
    const T* begin() const { return data_; }
    const T* end() const { return data_ + size_; }
    const T& front() const { return data_[0]; }
    const T& back() const { return data_[size_ - 1]; }

    friend bool operator==(RunView a, RunView b) {
        if (a.size_ != b.size_) return false;
        for (std::size_t i = 0; i < a.size_; ++i)
            if (!(a.data_[i] == b.data_[i])) return false;
        return true;
    }
    friend bool operator!=(RunView a, RunView b) { return !(a == b); }
    friend bool operator==(RunView a, const std::vector<T>& b) { return a == RunView(b); }
    friend bool operator==(const std::vector<T>& a, RunView b) { return RunView(a) == b; }

private:
    const T* data_ = nullptr;
    std::size_t size_ = 0;
};

using PositionView = RunView<int32_t>;

// A run of bytes: a std::string_view that also turns into a std::string
// where a caller keeps a copy (a report row, a label).
class TextView : public std::string_view {
public:
    using std::string_view::string_view;
    TextView(std::string_view text) : std::string_view(text) {}  // NOLINT: same bytes
    operator std::string() const { return std::string(data(), size()); }  // NOLINT: a copy on purpose
};

inline std::string operator+(const std::string& a, TextView b) {
    std::string s;
    s.reserve(a.size() + b.size());
    s.append(a).append(b.data(), b.size());
    return s;
}
inline std::string operator+(TextView a, const std::string& b) {
    std::string s;
    s.reserve(a.size() + b.size());
    s.append(a.data(), a.size()).append(b);
    return s;
}
inline std::string operator+(const char* a, TextView b) { return std::string(a) + b; }
inline std::string operator+(TextView a, const char* b) { return a + std::string(b); }

namespace detail {

// The memory of a store's items. Large blocks are laid out for the
// processor's large pages: a million samples' items are then a few hundred
// page faults instead of tens of thousands.
void* allocate_items(std::size_t bytes);
void free_items(void* p, std::size_t bytes);

// An allocator that leaves new items uninitialised, so that sizing a store
// before its pieces are copied in writes each byte once.
template <class T>
struct UninitAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UninitAllocator<U>;
    };
    UninitAllocator() = default;
    template <class U>
    UninitAllocator(const UninitAllocator<U>&) {}
    template <class U>
    void construct(U* p) {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
    T* allocate(std::size_t n) { return static_cast<T*>(allocate_items(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) { free_items(p, n * sizeof(T)); }
};

}  // namespace detail

// Runs of T in file order: run i is items [end(i - 1), end(i)).
template <class T, class View>
class FlatRuns {
public:
    using value_type = View;
    using Items = std::vector<T, detail::UninitAllocator<T>>;

    // What one run is written as in a braced list: {{73, 263}, {}} or {"GG", ""}.
    using RunLiteral = std::conditional_t<std::is_same<T, char>::value, std::string_view, std::vector<T>>;

    FlatRuns() = default;
    FlatRuns(std::initializer_list<RunLiteral> runs) {
        for (const RunLiteral& run : runs) push_back(run);
    }
    template <class Run>
    FlatRuns(const std::vector<Run>& runs) {  // NOLINT: a vector of runs reads as a store
        for (const Run& run : runs) push_back(run);
    }

    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::size_t run_start(std::size_t i) const { return i == 0 ? 0 : ends_[i - 1]; }
    View operator[](std::size_t i) const {
        const std::size_t s = run_start(i);
        return View(items_.data() + s, ends_[i] - s);
    }
    View front() const { return (*this)[0]; }
    View back() const { return (*this)[size() - 1]; }

    // All items of all runs, in order.
    const Items& items() const { return items_; }
    const std::vector<std::size_t>& ends() const { return ends_; }

    class const_iterator {
    public:
        using value_type = View;
        using difference_type = std::ptrdiff_t;
        using reference = View;
        using pointer = void;
        using iterator_category = std::input_iterator_tag;
        const_iterator(const FlatRuns* runs, std::size_t i) : runs_(runs), i_(i) {}
        View operator*() const { return (*runs_)[i_]; }
        const_iterator& operator++() {
            ++i_;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator old = *this;
            ++i_;
            return old;
        }
        bool operator==(const const_iterator& o) const { return i_ == o.i_; }
        bool operator!=(const const_iterator& o) const { return i_ != o.i_; }

    private:
        const FlatRuns* runs_;
        std::size_t i_;
    };
    using iterator = const_iterator;
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, size()); }

    // Building: items go on the open run, end_run closes it.
    void append_item(const T& item) { items_.push_back(item); }
    void end_run() { ends_.push_back(items_.size()); }
    template <class Run>
    void push_back(const Run& run) {
        items_.insert(items_.end(), std::begin(run), std::end(run));
        end_run();
    }
    void push_back(std::initializer_list<T> run) {
        items_.insert(items_.end(), run.begin(), run.end());
        end_run();
    }
    void push_back(const char* text) { push_back(std::string_view(text)); }
    // n runs equal to `run`, as std::vector::assign(n, value).
    template <class Run>
    void assign(std::size_t n, const Run& run) {
        clear();
        for (std::size_t i = 0; i < n; ++i) push_back(run);
    }
    void assign(std::size_t n, std::initializer_list<T> run) {
        clear();
        for (std::size_t i = 0; i < n; ++i) push_back(run);
    }
    void pop_back() {
        ends_.pop_back();
        items_.resize(ends_.empty() ? 0 : ends_.back());
    }
    void clear() {
        items_.clear();
        ends_.clear();
    }
    void reserve(std::size_t runs, std::size_t items) {
        ends_.reserve(runs);
        items_.reserve(items);
    }

    // Raw access for the readers that fill a store from pieces.
    Items& mutable_items() { return items_; }
    std::vector<std::size_t>& mutable_ends() { return ends_; }

    friend bool operator==(const FlatRuns& a, const FlatRuns& b) { return a.ends_ == b.ends_ && a.items_ == b.items_; }
    friend bool operator!=(const FlatRuns& a, const FlatRuns& b) { return !(a == b); }
    template <class Run>
    friend bool operator==(const FlatRuns& a, const std::vector<Run>& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < b.size(); ++i)
            if (!(a[i] == View(b[i].data(), b[i].size()))) return false;
        return true;
    }
    template <class Run>
    friend bool operator==(const std::vector<Run>& a, const FlatRuns& b) {
        return b == a;
    }

private:
    Items items_;
    std::vector<std::size_t> ends_;
};

// Positions of every sample, in file order.
using FlatPositions = FlatRuns<int32_t, PositionView>;
// Bases of every sample, or names: byte runs.
using FlatTexts = FlatRuns<char, TextView>;

}  // namespace corvella
