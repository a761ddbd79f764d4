// A save that is cancelled, or whose writer fails by throwing, leaves the
// target as it was and no temporary file beside it.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

#include "output/atomic_file.h"
#include "output/cancellation.h"
#include "output/text_writer.h"
#include "output/xlsx_writer.h"
#include "temp_folder.h"

using corvella::CancelScope;
using corvella::WorkCancelled;

class CancelledWrite : public corvella_test::TempFolder {};

TEST_F(CancelledWrite, CancelledWorkKeepsTheOldFileWhateverItWasWriting) {
    struct Case {
        const char* name;
        std::function<void(const std::string& path)> write;
        bool cancelled = true;  // else the writer throws
    };
    const Case cases[] = {
        {"text", [](const std::string& p) { corvella::write_text_file(p, "new\n"); }},
        {"bytes", [](const std::string& p) { corvella::write_file_atomically(p, std::string_view("new")); }},
        {"xlsx", [](const std::string& p) { corvella::XlsxWriter(p, {{1, 1, "new"}}); }},
        {"throwing",
         [](const std::string& p) {
             corvella::write_file_atomically(p, [](int) -> std::string { throw std::runtime_error("broken"); });
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string target = path(std::string("kept.") + c.name);
        std::atomic<bool> cancel{c.cancelled};
        const auto write_fails = [&] {
            CancelScope scope(cancel);
            if (c.cancelled) {
                EXPECT_THROW(c.write(target), WorkCancelled);
            } else {
                EXPECT_THROW(c.write(target), std::runtime_error);
            }
        };
        put_bytes(target, "old");
        write_fails();
        EXPECT_EQ(read_bytes(target), "old");
        EXPECT_EQ(entries(), 1u);  // no temporary left
        std::filesystem::remove(target);
        // Failed before there was a file: none appears.
        write_fails();
        EXPECT_FALSE(std::filesystem::exists(target));
        EXPECT_EQ(entries(), 0u);
    }
}

TEST_F(CancelledWrite, OnlyTheCancelledThreadsScopeCounts) {
    std::atomic<bool> cancel{false};
    CancelScope scope(cancel);
    EXPECT_FALSE(corvella::cancel_requested());
    const std::string target = path("written.txt");
    EXPECT_TRUE(corvella::write_text_file(target, "a\n").ok);
    cancel = true;
    EXPECT_TRUE(corvella::cancel_requested());
    {
        std::atomic<bool> inner{false};
        CancelScope nested(inner);  // the innermost scope decides
        EXPECT_FALSE(corvella::cancel_requested());
    }
    EXPECT_THROW(corvella::throw_if_cancelled(), WorkCancelled);
    EXPECT_EQ(read_bytes(target), "a\r\n");
}
