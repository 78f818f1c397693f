#include "link/portscan.h"

#include "platform/portnames.h"
#include "platform/serialport.h"

int scanStartupPort()
{
    int found = PortNames::LastScannedPort;
    SerialPort port;
    for (int n = PortNames::FirstPort; n <= PortNames::LastScannedPort; ++n) {
        if (port.open(n)) {
            port.close();
            found = n;
            break;
        }
    }
    PortNames::setPortNumber(found);
    return found;
}
