#pragma once
// A scripted platform for tests: records what was shown and opened, answers questions and the
// folder picker from queues.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.hpp"

namespace testing_support {

class FakePlatform final : public platform::Platform {
  public:
    struct Shown {
        std::string text;
        platform::Buttons buttons;
        platform::Icon icon;
    };

    std::vector<Shown> messages;
    std::deque<platform::Answer> answers;  // for Yes/No questions; No when empty
    std::vector<std::string> opened_urls;
    std::vector<std::string> opened_files;
    std::vector<std::string> edited_files;
    std::deque<std::string> folder_choices;  // "" = cancelled
    std::vector<std::string> browse_starts;
    std::deque<platform::HttpResult> http_answers;
    std::vector<std::string> http_requests;
    std::string clipboard;
    bool admin = true;
    bool open_url_works = true;  // false: as when no program is associated
    bool busy = false;
    int busy_on_calls = 0;
    int process_events_calls = 0;

    platform::Answer message(std::string_view text, platform::Buttons buttons,
                             platform::Icon icon) override {
        messages.push_back({std::string(text), buttons, icon});
        if (buttons == platform::Buttons::Ok) return platform::Answer::Ok;
        if (answers.empty()) return platform::Answer::No;
        const auto a = answers.front();
        answers.pop_front();
        return a;
    }
    bool open_url(std::string_view url) override {
        opened_urls.emplace_back(url);
        return open_url_works;
    }
    bool open_file(std::string_view path, std::string_view) override {
        opened_files.emplace_back(path);
        return true;
    }
    bool open_in_text_editor(std::string_view path) override {
        edited_files.emplace_back(path);
        return true;
    }
    std::string browse_folder(std::string_view start, std::string_view) override {
        browse_starts.emplace_back(start);
        if (folder_choices.empty()) return {};
        std::string f = folder_choices.front();
        folder_choices.pop_front();
        return f;
    }
    std::deque<std::string> save_choices;  // "" = cancelled
    std::vector<std::string> save_suggestions;
    std::string save_file_name(std::string_view suggested, std::string_view) override {
        save_suggestions.emplace_back(suggested);
        if (save_choices.empty()) return {};
        std::string f = save_choices.front();
        save_choices.pop_front();
        return f;
    }
    platform::HttpResult http_get(std::string_view url, std::string_view, int) override {
        http_requests.emplace_back(url);
        if (http_answers.empty()) return {};
        auto r = http_answers.front();
        http_answers.pop_front();
        return r;
    }
    // Set: the GETs that do not wait go there (a real network stack in the window tests).
    std::function<void(std::string_view, int, std::function<void(platform::HttpResult)>)>
        async_http;
    // Without async_http: answers from http_answers at once, before the call returns.
    void http_get_async(std::string_view url, std::string_view user_agent, int timeout_ms,
                        std::function<void(platform::HttpResult)> done) override {
        if (async_http) {
            http_requests.emplace_back(url);
            async_http(url, timeout_ms, std::move(done));
            return;
        }
        done(http_get(url, user_agent, timeout_ms));
    }
    bool is_user_admin() override { return admin; }
    void set_clipboard_text(std::string_view text) override { clipboard.assign(text); }
    void busy_on() override {
        busy = true;
        ++busy_on_calls;
    }
    void busy_off() override { busy = false; }
    void process_events() override { ++process_events_calls; }
};

}  // namespace testing_support
