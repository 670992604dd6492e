#include "platform/http/http_get.hpp"

// winhttp.h needs windows.h before it.
// clang-format off
#include "common/windows_api.hpp"
#include <winhttp.h>
// clang-format on

#include <string>

#include "platform/core/utf16.hpp"

namespace platform {
namespace {

// Closes a WinHTTP handle when the request is done with it.
struct Handle {
    HINTERNET h = nullptr;
    explicit Handle(HINTERNET handle) : h(handle) {}
    ~Handle() {
        if (h != nullptr) WinHttpCloseHandle(h);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    explicit operator bool() const { return h != nullptr; }
};

// WinHTTP's own messages live in winhttp.dll, not in the system's table.
std::string error_text(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE |
                                       FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   GetModuleHandleW(L"winhttp.dll"), code, 0,
                                   reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = n > 0 ? std::wstring(text, n) : std::wstring();
    if (text != nullptr) LocalFree(text);
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' ||
                                message.back() == L' ' || message.back() == L'.')) {
        message.pop_back();
    }
    if (message.empty()) return "WinHTTP error " + std::to_string(code);
    return to_utf8(message);
}

HttpResult failure(DWORD code) {
    HttpResult r;
    r.error = error_text(code);
    r.timed_out = code == ERROR_WINHTTP_TIMEOUT;
    return r;
}

}  // namespace

HttpResult native_http_get(std::string_view url, std::string_view user_agent, int timeout_ms) {
    std::wstring wide_url = to_utf16(url);
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(wide_url.c_str(), 0, 0, &parts)) return failure(GetLastError());
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
    path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (path.empty()) path = L"/";

    // A null agent sends no User-Agent header.
    const std::wstring agent = to_utf16(user_agent);
    Handle session(WinHttpOpen(agent.empty() ? nullptr : agent.c_str(),
                               WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                               WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session) return failure(GetLastError());
    // WinHTTP times each step, not the whole transfer; each gets the caller's limit.
    WinHttpSetTimeouts(session.h, timeout_ms, timeout_ms, timeout_ms, timeout_ms);
    Handle connection(WinHttpConnect(session.h, host.c_str(), parts.nPort, 0));
    if (!connection) return failure(GetLastError());
    const DWORD flags = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
    Handle request(WinHttpOpenRequest(connection.h, L"GET", path.c_str(), nullptr,
                                      WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, flags));
    if (!request) return failure(GetLastError());
    DWORD never = WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
    WinHttpSetOption(request.h, WINHTTP_OPTION_REDIRECT_POLICY, &never, sizeof never);
    if (!WinHttpSendRequest(request.h, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0,
                            0, 0) ||
        !WinHttpReceiveResponse(request.h, nullptr)) {
        return failure(GetLastError());
    }
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!WinHttpQueryHeaders(request.h, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size,
                             WINHTTP_NO_HEADER_INDEX)) {
        return failure(GetLastError());
    }
    HttpResult result;
    char buffer[1 << 14];
    while (true) {
        DWORD got = 0;
        if (!WinHttpReadData(request.h, buffer, sizeof buffer, &got))
            return failure(GetLastError());
        if (got == 0) break;
        result.body.append(buffer, got);
    }
    result.ok = true;
    result.status = static_cast<int>(status);
    return result;
}

}  // namespace platform
