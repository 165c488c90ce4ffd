// The script is read line by line; each line is cut at '#', then at ';'
// into statements, each statement into words. Every byte is either a
// separator or part of a word, and every word is checked against what its
// statement expects, so arbitrary input ends in an error, never a crash.
#include "platform/host/headless/input_script.h"

#include <cstdio>
#include <cstring>

#include "platform/win32.h"

namespace platform {
namespace {

constexpr std::size_t kMaxWordShown = 32;
constexpr std::size_t kMaxDigits = 9;  // far beyond every range, and safe in a long

struct Word {
  std::string text;
  int column;
};

struct Keyword {
  const char* name;
  InputEvent::Kind kind;
  int numbers;  // 2 for a position, 1 for a key, 0 for none
};

constexpr Keyword kKeywords[] = {
    {"move", InputEvent::MouseMove, 2},        {"press", InputEvent::LeftDown, 2},
    {"release", InputEvent::LeftUp, 2},        {"key", InputEvent::KeyDown, 1},
    {"activate", InputEvent::Activate, 0},     {"deactivate", InputEvent::Deactivate, 0},
    {"close", InputEvent::Close, 0},           {"size", InputEvent::Resize, 2},
};
constexpr int kMaxClientSize = 8192;
constexpr const char* kAltPrefix = "alt+";

// The mouse's range: the 640 x 480 display until a `size` line gives the
// window another.
struct Area {
  int width = kScreenWidth;
  int height = kScreenHeight;
};

struct KeyName {
  const char* name;
  unsigned code;
};

constexpr KeyName kKeyNames[] = {{"escape", VK_ESCAPE}, {"return", VK_RETURN}, {"space", VK_SPACE},
                                 {"left", VK_LEFT},     {"up", VK_UP},          {"right", VK_RIGHT},
                                 {"down", VK_DOWN},     {"f1", VK_F1},          {"f11", VK_F11}};

// Words in messages are cut short and their unprintable bytes escaped, so
// that an error about binary input is still one readable line.
std::string shown(const std::string& word) {
  std::string text = "'";
  for (std::size_t i = 0; i < word.size() && i < kMaxWordShown; ++i) {
    auto byte = static_cast<unsigned char>(word[i]);
    if (byte >= 0x20 && byte < 0x7f) {
      text += static_cast<char>(byte);
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      text += escaped;
    }
  }
  if (word.size() > kMaxWordShown) text += "...";
  return text + "'";
}

bool isSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::vector<Word> splitWords(const std::string& line, std::size_t begin, std::size_t end) {
  std::vector<Word> words;
  std::size_t i = begin;
  while (i < end) {
    if (isSeparator(line[i])) {
      ++i;
      continue;
    }
    std::size_t start = i;
    while (i < end && !isSeparator(line[i])) ++i;
    words.push_back({line.substr(start, i - start), static_cast<int>(start) + 1});
  }
  return words;
}

class StatementParser {
 public:
  StatementParser(int line, Area& area, ScriptError& error) : line_(line), area_(area), error_(error) {}

  // `endColumn` is where a missing word would have stood.
  bool parse(const std::vector<Word>& words, int endColumn, ScriptEvent& event) {
    const std::string& name = words[0].text;
    if (name == "lose") return parseLoseSurfaces(words, endColumn, event);
    for (const Keyword& keyword : kKeywords) {
      if (name == keyword.name) return parseInput(keyword, words, endColumn, event.input);
    }
    return fail(words[0].column, "unknown event " + shown(name));
  }

 private:
  bool fail(int column, const std::string& message) {
    error_ = ScriptError{line_, column, message};
    return false;
  }

  bool parseLoseSurfaces(const std::vector<Word>& words, int endColumn, ScriptEvent& event) {
    static const char* const kPhrase[] = {"lose", "surfaces", "now"};
    for (std::size_t i = 1; i < 3; ++i) {
      if (i >= words.size()) return fail(endColumn, "expected 'lose surfaces now'");
      if (words[i].text != kPhrase[i]) return fail(words[i].column, "expected 'lose surfaces now'");
    }
    if (words.size() > 3) return fail(words[3].column, "unexpected " + shown(words[3].text));
    event.kind = ScriptEvent::LoseSurfaces;
    return true;
  }

  bool parseInput(const Keyword& keyword, const std::vector<Word>& words, int endColumn, InputEvent& input) {
    input = InputEvent{keyword.kind};
    int given = static_cast<int>(words.size()) - 1;
    if (given < keyword.numbers) {
      const char* wanted = keyword.numbers == 2 ? "an x and a y" : "a key";
      return fail(endColumn, std::string("'") + keyword.name + "' needs " + wanted);
    }
    if (given > keyword.numbers) {
      return fail(words[keyword.numbers + 1].column, "unexpected " + shown(words[keyword.numbers + 1].text));
    }
    if (keyword.numbers == 1) return parseKey(words[1], input);
    if (keyword.kind == InputEvent::Resize) {
      if (!parseNumber(words[1], 1, kMaxClientSize, input.x) || !parseNumber(words[2], 1, kMaxClientSize, input.y)) {
        return false;
      }
      area_ = Area{input.x, input.y};
      return true;
    }
    if (keyword.numbers == 2) {
      return parseNumber(words[1], 0, area_.width - 1, input.x) && parseNumber(words[2], 0, area_.height - 1, input.y);
    }
    return true;
  }

  bool parseKey(Word word, InputEvent& input) {
    input.alt = word.text.rfind(kAltPrefix, 0) == 0;
    if (input.alt) {
      word.text.erase(0, std::strlen(kAltPrefix));
      word.column += static_cast<int>(std::strlen(kAltPrefix));
    }
    unsigned& key = input.key;
    for (const KeyName& keyName : kKeyNames) {
      if (word.text == keyName.name) {
        key = keyName.code;
        return true;
      }
    }
    int code = 0;
    if (!parseNumber(word, 1, 254, code)) return false;
    key = static_cast<unsigned>(code);
    return true;
  }

  bool parseNumber(const Word& word, int low, int high, int& value) {
    const std::string& text = word.text;
    bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
    if (!digits) return fail(word.column, shown(text) + " is not a number");
    std::size_t first = text.find_first_not_of('0');
    long number = 0;
    if (first != std::string::npos) {
      if (text.size() - first > kMaxDigits) return fail(word.column, shown(text) + " is out of range");
      number = std::stol(text.substr(first));
    }
    if (number < low || number > high) {
      return fail(word.column, shown(text) + " is out of range " + std::to_string(low) + ".." + std::to_string(high));
    }
    value = static_cast<int>(number);
    return true;
  }

  int line_;
  Area& area_;
  ScriptError& error_;
};

// One line: its events, all in one step, or an error.
bool parseLine(const std::string& line, int lineNumber, Area& area, ScriptStep& step, ScriptError& error) {
  std::size_t end = line.find('#');
  if (end == std::string::npos) end = line.size();
  StatementParser parser(lineNumber, area, error);
  std::size_t begin = 0;
  while (begin <= end) {
    std::size_t stop = line.find(';', begin);
    if (stop == std::string::npos || stop > end) stop = end;
    std::vector<Word> words = splitWords(line, begin, stop);
    if (!words.empty()) {
      ScriptEvent event;
      if (!parser.parse(words, static_cast<int>(stop) + 1, event)) return false;
      step.push_back(event);
    }
    begin = stop + 1;
  }
  return true;
}

}  // namespace

std::string ScriptError::text() const {
  return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + message;
}

bool parseInputScript(const std::string& text, std::vector<ScriptStep>& steps, ScriptError& error) {
  steps.clear();
  std::size_t begin = 0;
  int lineNumber = 1;
  Area area;
  while (begin <= text.size()) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    ScriptStep step;
    if (!parseLine(text.substr(begin, end - begin), lineNumber, area, step, error)) {
      steps.clear();
      return false;
    }
    if (!step.empty()) steps.push_back(std::move(step));
    begin = end + 1;
    ++lineNumber;
  }
  return true;
}

}  // namespace platform
