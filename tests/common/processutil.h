#pragma once

#include "store/fileio.h"

#include <functional>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace testutil {

// How a child process ended.
enum class ChildEnd { Succeeded, Threw, Killed };

// Runs `work` in a forked child. The child leaves with _exit, so nothing of the
// test process is torn down twice. A FileError thrown by the work ends it as Threw.
inline ChildEnd runInChild(const std::function<void()> &work)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        try {
            work();
        } catch (const FileError &) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFSIGNALED(status))
        return ChildEnd::Killed;
    return WEXITSTATUS(status) == 0 ? ChildEnd::Succeeded : ChildEnd::Threw;
}

// Stops a change as a kill would, right after the given step of a write.
inline WriteStep &killStep()
{
    static WriteStep step = WriteStep::Written;
    return step;
}

inline void killAtStep(WriteStep step)
{
    killStep() = step;
    setWriteStepHook([](WriteStep s, const QString &) {
        if (s == killStep())
            ::raise(SIGKILL);
    });
}

// Children that start their work together: each waits until release().
class StartLine
{
public:
    StartLine() { (void)::pipe(m_fds); }
    ~StartLine()
    {
        ::close(m_fds[0]);
        ::close(m_fds[1]);
    }
    // In a child: blocks until the parent releases every child.
    void wait()
    {
        ::close(m_fds[1]);
        char c;
        (void)::read(m_fds[0], &c, 1);
    }
    // In the parent: closing the write end wakes every waiting child at once.
    void release()
    {
        ::close(m_fds[1]);
        m_fds[1] = -1;
    }

    // Forks a child that waits at the line, then runs the work; returns its pid.
    pid_t start(const std::function<void()> &work)
    {
        const pid_t pid = ::fork();
        if (pid == 0) {
            wait();
            int code = 0;
            try {
                work();
            } catch (const FileError &) {
                code = 1;
            }
            ::_exit(code);
        }
        return pid;
    }

private:
    int m_fds[2] = {-1, -1};
};

// Waits for a child started at a StartLine; true when it succeeded.
inline bool succeeded(pid_t pid)
{
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace testutil
