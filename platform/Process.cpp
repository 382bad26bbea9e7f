#include "platform/Process.h"

#include <QFile>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

extern char **environ;

namespace platform {

namespace {

QString errnoText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

}  // namespace

Process::~Process() {
    kill();
    closePipe();
    wait();
}

bool Process::start(const QString &program, const QStringList &arguments) {
    kill();
    closePipe();
    wait();
    m_pid = -1;
    m_reaped = false;
    m_error.clear();

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        m_error = errnoText(errno);
        return false;
    }

    const QByteArray programBytes = QFile::encodeName(program);
    std::vector<QByteArray> storage;
    storage.reserve(arguments.size() + 1);
    storage.push_back(programBytes);
    for (const QString &argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &bytes : storage)
        argv.push_back(bytes.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);

    pid_t pid = -1;
    const int result =
        ::posix_spawn(&pid, programBytes.constData(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (result != 0) {
        ::close(fds[0]);
        m_error = errnoText(result);
        return false;
    }
    m_pid = pid;
    m_readFd = fds[0];
    return true;
}

Process::Read Process::read(char *buffer, std::size_t maxBytes, int timeoutMs, std::size_t *count) {
    *count = 0;
    if (m_readFd < 0)
        return Read::Ended;
    pollfd pfd{m_readFd, POLLIN, 0};
    int ready;
    do {
        ready = ::poll(&pfd, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    if (ready == 0)
        return Read::Timeout;
    if (ready < 0) {
        closePipe();
        return Read::Ended;
    }
    ssize_t got;
    do {
        got = ::read(m_readFd, buffer, maxBytes);
    } while (got < 0 && errno == EINTR);
    if (got <= 0) {
        closePipe();
        return Read::Ended;
    }
    *count = static_cast<std::size_t>(got);
    return Read::Data;
}

void Process::kill() {
    if (m_pid > 0 && !m_reaped)
        ::kill(m_pid, SIGKILL);
}

std::optional<int> Process::wait() {
    if (m_pid <= 0)
        return std::nullopt;
    if (!m_reaped) {
        pid_t got;
        do {
            got = ::waitpid(m_pid, &m_status, 0);
        } while (got < 0 && errno == EINTR);
        if (got < 0)
            return std::nullopt;
        m_reaped = true;
    }
    if (WIFEXITED(m_status))
        return WEXITSTATUS(m_status);
    return -1;
}

void Process::closePipe() {
    if (m_readFd >= 0) {
        ::close(m_readFd);
        m_readFd = -1;
    }
}

}  // namespace platform
