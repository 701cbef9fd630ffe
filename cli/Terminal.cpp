#include "cli/Terminal.h"

#include "base/AnsiText.h"
#include "base/CodePages.h"
#include "base/Console.h"
#include "cli/CliTexts.h"

#include <iostream>
#include <string>

namespace qm::cli {

void PrintAnsi(std::FILE* stream, std::string_view ansi) {
  PrintUtf8(stream, ReplaceAll(AnsiToUtf8(ansi), "\r\n", "\n"));
}

void PrintError(std::FILE* stream, const Error& error) {
  PrintUtf8(stream, ReplaceAll(error.Text(), "\r\n", "\n"));
}

void PrintUtf8(std::FILE* stream, std::string_view utf8) {
  WriteText(stream, utf8);
  if (utf8.empty() || utf8.back() != '\n') {
    WriteText(stream, "\n");
  }
  std::fflush(stream);
}

bool IsYesAnswer(std::string_view answer) {
  return !answer.empty() &&
         std::string_view(kYesLetters).find(answer.front()) != std::string_view::npos;
}

bool AskYesNo(std::string_view ansiQuestion) {
  const std::string question = ReplaceAll(AnsiToUtf8(ansiQuestion), "\r\n", "\n");
  WriteText(stderr, question);
  WriteText(stderr, kPromptSuffix);
  std::fflush(stderr);
  std::string answer;
  if (!std::getline(std::cin, answer)) {
    std::fputc('\n', stderr);
    return false;
  }
  return IsYesAnswer(answer);
}

} // namespace qm::cli
