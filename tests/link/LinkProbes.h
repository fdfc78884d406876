// The protected steps of the transfer and read-back bases, opened for the
// tests that drive them one by one.
#pragma once

#include "link/Receive.h"
#include "link/Transmit.h"

namespace orv {

class TransmitProbe : public CTransmit {
public:
    using CTransmit::CTransmit;
    using CTransmit::EndLink;
    using CTransmit::Exchange;
    using CTransmit::LinkConnect;
    using CTransmit::Send;
    using CTransmit::SendFile;
    using CTransmit::m_bank;
    using CTransmit::m_error;
    using CTransmit::m_panelAnswer;
};

class ReceiveProbe : public CReceive {
public:
    using CReceive::CReceive;
    using CReceive::EndLink;
    using CReceive::LinkConnect;
    using CReceive::LinkExchange;
    using CReceive::Send;
    using CReceive::m_dataBlock;
    using CReceive::m_drvFileName;
    using CReceive::m_error;
    using CReceive::m_firmwareId;
    using CReceive::m_firstAdr;
    using CReceive::m_lastAdr;
    using CReceive::m_panelVariant;
};

} // namespace orv
