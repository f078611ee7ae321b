// A script of the project's Scripts folder, read once into line records that the interpreter
// walks. The run-time side (thread, running flag, owner unit) is added by the script manager.
#pragma once

#include <string>
#include <vector>

#include "script/script_line.h"

namespace script {

// A line of the file that was not kept, with the reason a game maker can act on.
struct RejectedLine {
  int sourceLine = 0;  // 1-based
  std::string reason;
};

}  // namespace script

class COrvantaScript {
 public:
  COrvantaScript() = default;
  virtual ~COrvantaScript() = default;
  COrvantaScript(const COrvantaScript&) = delete;
  COrvantaScript& operator=(const COrvantaScript&) = delete;

  // Reads the whole file (a backslash project path) and parses it under the name by which the
  // game starts it. False, with the script left as it was, when the name or path is empty or
  // the file cannot be read.
  bool Load(const std::string& name, const std::string& path);
  // The same from the file's bytes: UTF-8 text is converted to Windows-1252 first.
  void LoadText(const std::string& name, std::string bytes);

  // Loaded means read from a file or text, even an empty one; an unloaded script never runs.
  bool IsLoaded() const { return loaded_; }
  const std::string& Name() const { return name_; }
  const std::string& Text() const { return text_; }
  const std::vector<script::ScriptLine>& Lines() const { return lines_; }
  std::size_t LineCount() const { return lines_.size(); }
  const std::vector<script::RejectedLine>& RejectedLines() const { return rejected_; }

 private:
  void Parse();

  std::string name_;  // at most 255 characters
  std::string text_;  // Windows-1252
  bool loaded_ = false;
  std::vector<script::ScriptLine> lines_;
  std::vector<script::RejectedLine> rejected_;
};
