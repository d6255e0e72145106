#include "engine/session/phone_engine.h"

#include "engine/receive/receive_scan.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/session/busy_state.h"
#include "engine/session/connection.h"
#include "engine/session/exchange_timeout.h"
#include "engine/session/indicators.h"

namespace parlenko {

namespace {
constexpr int kPortTrafficMs = 250;
}

PhoneEngine::PhoneEngine(TSerialPortDriver& port, IScheduler& scheduler, IHost& host)
    : port_(port), ctx_{state_, port, scheduler, host, timers_} {
    timers_.TimeOutTimer =
        scheduler.MakeTimer(kExchangeTimeOutMs, [this] { ExchangeTimeOut(ctx_); });
    timers_.NewSmsTimer = scheduler.MakeTimer(kIndicatorBlinkMs, [this] { NewSmsTick(ctx_); });
    timers_.NewCallTimer = scheduler.MakeTimer(kIndicatorBlinkMs, [this] { NewCallTick(ctx_); });
    timers_.SmsOverflowTimer =
        scheduler.MakeTimer(kIndicatorBlinkMs, [this] { SmsOverflowTick(ctx_); });
    timers_.PortTrafficTimer =
        scheduler.MakeTimer(kPortTrafficMs, [this] { PortTrafficTick(ctx_); });
    timers_.RefreshTimer =
        scheduler.MakeTimer(kRefreshIntervalMs, [this] { RefreshGeneralInfo(ctx_); });
    port_.SetOnReceiveData(
        [this](const std::uint8_t* data, std::size_t size) { cpDrvReceiveData(data, size); });
}

PhoneEngine::~PhoneEngine() { port_.SetOnReceiveData({}); }

void PhoneEngine::cpDrvReceiveData(const std::uint8_t* data, std::size_t size) {
    parlenko::cpDrvReceiveData(ctx_, data, size);
}

void PhoneEngine::ResetRxLines() { parlenko::ResetRxLines(ctx_); }
void PhoneEngine::EndBusy() { parlenko::EndBusy(ctx_); }
void PhoneEngine::ClearNewSms() { parlenko::ClearNewSms(ctx_); }
void PhoneEngine::ClearNewCall() { parlenko::ClearNewCall(ctx_); }
void PhoneEngine::NewCallNoticeClosed() { state_.NewCallNotice = {}; }

}  // namespace parlenko
