#pragma once
// A fake of app::Toolkit that records every call in order.
#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/toolkit.h"

namespace app::testing {

inline const char* BoxName(Box box) {
  switch (box) {
    case Box::Nickname: return "Nickname";
    case Box::QqNumber: return "QqNumber";
    case Box::Signature: return "Signature";
    case Box::Impression: return "Impression";
    case Box::AvatarPath: return "AvatarPath";
  }
  return "?";
}

struct PendingCall {
  int milliseconds;
  std::function<void()> call;
};

class FakeToolkit final : public Toolkit {
 public:
  std::array<std::string, 5> texts;
  std::optional<Box> focus;
  struct Selection {
    std::size_t start = 0, length = 0;
  };
  std::array<Selection, 5> selections{};
  std::vector<std::string> log;
  std::vector<std::pair<std::string, std::string>> messages;  // caption, text
  std::vector<FileDialogRequest> requests;
  std::deque<std::optional<std::string>> answers;  // what the dialog returns, in turn
  std::vector<std::string> opened;
  std::vector<PendingCall> pending;
  std::vector<int> themes;
  std::function<void()> on_message;

  std::string& Text(Box box) { return texts[static_cast<std::size_t>(box)]; }
  Selection& SelectionOf(Box box) { return selections[static_cast<std::size_t>(box)]; }

  std::string BoxText(Box box) override {
    log.push_back(std::string("read ") + BoxName(box));
    return Text(box);
  }
  void SetBoxText(Box box, std::string_view gbk) override {
    log.push_back(std::string("set ") + BoxName(box) + " " + std::string(gbk));
    Text(box) = std::string(gbk);
    SelectionOf(box) = {};
  }
  void Focus(Box box) override {
    log.push_back(std::string("focus ") + BoxName(box));
    focus = box;
  }
  void SelectBytes(Box box, std::size_t start, std::size_t length) override {
    log.push_back(std::string("select ") + BoxName(box) + " " + std::to_string(start) + " " +
                  std::to_string(length));
    SelectionOf(box) = {start, length};
  }
  void ShowMessage(std::string_view caption, std::string_view text) override {
    log.push_back("message " + std::string(caption));
    messages.emplace_back(std::string(caption), std::string(text));
    if (on_message) on_message();
  }
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override {
    log.push_back("dialog");
    requests.push_back(request);
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ShellOpen(std::string_view address) override {
    log.push_back("open " + std::string(address));
    opened.emplace_back(address);
  }
  void CallLater(int milliseconds, std::function<void()> call) override {
    log.push_back("later " + std::to_string(milliseconds));
    pending.push_back({milliseconds, std::move(call)});
  }
  void ApplyVisualTheme(int scheme) override {
    log.push_back("theme " + std::to_string(scheme));
    themes.push_back(scheme);
  }

  // Runs the oldest pending call; false when there is none.
  bool RunNext() {
    if (pending.empty()) return false;
    PendingCall next = std::move(pending.front());
    pending.erase(pending.begin());
    log.push_back("run later " + std::to_string(next.milliseconds));
    next.call();
    return true;
  }

  bool Logged(const std::string& entry) const {
    for (const auto& e : log)
      if (e == entry) return true;
    return false;
  }
  // Position of the first entry equal to `entry`, or -1.
  int IndexOf(const std::string& entry) const {
    for (std::size_t i = 0; i < log.size(); ++i)
      if (log[i] == entry) return static_cast<int>(i);
    return -1;
  }
};

}  // namespace app::testing
