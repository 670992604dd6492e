#include "platform/http/http_get.hpp"

#include <curl/curl.h>

#include <string>

namespace platform {
namespace {

std::size_t append_body(char* data, std::size_t size, std::size_t count, void* target) {
    static_cast<std::string*>(target)->append(data, size * count);
    return size * count;
}

}  // namespace

HttpResult native_http_get(std::string_view url, std::string_view user_agent, int timeout_ms) {
    HttpResult result;
    CURL* curl = curl_easy_init();
    if (curl == nullptr) return result;
    const std::string url_text(url);
    const std::string agent(user_agent);
    curl_easy_setopt(curl, CURLOPT_URL, url_text.c_str());
    if (!agent.empty()) curl_easy_setopt(curl, CURLOPT_USERAGENT, agent.c_str());
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(timeout_ms));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);  // no SIGALRM in a host program
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &append_body);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &result.body);
    const CURLcode code = curl_easy_perform(curl);
    if (code == CURLE_OK) {
        long status = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        result.status = static_cast<int>(status);
        result.ok = true;
    } else {
        result.body.clear();
        result.error = curl_easy_strerror(code);
        result.timed_out = code == CURLE_OPERATION_TIMEDOUT;
    }
    curl_easy_cleanup(curl);
    return result;
}

}  // namespace platform
