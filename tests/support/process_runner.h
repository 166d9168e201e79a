// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/scratch_folder.h"

extern char** environ;

namespace vx::testing {

struct ProcessRun {
    int status = -1;  // exit status, -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs a program with the arguments, input as its standard input and, when given,
// folder as its working folder, and collects what it wrote.
inline ProcessRun RunProcess(std::string program, const std::vector<std::string>& arguments,
                             const std::string& input = {}, const std::string& folder = {}) {
    ScratchFolder capture;
    const std::string paths[] = {capture.WriteFile("stdin", input), capture.WriteFile("stdout", ""),
                                 capture.WriteFile("stderr", "")};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    for (int fd = 0; fd < 3; ++fd)
        posix_spawn_file_actions_addopen(&actions, fd, paths[fd].c_str(), fd ? O_WRONLY : O_RDONLY,
                                         0);
    std::vector<std::string> words = arguments;
    std::vector<char*> argv{program.data()};
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    ProcessRun run;
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.status = WEXITSTATUS(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    const auto out = ReadBytes(paths[1]), err = ReadBytes(paths[2]);
    run.out.assign(out.begin(), out.end());
    run.err.assign(err.begin(), err.end());
    return run;
}

// Makes the calling child die with its parent: a test program that crashes or is
// killed by its time limit must not leave a server or an editor behind, holding the
// test run's output open.
inline void DieWithParent(pid_t parent) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(127);
}

// Starts a program found on PATH, tied to this test program's life; 0 when it cannot
// be started. Descriptors without close-on-exec, such as a pipe's, stay open in it.
inline pid_t SpawnTied(std::vector<std::string> words) {
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0) {
        DieWithParent(parent);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    return pid < 0 ? 0 : pid;
}

}  // namespace vx::testing
