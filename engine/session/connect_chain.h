#pragma once
// The connect chain: after the port opened, ResetModem writes "ATZ" twice
// and "ATE1"; each final result then sends the next setting:
//   ATE1, AT+CMEE=1, AT+CSCA?, AT+CSMS=1, AT+CNMI=1,1,0,2 (or 1,1,2,2 with
//   cell broadcasts), AT^SMGO=1, AT+CLIP=1, AT^SBNR=?, AT+CMGF=0,
// and then either the general-information chain (general page shown) or
// AT+CSCB=1. A refused setting does not stop the chain, except "ATE1"
// (without echo no answer could be matched): the connection fails, with a
// message (the phone's reason in it when it gave one), and the port is
// closed. A refused "ATZ" changes nothing (it is written twice), whatever
// the error's form.
//
// Every answer to "AT+CSCA?" continues a chain, whoever asked: with
// ReadingOtherSettings clear the rest of the connect chain, with it set the
// chain of the other settings (settings_chain.h).

#include "engine/conversation/echo_actions.h"

#include <span>

namespace parlenko {

// "OK" to the commands that close or reset the conversation ("AT+CNMI=0,0,0,0",
// "ATZ"): the exchange is over.
std::span<const EchoAction> ClosingEchoActions();
// The connect chain's rows.
std::span<const EchoAction> ConnectChainActions();

}  // namespace parlenko
