#include "tool.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <tuple>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace lctest {
namespace {

struct Pipe {
    int read = -1;
    int write = -1;
    Pipe() {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
        read = fds[0];
        write = fds[1];
    }
};

void closeFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

}  // namespace

ToolRun runTool(const std::vector<std::string>& args, std::string_view input, Output output) {
    // The tool may exit before it has read all of its input.
    std::signal(SIGPIPE, SIG_IGN);
    Pipe in, out, err;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in.read, 0);
    switch (output) {
        case Output::Captured: posix_spawn_file_actions_adddup2(&actions, out.write, 1); break;
        case Output::Full: posix_spawn_file_actions_addopen(&actions, 1, "/dev/full", O_WRONLY, 0); break;
        case Output::Closed: posix_spawn_file_actions_addclose(&actions, 1); break;
    }
    posix_spawn_file_actions_adddup2(&actions, err.write, 2);

    std::vector<std::string> argvStore{LC_CALC_EXE};
    argvStore.insert(argvStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argvStore) argv.push_back(a.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int rc = posix_spawn(&pid, LC_CALC_EXE, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    closeFd(in.read);
    closeFd(out.write);
    closeFd(err.write);
    ToolRun run;
    if (rc != 0) {
        closeFd(in.write);
        closeFd(out.read);
        closeFd(err.read);
        ADD_FAILURE() << "cannot start " << LC_CALC_EXE;
        return run;
    }

    std::size_t written = 0;
    if (input.empty())
        closeFd(in.write);
    else
        fcntl(in.write, F_SETFL, O_NONBLOCK);
    while (in.write >= 0 || out.read >= 0 || err.read >= 0) {
        pollfd fds[3] = {{in.write, POLLOUT, 0}, {out.read, POLLIN, 0}, {err.read, POLLIN, 0}};
        if (poll(fds, 3, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (in.write >= 0 && (fds[0].revents & (POLLOUT | POLLERR | POLLHUP))) {
            const ssize_t n = ::write(in.write, input.data() + written, input.size() - written);
            if (n > 0) written += static_cast<std::size_t>(n);
            if ((n < 0 && errno != EAGAIN) || written == input.size()) closeFd(in.write);
        }
        for (auto [fd, sink, revents] : {std::tuple{&out.read, &run.out, fds[1].revents},
                                         std::tuple{&err.read, &run.err, fds[2].revents}}) {
            if (*fd < 0 || !(revents & (POLLIN | POLLHUP | POLLERR))) continue;
            char buf[65536];
            const ssize_t n = ::read(*fd, buf, sizeof buf);
            if (n > 0)
                sink->append(buf, static_cast<std::size_t>(n));
            else
                closeFd(*fd);
        }
    }

    int wstatus = 0;
    while (waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
    }
    run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    return run;
}

Json runDocument(const Json& doc) {
    const ToolRun run = runTool({"run"}, doc.dump());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    try {
        return Json::parse(run.out);
    } catch (const Json::parse_error& e) {
        ADD_FAILURE() << "output is not JSON: " << e.what() << "\n" << run.out;
        return Json::object();
    }
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        result.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return result;
}

}  // namespace lctest
