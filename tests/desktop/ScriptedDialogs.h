// Test doubles for the desktop services: message boxes, file dialogs and folder pickers
// answered from a script, and a recorder in place of the help viewer. Both install themselves
// for their lifetime.
#pragma once

#include "desktop/HtmlHelpGateway.h"
#include "desktop/UserDialogs.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qmtest {

using qm::MessageButton;
using qm::MessageRequest;

/// Answers every dialog from its queues and records what was asked. A message box without a
/// scripted answer is answered "OK" when it has that button; any other unscripted dialog is a
/// test failure and is cancelled.
class ScriptedDialogs final : public qm::UserDialogs {
public:
  ScriptedDialogs() : previous_(qm::InstallDialogs(this)) {}
  ~ScriptedDialogs() override { qm::InstallDialogs(previous_); }
  ScriptedDialogs(const ScriptedDialogs&) = delete;
  ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

  std::deque<MessageButton> answers;
  std::deque<std::optional<QString>> files;   ///< for open and save dialogs
  std::deque<std::optional<QString>> folders; ///< for folder pickers

  std::vector<MessageRequest> messages;
  /// Called with each message box as it is asked, before its answer is taken.
  std::function<void(QWidget* parent, const MessageRequest& request)> onMessage;
  std::vector<qm::FileRequest> openRequests;
  std::vector<qm::FileRequest> saveRequests;
  std::vector<std::pair<QString, QString>> folderRequests; ///< title, root

  MessageButton Message(QWidget* parent, const MessageRequest& request) override {
    messages.push_back(request);
    if (onMessage) {
      onMessage(parent, request);
    }
    if (!answers.empty()) {
      const MessageButton answer = answers.front();
      answers.pop_front();
      return answer;
    }
    if ((request.Buttons & MessageButton::Ok) == 0) {
      ADD_FAILURE() << "unscripted question: " << request.Text.toStdString();
    }
    return qm::EscapeAnswer(request.Buttons);
  }

  std::optional<QString> OpenFile(QWidget* /*parent*/, const qm::FileRequest& request) override {
    openRequests.push_back(request);
    return NextFile();
  }

  std::optional<QString> SaveFile(QWidget* /*parent*/, const qm::FileRequest& request) override {
    saveRequests.push_back(request);
    return NextFile();
  }

  std::optional<QString> PickFolder(QWidget* /*parent*/, const QString& title,
                                    const QString& root) override {
    folderRequests.emplace_back(title, root);
    return Next(folders, "folder picker");
  }

  /// The texts of the message boxes shown so far, one per box.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const MessageRequest& m : messages) {
      texts.push_back(m.Text.toStdString());
    }
    return texts;
  }

private:
  std::optional<QString> NextFile() { return Next(files, "file dialog"); }

  static std::optional<QString> Next(std::deque<std::optional<QString>>& queue, const char* what) {
    if (queue.empty()) {
      ADD_FAILURE() << "unscripted " << what;
      return std::nullopt;
    }
    // Copying the optional itself makes GCC 12 warn that the QString "may be used
    // uninitialized" (-Wmaybe-uninitialized); the value is copied out on its own instead.
    const bool chosen = queue.front().has_value();
    const QString value = chosen ? *queue.front() : QString();
    queue.pop_front();
    if (!chosen) {
      return std::nullopt;
    }
    return value;
  }

  qm::UserDialogs* previous_;
};

/// One request that reached the help viewer.
struct HelpCall {
  QString file;
  unsigned command;
  qm::HtmlHelpData data;
};

/// Stands in for the help viewer while it lives.
class HelpRecorder {
public:
  HelpRecorder() {
    qm::HtmlHelpEntry = [this](WId, const QString& file, unsigned command,
                               const qm::HtmlHelpData& data) {
      calls.push_back({file, command, data});
    };
  }
  ~HelpRecorder() { qm::HtmlHelpEntry = nullptr; }
  HelpRecorder(const HelpRecorder&) = delete;
  HelpRecorder& operator=(const HelpRecorder&) = delete;

  /// The context numbers asked for, in order.
  std::vector<std::uint32_t> Contexts() const {
    std::vector<std::uint32_t> contexts;
    for (const HelpCall& call : calls) {
      if (const auto* number = std::get_if<std::uint32_t>(&call.data)) {
        contexts.push_back(*number);
      }
    }
    return contexts;
  }

  std::vector<HelpCall> calls;
};

} // namespace qmtest
