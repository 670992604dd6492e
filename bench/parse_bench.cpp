// Measures choosing a log: the parse plus the three result lists, on generated logs of realistic
// shape. Times are the best of several runs; peak memory is measured in a child process that
// reads the log from disk as the program does.

#if defined(__unix__)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/log_session.hpp"
#include "common/file_io.hpp"
#include "log_generator.hpp"
#include "logs/log_parser.hpp"
#include "logs/result_lists.hpp"

namespace {

using Clock = std::chrono::steady_clock;

struct Choice {
    std::int64_t records = 0;
    std::size_t lines = 0;
};

Choice choose(const std::string& text) {
    const logs::ParseResult p = logs::get_list4(text, app::parse_options());
    const logs::ResultTexts r = logs::make_result_lists(p.records);
    return {p.record_count, r.nomatch_text.size() + r.matched_text.size() + r.models_text.size()};
}

double best_seconds(const std::string& text, int runs, Choice& out) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = Clock::now();
        out = choose(text);
        best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count());
    }
    return best;
}

// Peak resident memory (bytes) of a child that reads the file and chooses it; -1 where the
// platform cannot fork.
long long peak_bytes_of_choice(const std::string& path) {
#if !defined(__unix__)
    (void)path;
    return -1;
#else
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const std::string text = common::read_file(path);
        const Choice c = choose(text);
        std::_Exit(c.records > 0 ? 0 : 1);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return -1;
    }
    return static_cast<long long>(usage.ru_maxrss) * 1024;  // ru_maxrss is in KiB on Linux
#endif
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t big = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000;
    const std::size_t small = big / 10;
    const auto dir = std::filesystem::temp_directory_path() / "skelvar-bench";
    std::filesystem::create_directories(dir);

    loggen::LogOptions options;
    options.seed = 2024;
    options.groups = small;
    const std::string small_text = loggen::generate_log(options).text;
    options.groups = big;
    const std::string big_text = loggen::generate_log(options).text;
    const std::string big_path = (dir / "log-big.txt").string();
    if (!common::write_file_atomic(big_path, big_text)) {
        std::fprintf(stderr, "cannot write %s\n", big_path.c_str());
        return 2;
    }

    Choice c_small, c_big;
    const double t_small = best_seconds(small_text, 7, c_small);
    const double t_big = best_seconds(big_text, 5, c_big);
    const long long peak = peak_bytes_of_choice(big_path);
    std::filesystem::remove_all(dir);

    const double mb = static_cast<double>(big_text.size()) / 1e6;
    const double ratio = t_big / t_small;
    const double mem_ratio = static_cast<double>(peak) / static_cast<double>(big_text.size());
    std::printf("choose log (parse + result lists), best of runs\n");
    std::printf("  %8zu groups  %8.1f MB  %8.3f s  (%lld records)\n", small,
                static_cast<double>(small_text.size()) / 1e6, t_small,
                static_cast<long long>(c_small.records));
    std::printf("  %8zu groups  %8.1f MB  %8.3f s  (%lld records)\n", big, mb, t_big,
                static_cast<long long>(c_big.records));
    std::printf("  growth for 10x the groups: %.2fx the time (target <= 12x)\n", ratio);
    std::printf(
        "  peak memory reading + choosing the big log: %.1f MB = %.2fx the log (target <= 3x)\n",
        static_cast<double>(peak) / 1e6, mem_ratio);
    const bool ok = t_big <= 1.0 && ratio <= 12.0 && peak > 0 && mem_ratio <= 3.0;
    std::printf("%s\n", ok ? "targets met" : "TARGETS MISSED");
    return ok ? 0 : 1;
}
