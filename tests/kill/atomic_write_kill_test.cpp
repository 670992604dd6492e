// A writer killed at random moments while it rewrites one file with two contents in turn: after
// every kill the file is exactly one of them. A killed writer may leave its temporary file; the
// next write and the folder listing must not trip over it.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "../unit/common/temp_folder.hpp"
#include "common/file_io.hpp"

namespace {

namespace fs = std::filesystem;

std::string content(std::size_t size, char seed) {
    std::string s(size, seed);
    for (std::size_t i = 0; i < size; i += 97) s[i] = static_cast<char>(seed + i % 31);
    return s;
}

TEST(KilledWriter, fileIsAlwaysOneWholeVersion_leftoversHarmless) {
    constexpr int kKills = 1000;
    // A kill tests the rename, not the flush to the disk: in memory, where a sync costs nothing,
    // a thousand kills take seconds instead of the half minute of a busy disk.
    const fs::path shm = "/dev/shm";
    testing_support::TempFolder tmp(fs::is_directory(shm) ? shm : fs::temp_directory_path());
    const std::string path = tmp.file("mm.dat");
    // Different sizes, so a mix or a cut shows as well as a wrong byte.
    const std::string a = content(192 * 1024, 'a');
    const std::string b = content(128 * 1024, 'b');
    const std::string file_a = a + "\r\n", file_b = b + "\r\n";
    ASSERT_TRUE(common::savetext(path, a));

    std::mt19937 random(12345);
    std::uniform_int_distribution<int> delay_us(0, 4000);
    int saw_a = 0, saw_b = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            for (unsigned i = 0;; ++i) {
                if (i == 0 && ::write(ready[1], "r", 1) != 1) ::_exit(2);
                if (!common::savetext(path, i % 2 == 0 ? b : a)) ::_exit(1);
            }
        }
        // The delay counts from the writer's start, not from the fork, which a busy machine
        // stretches.
        ::close(ready[1]);
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(delay_us(random)));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself: a write failed";
        const std::string now = common::read_file(path);
        ASSERT_TRUE(now == file_a || now == file_b)
            << "after kill " << kill << " the file holds " << now.size() << " bytes of neither";
        (now == file_a ? saw_a : saw_b)++;
    }
    // Both versions were seen, so the kills fell at different points of the loop.
    EXPECT_GT(saw_a, 0);
    EXPECT_GT(saw_b, 0);

    std::size_t leftovers = 0;
    for (const auto& e : fs::directory_iterator(tmp.path())) {
        if (e.path() == fs::path(path)) continue;
        EXPECT_EQ(e.path().filename().string().rfind("mm.dat.tmp", 0), 0u) << e.path();
        ++leftovers;
    }
    std::cout << "kills: " << kKills << ", versions seen: " << saw_a << " + " << saw_b
              << ", temporary files left: " << leftovers << "\n";
    EXPECT_TRUE(common::list_files(tmp.str(), ".dat") == std::vector<std::string>{"mm.dat"});
    ASSERT_TRUE(common::savetext(path, "after"));
    EXPECT_EQ(common::read_file(path), "after\r\n");
}

}  // namespace
