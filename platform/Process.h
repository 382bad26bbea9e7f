#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>
#include <cstddef>
#include <optional>

namespace platform {

// A child process whose standard output and standard error arrive merged through one pipe. The
// arguments go to it as a list: no shell, no splitting, so a path with blanks or quotes stays one
// argument.
class Process {
public:
    enum class Read { Data, Timeout, Ended };

    Process() = default;
    ~Process();
    Process(const Process &) = delete;
    Process &operator=(const Process &) = delete;

    // False, with the reason in errorText(), when the pipe or the process cannot be made.
    bool start(const QString &program, const QStringList &arguments);

    // Reads at most maxBytes into buffer, waiting at most timeoutMs for something to arrive.
    // Ended once the child and everything it started have closed the pipe.
    Read read(char *buffer, std::size_t maxBytes, int timeoutMs, std::size_t *count);

    // Ends the child at once (SIGKILL). No effect when it has already ended.
    void kill();

    // Waits for the child and returns its exit status; -1 when it was killed by a signal.
    std::optional<int> wait();

    bool running() const { return m_pid > 0 && !m_reaped; }
    QString errorText() const { return m_error; }

private:
    void closePipe();

    pid_t m_pid = -1;
    int m_readFd = -1;
    bool m_reaped = false;
    int m_status = 0;
    QString m_error;
};

}  // namespace platform
