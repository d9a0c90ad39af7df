// The infrared stack of the Linux kernel. Linux dropped its IrDA sockets in 4.17, so on a
// current kernel OpenSocket fails at once and the finder finds nothing without delay; on an
// older kernel with IrDA the kernel's discovery log is read and rewritten in the finder's
// layout. Made by CreateSystemInfraredStack, owned by the infrared finder.
#pragma once

#include "platform/InfraredStack.h"

class IrdaStack : public InfraredStack {
public:
    int OpenSocket() override;
    bool ReadDeviceList(int socket, uint8_t* buffer, int& length) override;
    void CloseSocket(int socket) override;
};
