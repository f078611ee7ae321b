#include "script/script_line_parser.h"

#include <optional>

namespace script {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::size_t kShownWordLength = 40;

// The words of a line, one at a time, separated by runs of spaces and tabs.
class WordReader {
 public:
  explicit WordReader(std::string_view text) : text_(text) {}

  std::optional<std::string_view> Next() {
    std::size_t start = text_.find_first_not_of(kBlanks, pos_);
    if (start == std::string_view::npos) {
      pos_ = text_.size();
      return std::nullopt;
    }
    std::size_t end = text_.find_first_of(kBlanks, start);
    if (end == std::string_view::npos) end = text_.size();
    pos_ = end;
    return text_.substr(start, end - start);
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

std::string_view Cut(std::string_view text, std::size_t limit = kMaxTokenLength) { return text.substr(0, limit); }

// A word quoted for a message: shortened, with control bytes written as \xNN so that binary
// garbage cannot upset the terminal.
std::string ShowWord(std::string_view word) {
  std::string shown = "\"";
  for (std::size_t i = 0; i < word.size() && i < kShownWordLength; ++i) {
    auto byte = static_cast<unsigned char>(word[i]);
    if (byte < 0x20 || byte == 0x7F) {
      constexpr char kHex[] = "0123456789ABCDEF";
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 0xF];
    } else {
      shown += static_cast<char>(byte);
    }
  }
  if (word.size() > kShownWordLength) shown += "...";
  return shown + "\"";
}

struct OperandFields {
  bool& dotted;
  LineText plain;
  LineText unitName;
  LineText propertyName;
  UnitProperty& property;
};

// unit.PROPERTY is split at its first "."; anything else is stored whole as a plain operand.
void StoreOperand(std::string_view word, ScriptLine& line, OperandFields fields) {
  std::size_t dot = word.find('.');
  if (dot == std::string_view::npos) {
    line.SetText(fields.plain, Cut(word));
    return;
  }
  fields.dotted = true;
  line.SetText(fields.unitName, Cut(word.substr(0, dot)));
  line.SetText(fields.propertyName, Cut(word.substr(dot + 1)));
  fields.property = FindProperty(line.Text(fields.propertyName));
}

OperandFields Left(ScriptLine& line) {
  return {line.leftDotted, LineText::Argument, LineText::LeftUnitName, LineText::LeftPropertyName, line.leftProperty};
}

OperandFields Right(ScriptLine& line) {
  return {line.rightDotted, LineText::Value, LineText::RightUnitName, LineText::RightPropertyName, line.rightProperty};
}

// A value that begins with a double quote runs to the end of the line: everything after the
// line's first double quote, less the line's last character (the closing quote).
std::string_view QuotedValue(std::string_view text) {
  std::string_view rest = text.substr(text.find('"') + 1);
  if (!rest.empty()) rest.remove_suffix(1);
  return Cut(rest);
}

std::string Example(ScriptCommand command) {
  switch (command) {
    case ScriptCommand::Set: return "SET steps = 0";
    case ScriptCommand::If: return "IF steps < 3";
    case ScriptCommand::While: return "WHILE steps < 3";
    case ScriptCommand::Show: return "SHOW guard.MESSAGE";
    default: return "HIDE guard.MESSAGE";
  }
}

// Returns the reason when the line is not kept, or nothing.
std::optional<std::string> ReadOperands(const KeywordInfo& keyword, std::string_view text, WordReader& words,
                                        ScriptLine& line) {
  const std::string command(keyword.word);
  switch (keyword.shape) {
    case ArgumentShape::Comment: {
      // The text starts at the fourth character counted from the marker, so "// text" keeps
      // "text" (and an indented comment reads the same as one at the line's start).
      std::string_view afterMarker = text.substr(text.find("//") + 2);
      if (!afterMarker.empty()) line.SetText(LineText::Comment, Cut(afterMarker.substr(1), kMaxCommentLength));
      return std::nullopt;
    }
    case ArgumentShape::Assignment:
    case ArgumentShape::Comparison: {
      auto left = words.Next();
      auto op = words.Next();
      auto right = words.Next();
      if (!op) {
        const char* parts = keyword.shape == ArgumentShape::Assignment
                                ? " needs a target, an \"=\" and a value"
                                : " needs a left operand, an operator and a right operand";
        return command + parts + ", as in: " + Example(keyword.command);
      }
      StoreOperand(*left, line, Left(line));
      if (keyword.shape == ArgumentShape::Comparison) {
        line.SetText(LineText::OperatorText, Cut(*op));
        line.op = FindOperator(*op);
      }
      if (right && keyword.shape == ArgumentShape::Assignment && right->front() == '"') {
        line.SetText(LineText::Value, QuotedValue(text));
        line.valueQuoted = true;
      } else if (right) {
        StoreOperand(*right, line, Right(line));
      }
      return std::nullopt;
    }
    case ArgumentShape::NoOperand: return std::nullopt;
    case ArgumentShape::Argument:
    case ArgumentShape::UnitName:
      if (auto argument = words.Next()) {
        line.SetText(LineText::Argument, Cut(*argument));
        if (keyword.shape == ArgumentShape::UnitName) line.SetText(LineText::LeftUnitName, Cut(*argument));
      }
      return std::nullopt;
    case ArgumentShape::UnitMessage: {
      auto argument = words.Next();
      if (!argument) return std::nullopt;  // kept; does nothing when run
      if (argument->find('.') == std::string_view::npos) {
        return command + " needs unit.MESSAGE, as in: " + Example(keyword.command);
      }
      line.SetText(LineText::Argument, Cut(*argument));
      StoreOperand(*argument, line, Left(line));
      return std::nullopt;
    }
    case ArgumentShape::Alone:
      if (words.Next()) return command + " must stand alone on its line";
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

ParsedLine ParseScriptLine(std::string_view text) {
  ParsedLine result;
  WordReader words(text);
  auto first = words.Next();
  if (!first) return result;
  const KeywordInfo* keyword = FindKeyword(*first);
  if (keyword == nullptr) {
    result.rejection =
        first->starts_with("//") ? "a comment needs a space after \"//\"" : "unknown command " + ShowWord(*first);
    return result;
  }
  result.line.command = keyword->command;
  if (auto reason = ReadOperands(*keyword, text, words, result.line)) {
    result.line = ScriptLine{};
    result.rejection = std::move(*reason);
    return result;
  }
  result.kept = true;
  return result;
}

}  // namespace script
