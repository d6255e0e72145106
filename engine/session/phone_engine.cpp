#include "engine/session/phone_engine.h"

#include "engine/settings/settings_chain.h"
#include "engine/objects/object_transfers.h"
#include "engine/calls/call_actions.h"
#include "engine/phonebook/entry_line.h"
#include "engine/phonebook/entry_ops.h"
#include "engine/phonebook/refresh_phonebook.h"
#include "engine/phonebook/restore_step.h"
#include "engine/phonebook/phonebook_cache.h"
#include "engine/general/network_view.h"
#include "engine/conversation/receive_scan.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/melodies/melody_requests.h"
#include "engine/services/service_requests.h"
#include "engine/core/busy_state.h"
#include "engine/conversation/communication_error.h"
#include "engine/conversation/connection.h"
#include "engine/session/data_files.h"
#include "engine/core/engine_context.h"
#include "engine/general/general_info_chain.h"
#include "engine/session/engine_state.h"
#include "engine/session/topics.h"
#include "engine/conversation/exchange_timeout.h"
#include "engine/core/indicators.h"
#include "engine/sms/refresh_sms.h"
#include "engine/text/gsm_alphabet.h"
#include "engine/text/phonebook_lookup.h"
#include "engine/text/phone_models.h"
#include "exchange/formats/location_names.h"
#include "engine/settings/set_commands.h"
#include "engine/sms/sms_operations.h"
#include "engine/general/general_view.h"
#include "engine/settings/settings_commands.h"

namespace parlenko {

namespace {
constexpr int kPortTrafficMs = 250;

}  // namespace

struct PhoneEngine::Inside {
    Inside(TSerialPortDriver& port, IScheduler& scheduler, IHost& host)
        : ctx{state, topics, port, scheduler, host, timers} {
        state.KeepIn(topics);
        topics.Keep(registry);
        RegisterTopics(registry);
    }
    EngineState state;
    TopicRegistry registry;
    TopicStore topics;
    EngineTimers timers;
    EngineContext ctx;
};

PhoneEngine::PhoneEngine(TSerialPortDriver& port, IScheduler& scheduler, IHost& host)
    : port_(port), in_(std::make_unique<Inside>(port, scheduler, host)) {
    EngineContext& ctx = in_->ctx;
    EngineTimers& timers = in_->timers;
    timers.TimeOutTimer = scheduler.MakeTimer(kExchangeTimeOutMs, [&ctx] { ExchangeTimeOut(ctx); });
    timers.NewSmsTimer = scheduler.MakeTimer(kIndicatorBlinkMs, [&ctx] { NewSmsTick(ctx); });
    timers.NewCallTimer = scheduler.MakeTimer(kIndicatorBlinkMs, [&ctx] { NewCallTick(ctx); });
    timers.SmsOverflowTimer =
        scheduler.MakeTimer(kIndicatorBlinkMs, [&ctx] { SmsOverflowTick(ctx); });
    timers.PortTrafficTimer = scheduler.MakeTimer(kPortTrafficMs, [&ctx] { PortTrafficTick(ctx); });
    timers.RefreshTimer =
        scheduler.MakeTimer(kRefreshIntervalMs, [&ctx] { parlenko::RefreshGeneralInfo(ctx); });
    port_.SetOnReceiveData(
        [this](const std::uint8_t* data, std::size_t size) { cpDrvReceiveData(data, size); });
    port_.SetOnLinkLost([&ctx] { ReportLinkLost(ctx); });
}

PhoneEngine::~PhoneEngine() {
    port_.SetOnReceiveData({});
    port_.SetOnLinkLost({});
}

// --- views ---------------------------------------------------------------------

TopicStore& PhoneEngine::Views() { return in_->topics; }

// --- connection ------------------------------------------------------------------

bool PhoneEngine::Connect() {
    EngineContext& ctx = in_->ctx;
    if (!port_.Connected() && !port_.Connect()) {
        ctx.host.ConnectionChanged(false);
        EndBusy(ctx);
        parlenko::ResetRxLines(ctx);
        return false;
    }
    ctx.host.ConnectionChanged(true);
    ResetModem(ctx);
    return true;
}

std::string PhoneEngine::ConnectErrorText() const { return PortErrorText(port_.LastError()); }

void PhoneEngine::Disconnect() {
    DisconnectMobile(in_->ctx);
    parlenko::ResetRxLines(in_->ctx);
}

void PhoneEngine::TurnOff() {
    SendAtSmso(in_->ctx);
    DisconnectMobile(in_->ctx);
}

void PhoneEngine::ClosePort() { parlenko::ClosePort(in_->ctx); }
void PhoneEngine::ResetRxLines() { parlenko::ResetRxLines(in_->ctx); }

// --- general page ----------------------------------------------------------------

void PhoneEngine::RefreshGeneralInfo() { parlenko::RefreshGeneralInfo(in_->ctx); }
void PhoneEngine::StopRefresh() { in_->timers.RefreshTimer->Stop(); }
void PhoneEngine::StartRefresh() { in_->timers.RefreshTimer->Start(); }

void PhoneEngine::GeneralPageShown(bool shown) {
    in_->state.Options.GeneralPageShown = shown;
    if (!shown) return;
    RefreshGeneralInfo();
    if (in_->state.Options.RefreshCheck) StartRefresh();
}

// --- diverts, barrings, locks, security codes ---------------------------------------

void PhoneEngine::CheckDiverts() { parlenko::CheckDiverts(in_->ctx); }
bool PhoneEngine::SetDivert(int reason, const std::string& number, int cls, const std::string& time,
                            bool on) {
    return parlenko::SetDivert(in_->ctx, reason, number, cls, time, on);
}
void PhoneEngine::CheckBarrings() { parlenko::CheckBarrings(in_->ctx); }
bool PhoneEngine::SetBarring(int facility, bool on, int cls, const std::string& password) {
    return parlenko::SetBarring(in_->ctx, facility, on, cls, password);
}
void PhoneEngine::CheckLocks() { parlenko::CheckLocks(in_->ctx); }
bool PhoneEngine::SetLock(int facility, bool on, const std::string& password) {
    return parlenko::SetLock(in_->ctx, facility, on, password);
}
bool PhoneEngine::ChangeSecurityCode(int kind, const std::string& oldCode,
                                     const std::string& newCode) {
    return parlenko::ChangeSecurityCode(in_->ctx, kind, oldCode, newCode);
}

// --- ringer melody ---------------------------------------------------------------------

void PhoneEngine::ReadMelodies() { parlenko::ReadMelodies(in_->ctx); }
bool PhoneEngine::PlayMelody(int melody, int volume) {
    return parlenko::PlayMelody(in_->ctx, melody, volume);
}
bool PhoneEngine::SetMelody(int melody, int volume) {
    return parlenko::SetMelody(in_->ctx, melody, volume);
}
void PhoneEngine::StopMelody() { parlenko::StopMelody(in_->ctx); }
void PhoneEngine::SelectMelody(int index) { parlenko::SelectMelody(in_->ctx, index); }

// --- settings page ------------------------------------------------------------------

void PhoneEngine::ReadOtherSettings() { parlenko::ReadOtherSettings(in_->ctx); }

// --- page switches ------------------------------------------------------------------

void PhoneEngine::RefreshPhonebook() { parlenko::RefreshPhonebook(in_->ctx, PhoneMemory::Sim); }

void PhoneEngine::RefreshPhonebookThenSms() {
    // Disconnected, nothing starts: no later read may take the flag along.
    if (!port_.Connected()) return;
    in_->state.PhonebookRead.ReadSmsAfterPhonebook = true;
    parlenko::RefreshPhonebook(in_->ctx, PhoneMemory::Sim);
}

void PhoneEngine::RefreshCalls() { parlenko::RefreshCalls(in_->ctx, PhoneMemory::Dialled); }
void PhoneEngine::RefreshSms() { parlenko::RefreshSms(in_->ctx); }
bool PhoneEngine::RefreshPhonebookForBackup() {
    if (!port_.Connected()) return false;
    in_->state.PhonebookRead.BackupRefreshing = true;
    parlenko::RefreshPhonebook(in_->ctx, PhoneMemory::Sim);
    return true;
}
bool PhoneEngine::PhonebookReadComplete() const {
    return in_->state.Phonebook.PhonebookReadComplete;
}
bool PhoneEngine::PhonebookListPartial() const { return in_->state.Phonebook.PhonebookListPartial; }
bool PhoneEngine::PhonebookReadRunning() const { return in_->state.Phonebook.PhonebookReadRunning; }
std::string PhoneEngine::CheckRestoreSpace(const std::vector<RestoreRow>& rows,
                                           RestoreMode mode) const {
    return parlenko::CheckFreeSpace(in_->ctx, rows, mode);
}
bool PhoneEngine::StartRestore(const std::vector<RestoreRow>& rows, RestoreMode mode) {
    return parlenko::StartRestore(in_->ctx, rows, mode);
}
void PhoneEngine::BackupWizardClosed() {
    in_->state.PhonebookRead.BackupRefreshing = false;
    RestoreWizardClosed(in_->ctx);
}

bool PhoneEngine::PhonebookEmpty() const { return in_->state.Phonebook.PhonebookList.empty(); }
bool PhoneEngine::PhonebookLoaded() const { return in_->state.Phonebook.PhonebookLoaded; }
std::string PhoneEngine::PhonebookNameOf(std::string_view number) const {
    return FindNameByNumber(number, in_->state.Phonebook.PhonebookList);
}
const std::vector<AListIme>& PhoneEngine::PhonebookList() const {
    return in_->state.Phonebook.PhonebookList;
}
int PhoneEngine::PhonebookCapacity(PhoneMemory memory) const {
    if (!IsPhonebookMemory(memory)) return 0;
    return in_->state.PhonebookRead.Of(memory).Capacity;
}
bool PhoneEngine::PhonebookMemoryLoaded(PhoneMemory memory) const {
    return IsPhonebookMemory(memory) && in_->state.PhonebookRead.Of(memory).Loaded;
}
const std::vector<std::string>& PhoneEngine::PhonebookFreePositions(PhoneMemory memory) const {
    static const std::vector<std::string> none;
    if (!IsPhonebookMemory(memory)) return none;
    return in_->state.PhonebookRead.Of(memory).FreePositions;
}
bool PhoneEngine::InCall() const { return in_->state.Call.InCall; }
bool PhoneEngine::IsValidName(std::string_view utf8Name) {
    return UnsupportedChars(utf8Name).empty();
}
bool PhoneEngine::IsValidNumber(std::string_view number) { return parlenko::IsValidNumber(number); }
std::string PhoneEngine::UnsupportedNameChars(std::string_view utf8Name) {
    return parlenko::UnsupportedNameChars(utf8Name);
}
bool PhoneEngine::CanSaveEntry(std::string_view utf8Name, std::string_view number,
                               std::string_view position) {
    return parlenko::CanSaveEntry(utf8Name, number, position);
}
int PhoneEngine::NameLength(std::string_view name) { return GsmLength(name); }
std::string PhoneEngine::VipName(std::string_view name) { return parlenko::VipName(name); }
bool PhoneEngine::SmsListEmpty() const { return in_->state.Sms.SmsList.empty(); }
bool PhoneEngine::NewSmsPending() const { return in_->timers.NewSmsTimer->IsActive(); }
bool PhoneEngine::NewCallPending() const { return in_->timers.NewCallTimer->IsActive(); }

// --- network cell names -----------------------------------------------------------------

std::string PhoneEngine::CurrentLocationName() const {
    const GeneralInfoView& v = in_->state.GeneralInfo;
    const std::string& dir = in_->state.Options.DataDir;
    if (dir.empty()) return {};
    return exchange::FindLocationName(dir, v.OperLab, v.PodrucjeLab, v.BazaIDLab);
}

bool PhoneEngine::SaveLocationName(const std::string& op, const std::string& area,
                                   const std::string& cell, const std::string& name,
                                   std::string* error) {
    const exchange::WriteResult r =
        exchange::SaveLocationName(in_->state.Options.DataDir, op, area, cell, name);
    if (!r.ok()) {
        if (error != nullptr) *error = r.error;
        return false;
    }
    GeneralInfoView& v = in_->state.GeneralInfo;
    // The phone may have moved on to another cell while the name was typed.
    if (v.OperLab != op || v.PodrucjeLab != area || v.BazaIDLab != cell) return true;
    v.LokacijaLab = name;
    ViewOf<IGeneralView>(in_->ctx).GeneralInfoChanged(v);
    return true;
}

// --- SMS page ----------------------------------------------------------------------

void PhoneEngine::DeleteSms(PhoneMemory memory, const std::string& position) {
    parlenko::DeleteSms(in_->ctx, memory, position);
}
ComposedSmsResult PhoneEngine::StoreSms(const ComposedSms& message) {
    return parlenko::StoreSms(in_->ctx, message);
}
ComposedSmsResult PhoneEngine::SendSms(const ComposedSms& message) {
    return parlenko::SendSms(in_->ctx, message);
}
void PhoneEngine::SendStoredSms(PhoneMemory memory, const std::string& position,
                                const std::string& number) {
    parlenko::SendStoredSms(in_->ctx, memory, position, number);
}
ComposedSmsResult PhoneEngine::EditStoredSms(PhoneMemory memory, const std::string& position,
                                             const ComposedSms& message, bool sendAfter) {
    return parlenko::EditStoredSms(in_->ctx, memory, position, message, sendAfter);
}

// --- options and data -------------------------------------------------------------

void PhoneEngine::ApplyOptions(const PhoneOptions& options) {
    in_->timers.RefreshTimer->SetInterval(options.RefreshIntervalMs);
    const PortSettings& p = options.Port;
    port_.SetPortName(p.PortName);  // ignored while connected
    port_.SetBaudRateValue(p.BaudRate);
    port_.SetDataBits(static_cast<TDataBits>(p.DataBits));
    port_.SetParity(static_cast<TParity>(p.Parity));
    port_.SetStopBits(static_cast<TStopBits>(p.StopBits));
    port_.SetHwFlow(static_cast<THwFlowControl>(p.HardwareFlowControl));
    port_.SetSwFlow(static_cast<TSwFlowControl>(p.SoftwareFlowControl));
    port_.SetCheckLineStatus(p.CheckLineStatus);
    in_->state.Options.CellInfoCheck = options.CheckCellInfo;
    in_->state.Options.RefreshCheck = options.RefreshGeneralInfo;
}

void PhoneEngine::ShowCellLocationByOptions() { parlenko::ShowCellLocationByOptions(in_->ctx); }

void PhoneEngine::SetDataDir(const std::string& dir) { in_->state.Options.DataDir = dir; }
void PhoneEngine::RemoveStaleTempFiles() { parlenko::RemoveStaleTempFiles(in_->ctx); }
void PhoneEngine::LoadPhonebookCache() { parlenko::LoadPhonebookCache(in_->ctx); }
void PhoneEngine::SetSystemClock(ISystemClock* clock) { in_->ctx.systemClock = clock; }

// --- phone operations ----------------------------------------------------------------

void PhoneEngine::SavePhonebookEntry(const PhonebookEntryValues& entry) {
    parlenko::SavePhonebookEntry(in_->ctx, entry);
}
void PhoneEngine::DeletePhonebookEntry(PhoneMemory memory, const std::string& position) {
    parlenko::DeletePhonebookEntry(in_->ctx, memory, position);
}
void PhoneEngine::MovePhonebookEntry(PhoneMemory from, const std::string& fromPosition,
                                     const PhonebookEntryValues& entry) {
    parlenko::MovePhonebookEntry(in_->ctx, from, fromPosition, entry);
}

void PhoneEngine::Dial(const std::string& name, const std::string& number, bool hideNumber) {
    DialNumber(in_->ctx, name, number, hideNumber);
}
bool PhoneEngine::AreDtmfTones(std::string_view tones) { return parlenko::AreDtmfTones(tones); }
void PhoneEngine::AnswerCall(const std::string& name, const std::string& number) {
    parlenko::AnswerCall(in_->ctx, name, number);
}
void PhoneEngine::RejectCall() { parlenko::RejectCall(in_->ctx); }
void PhoneEngine::HangUp() { HangUpCall(in_->ctx); }
void PhoneEngine::SendDtmfTone(const std::string& tone, int duration) {
    parlenko::SendDtmfTone(in_->ctx, tone, duration);
}
void PhoneEngine::SendDtmfTones(const std::string& tones) {
    parlenko::SendDtmfTones(in_->ctx, tones);
}
void PhoneEngine::DeleteDialledCalls() { parlenko::DeleteDialledCalls(in_->ctx); }

void PhoneEngine::SetPhoneClock(std::chrono::local_seconds now) {
    parlenko::SetPhoneClock(in_->ctx, now);
}
void PhoneEngine::SetPcClockFromPhone() { parlenko::SetPcClockFromPhone(in_->ctx); }
void PhoneEngine::SetSmsCentre(const std::string& number) {
    parlenko::SetSmsCentre(in_->ctx, number);
}
void PhoneEngine::SetAlertSound(AlertSound sound) { parlenko::SetAlertSound(in_->ctx, sound); }
void PhoneEngine::SetVibration(bool on) { parlenko::SetVibration(in_->ctx, on); }
void PhoneEngine::SetSpeakerVolume(int volume) { parlenko::SetSpeakerVolume(in_->ctx, volume); }
void PhoneEngine::SetPricePerUnit(const std::string& currency, const std::string& price,
                                  const std::string& pin2) {
    parlenko::SetPricePerUnit(in_->ctx, currency, price, pin2);
}

// --- reports of the windows ---------------------------------------------------------

// --- appointments, melodies and logo pages --------------------------------------

void PhoneEngine::RefreshAppointments() { parlenko::RefreshAppointments(in_->ctx); }
void PhoneEngine::SaveAppointment(const VCalendarEntry& entry, int slot, bool isNew) {
    parlenko::SaveAppointment(in_->ctx, entry, slot, isNew);
}
void PhoneEngine::DeleteAppointment(int slot) { parlenko::DeleteAppointment(in_->ctx, slot); }
void PhoneEngine::ReadUserMelody(int userMelody) { parlenko::ReadUserMelody(in_->ctx, userMelody); }
void PhoneEngine::DeleteUserMelody(int userMelody) {
    parlenko::DeleteUserMelody(in_->ctx, userMelody);
}
bool PhoneEngine::UploadMelody(std::string_view fileBytes, int slot) {
    return parlenko::UploadMelody(in_->ctx, fileBytes, slot);
}
void PhoneEngine::ReadLogo(int kind) { parlenko::ReadLogo(in_->ctx, kind); }
void PhoneEngine::DeleteLogo(int kind) { parlenko::DeleteLogo(in_->ctx, kind); }
bool PhoneEngine::UploadLogo(std::string_view bitmapBytes, int kind) {
    return parlenko::UploadLogo(in_->ctx, bitmapBytes, kind);
}

// --- reports of the windows ---------------------------------------------------------

void PhoneEngine::ProgressWindowClosed() { EndBusy(in_->ctx); }
void PhoneEngine::ClearNewSms() { parlenko::ClearNewSms(in_->ctx); }
void PhoneEngine::ClearNewCall() { parlenko::ClearNewCall(in_->ctx); }
void PhoneEngine::NewCallNoticeClosed() { in_->state.NewCallNotice = {}; }
void PhoneEngine::SetMode(ActivityMode mode) { in_->state.Mode = mode; }

// --- read-only ------------------------------------------------------------------------

ActivityMode PhoneEngine::Mode() const { return in_->state.Mode; }
bool PhoneEngine::Connected() const { return port_.Connected(); }
const std::string& PhoneEngine::PortName() const { return port_.PortName(); }
int PhoneEngine::RefreshIntervalMs() const { return in_->timers.RefreshTimer->Interval(); }
bool PhoneEngine::RefreshRunning() const { return in_->timers.RefreshTimer->IsActive(); }
bool PhoneEngine::OperationRunning() const {
    if (!port_.Connected()) return false;
    const bool awaited =
        !in_->state.Receive.CommandInFlight.empty() && !in_->state.Chain.AwaitingFirstAnswer;
    return awaited || IsBusy(in_->ctx);
}
const GeneralInfoView& PhoneEngine::GeneralInfo() const { return in_->state.GeneralInfo; }
const ServicesView& PhoneEngine::Services() const { return in_->state.Services.Page; }
const MelodyListView& PhoneEngine::Melodies() const { return in_->state.Melodies; }
const PhoneSettingsView& PhoneEngine::Settings() const { return in_->state.Settings; }
const ObjectCapabilitiesView& PhoneEngine::Capabilities() const { return in_->state.Capabilities; }
std::string PhoneEngine::PhoneLogoSize() const { return LogoSizeText(in_->state.Chain.PhoneModel); }
const std::vector<AListSMS>& PhoneEngine::SmsList() const { return in_->state.Sms.SmsList; }
const std::vector<AppointmentRow>& PhoneEngine::Appointments() const {
    return in_->state.Objects.AppointmentsList;
}
const std::vector<std::string>& PhoneEngine::AppointmentFreePositions() const {
    return in_->state.Objects.AppointmentFreePositions;
}
AppointmentSlotChoice PhoneEngine::NewAppointmentSlot() const {
    return parlenko::NewAppointmentSlot(in_->state.Objects.AppointmentFreePositions);
}

// --- inside -----------------------------------------------------------------------------

EngineState& PhoneEngine::State() { return in_->state; }
const EngineState& PhoneEngine::State() const { return in_->state; }
EngineContext& PhoneEngine::Context() { return in_->ctx; }
EngineTimers& PhoneEngine::Timers() { return in_->timers; }

void PhoneEngine::cpDrvReceiveData(const std::uint8_t* data, std::size_t size) {
    parlenko::cpDrvReceiveData(in_->ctx, data, size);
}

}  // namespace parlenko
