#pragma once

#include <csignal>
#include <sys/resource.h>

// Runs `write` with files limited to `bytes`, so that writing fails part-way
// as on a full disk. Tests run as root, for whom permissions stop nothing.
template <typename Write> auto withFullDisk(long bytes, Write write) {
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &small);
    const auto result = write();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    return result;
}
