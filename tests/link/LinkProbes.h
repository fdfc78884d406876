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
};

class ReceiveProbe : public CReceive {
public:
    using CReceive::CReceive;
    using CReceive::EndLink;
    using CReceive::LinkConnect;
    using CReceive::LinkExchange;
    using CReceive::Send;
};

} // namespace orv
