#pragma once

#include <string>

namespace vradio {

// The radio's end of the line: a raw 9600-baud pseudo-terminal whose other end a program
// opens as its serial port, and the COM link that puts it behind a COM number. The slave
// end stays open here too, so the line does not hang up between a program's exchanges.
class PseudoTerminal
{
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool open(std::string *error = nullptr);
    // Both ends closed: the line hangs up, as when the cable comes out.
    void close();
    int master() const { return m_master; }
    const std::string &slavePath() const { return m_slavePath; }

    // A symbolic link folder/comN to the slave end, replacing whatever link was there.
    bool linkAsCom(int com, const std::string &folder, std::string *error = nullptr);
    // The first of COM first..last that has nothing at all in the folder, or 0.
    int linkAsFreeCom(int first, int last, const std::string &folder, std::string *error = nullptr);
    // Removes the link, if it still leads here.
    void removeLink();
    const std::string &linkPath() const { return m_linkPath; }
    int com() const { return m_com; }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
    std::string m_linkPath;
    int m_com = 0;
};

} // namespace vradio
