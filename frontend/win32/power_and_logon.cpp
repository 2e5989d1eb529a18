// Clock, wake timer, notification state and the Run value; see
// power_and_logon.h.
#include "frontend/win32/power_and_logon.h"

#include <shellapi.h>

#include <cstdio>

#include "common/settings/win32/registry_store.h"
#include "common/win32/debug_log.h"
#include "common/win32/wide_text.h"

namespace lumora::win32 {

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kApprovedKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
constexpr wchar_t kRunName[] = L"Lumora";
// Seconds from 1601-01-01 (FILETIME's origin) to 1970-01-01.
constexpr int64_t kFileTimeEpochSeconds = 11644473600;
// Windows' ERROR_TIMER_RESUME_IGNORED, which Wine gives where Windows says
// ERROR_NOT_SUPPORTED: the timer runs but will not wake the machine.
constexpr DWORD kTimerResumeIgnored = 722;

std::string isoUtc(int64_t utcMinutes) {
    const LocalTime t = localTimeAt(utcMinutes);  // plain calendar arithmetic, no zone
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d UTC", t.year, t.month, t.day, t.hour, t.minute);
    return text;
}

}  // namespace

LocalTime localNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};
}

std::optional<int64_t> localToUtcMinutes(const LocalTime& local) {
    SYSTEMTIME in{};
    in.wYear = static_cast<WORD>(local.year);
    in.wMonth = static_cast<WORD>(local.month);
    in.wDay = static_cast<WORD>(local.day);
    in.wHour = static_cast<WORD>(local.hour);
    in.wMinute = static_cast<WORD>(local.minute);
    SYSTEMTIME utc{};
    FILETIME file{};
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &in, &utc) || !SystemTimeToFileTime(&utc, &file)) return std::nullopt;
    const int64_t ticks = (static_cast<int64_t>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
    return ticks / 10000000 / 60 - kFileTimeEpochSeconds / 60;
}

void WakeTimer::set(std::optional<int64_t> utcMinutes) {
    if (!utcMinutes) {
        if (armed_ && timer_) {
            CancelWaitableTimer(timer_.get());
            logLine("wake timer cancelled");
        }
        armed_ = false;
        return;
    }
    if (!timer_) timer_.reset(CreateWaitableTimerW(nullptr, TRUE, nullptr));
    if (!timer_) {
        logFailure("CreateWaitableTimerW");
        return;
    }
    // A positive due time is absolute, in FILETIME units.
    LARGE_INTEGER due{};
    due.QuadPart = (*utcMinutes * 60 + kFileTimeEpochSeconds) * 10000000;
    SetLastError(ERROR_SUCCESS);
    if (!SetWaitableTimer(timer_.get(), &due, 0, nullptr, nullptr, TRUE)) {
        logFailure("SetWaitableTimer");
        armed_ = false;
        return;
    }
    armed_ = true;
    const DWORD error = GetLastError();
    if (error == ERROR_NOT_SUPPORTED || error == kTimerResumeIgnored)
        logLine("wake timer set for " + isoUtc(*utcMinutes) + " (this system will not wake for it: error " +
                std::to_string(error) + ")");
    else
        logLine("wake timer set for " + isoUtc(*utcMinutes));
}

UserNotificationState userNotificationState() {
    QUERY_USER_NOTIFICATION_STATE state{};
    if (FAILED(SHQueryUserNotificationState(&state))) return UserNotificationState::AcceptsNotifications;
    return static_cast<UserNotificationState>(state);
}

std::optional<std::string> readRunValue() {
    RegistryStore run(kRunKey);
    std::string text;
    if (!run.readValue(narrow(kRunName), text)) return std::nullopt;
    return text;
}

std::optional<std::vector<uint8_t>> readStartupApproved() {
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kApprovedKey, kRunName, RRF_RT_REG_BINARY, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::vector<uint8_t> bytes(size);
    if (size > 0 && RegGetValueW(HKEY_CURRENT_USER, kApprovedKey, kRunName, RRF_RT_REG_BINARY, nullptr, bytes.data(),
                                 &size) != ERROR_SUCCESS)
        return std::nullopt;
    bytes.resize(size);
    return bytes;
}

bool writeRunValue(const std::string& text) {
    RegistryStore run(kRunKey);
    return run.writeValue(narrow(kRunName), text);
}

bool deleteRunValue() {
    const LSTATUS status = RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunName);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace lumora::win32
