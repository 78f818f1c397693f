#include "pseudoterminal.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace vradio {

namespace {
void setError(std::string *error, const std::string &text)
{
    if (error)
        *error = text;
}
} // namespace

PseudoTerminal::~PseudoTerminal()
{
    removeLink();
    close();
}

void PseudoTerminal::close()
{
    for (int *fd : {&m_master, &m_slave}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

bool PseudoTerminal::open(std::string *error)
{
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        setError(error, std::string("openpty: ") + std::strerror(errno));
        return false;
    }
    m_slavePath = name;
    termios tio{};
    ::tcgetattr(m_slave, &tio);
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    ::tcsetattr(m_slave, TCSANOW, &tio);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    return true;
}

namespace {
// mkdir -p
bool makeFolder(const std::string &folder, std::string *error)
{
    for (size_t slash = 1; slash <= folder.size(); ++slash) {
        if (slash == folder.size() || folder[slash] == '/') {
            const std::string part = folder.substr(0, slash);
            if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
                setError(error, "mkdir " + part + ": " + std::strerror(errno));
                return false;
            }
        }
    }
    return true;
}
} // namespace

bool PseudoTerminal::linkAsCom(int com, const std::string &folder, std::string *error)
{
    if (m_slavePath.empty()) {
        setError(error, "no pseudo-terminal yet");
        return false;
    }
    if (!makeFolder(folder, error))
        return false;
    removeLink();
    const std::string link = folder + "/com" + std::to_string(com);
    ::unlink(link.c_str());
    if (::symlink(m_slavePath.c_str(), link.c_str()) != 0) {
        setError(error, "symlink " + link + ": " + std::strerror(errno));
        return false;
    }
    m_linkPath = link;
    m_com = com;
    return true;
}

int PseudoTerminal::linkAsFreeCom(int first, int last, const std::string &folder, std::string *error)
{
    if (m_slavePath.empty()) {
        setError(error, "no pseudo-terminal yet");
        return 0;
    }
    if (!makeFolder(folder, error))
        return 0;
    removeLink();
    for (int com = first; com <= last; ++com) {
        const std::string link = folder + "/com" + std::to_string(com);
        // symlink() refuses an existing name, dangling links included, so whatever
        // someone else put there stays, and two radios starting at once cannot both win.
        if (::symlink(m_slavePath.c_str(), link.c_str()) == 0) {
            m_linkPath = link;
            m_com = com;
            return com;
        }
        if (errno != EEXIST) {
            setError(error, "symlink " + link + ": " + std::strerror(errno));
            return 0;
        }
    }
    setError(error, "COM" + std::to_string(first) + " to COM" + std::to_string(last) + " are all taken in " + folder);
    return 0;
}

void PseudoTerminal::removeLink()
{
    if (m_linkPath.empty())
        return;
    // Only our own link: someone may have put another device behind the number since.
    char target[512] = {};
    const ssize_t n = ::readlink(m_linkPath.c_str(), target, sizeof target - 1);
    if (n > 0 && m_slavePath == std::string(target, size_t(n)))
        ::unlink(m_linkPath.c_str());
    m_linkPath.clear();
    m_com = 0;
}

} // namespace vradio
