#pragma once

#include "platform/portnames.h"
#include "virtualradio.h"

#include <QTemporaryDir>
#include <QtTest>

// A virtual radio behind a COM number of a private link folder, so a test talks to it
// through the program's own port resolution and never touches the user's links.
class RadioOnCom
{
public:
    explicit RadioOnCom(int com = 1)
        : m_com(com)
    {
        PortNames::setLinkFolder(m_folder.path());
        std::string error;
        m_ok = m_radio.open(&error) && m_radio.linkAsCom(com, m_folder.path().toStdString(), &error);
        if (!m_ok)
            qWarning("virtual radio: %s", error.c_str());
        PortNames::setPortNumber(com);
        m_radio.start();
    }
    ~RadioOnCom()
    {
        m_radio.stop();
        PortNames::resetLinkFolder();
    }

    bool ok() const { return m_ok; }
    int com() const { return m_com; }
    vradio::VirtualRadio &radio() { return m_radio; }
    QString folder() const { return m_folder.path(); }

    // Distinct bytes at every address, so a block read from the wrong place shows.
    void fillPattern()
    {
        std::vector<uint8_t> bytes(vradio::VirtualRadio::MemoryBytes);
        for (size_t a = 0; a < bytes.size(); ++a)
            bytes[a] = uint8_t((a * 7 + (a >> 8) * 13 + 1) & 0xFF);
        m_radio.setMemory(0, bytes);
    }

    QByteArray memory(int address, int count) const
    {
        const std::vector<uint8_t> bytes = m_radio.memory(address, count);
        return QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size()));
    }

private:
    QTemporaryDir m_folder;
    vradio::VirtualRadio m_radio;
    int m_com;
    bool m_ok = false;
};
