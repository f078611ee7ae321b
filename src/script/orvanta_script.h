// A script of the project's Scripts folder, read once into line records that the interpreter
// walks, and its runs: one thread per run, at most one run at a time (script_run.cpp).
#pragma once

#include <atomic>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "script/script_context.h"
#include "script/script_interpreter.h"
#include "script/script_line.h"

namespace script {

// A line of the file that was not kept, with the reason a game maker can act on.
struct RejectedLine {
  int sourceLine = 0;  // 1-based
  std::string reason;
};

}  // namespace script

class CGameUnit;

class COrvantaScript {
 public:
  COrvantaScript() = default;
  // Stops a run in progress and waits for its thread.
  virtual ~COrvantaScript();
  COrvantaScript(const COrvantaScript&) = delete;
  COrvantaScript& operator=(const COrvantaScript&) = delete;

  // Reads the whole file (a backslash project path) and parses it under the name by which the
  // game starts it. False, with the script left as it was, when the name or path is empty or
  // the file cannot be read, or while a run is in progress; false, with the script unloaded and
  // TooLarge() set, for a file beyond the bounds of script_size.h.
  bool Load(const std::string& name, const std::string& path);
  // The same from the file's bytes: UTF-8 text is converted to Windows-1252 first. Nothing
  // while a run is in progress.
  void LoadText(const std::string& name, std::string bytes);

  // Loaded means read from a file or text, even an empty one; an unloaded script never runs.
  bool IsLoaded() const { return loaded_; }
  // The last load met a file beyond the bounds of script_size.h: nothing of it was kept.
  bool TooLarge() const { return tooLarge_; }
  const std::string& Name() const { return name_; }
  const std::vector<script::ScriptLine>& Lines() const { return lines_; }
  std::size_t LineCount() const { return lines_.size(); }
  const std::vector<script::RejectedLine>& RejectedLines() const { return rejected_; }

  // ---- Runs -----------------------------------------------------------------------------------
  // Starts a run from line 0 on a thread of its own against the world, with the engine's event
  // unit as its owner (whose ISEVENTCOLLISION is true while the run lasts). Nothing when the
  // script is not loaded or a run is in progress: that start is lost. The caller holds the
  // world lock.
  void Start(script::ScriptContext& world) TL_REQUIRES(world.engine.Lock());
  // Ends the run after the line in progress (a SLEEP in progress is waited out unless the
  // platform's script waits are cut short) and waits for its thread. The caller must not hold
  // the world lock.
  void Stop();
  // Asks the run to end after the line in progress, without waiting.
  void RequestStop() { running_.store(false); }
  bool IsRunning() const { return running_.load(); }
  // The file line of the line in progress; 0 when no run is in progress.
  int CurrentLine() const { return running_.load() ? currentLine_.load() : 0; }

  // ---- Saved games ------------------------------------------------------------------------------
  // What a saved game keeps of a run: where it is, its owner, its line in progress.
  struct SavedRun {
    script::RunPosition position;
    CGameUnit* owner = nullptr;
    int currentLine = 0;
  };
  // Stops a run in progress as Stop does, but keeps where it was: a run the stop cut short is
  // held until ResumeHeld or Forget. The caller must not hold the world lock.
  void Suspend();
  // A run in progress or held; what a save keeps of it (the caller holds the world lock).
  bool HasRun() const { return running_.load() || held_.load(); }
  SavedRun RunToSave() const;
  // Holds a saved run in place of any held one (nothing runs yet); Forget drops a held run.
  void Hold(const SavedRun& run);
  void Forget() { held_.store(false); }
  // Starts the held run on a thread of its own: it waits until its wake tick of the world clock
  // when it was waiting, then goes on from its position. The caller holds the world lock.
  void ResumeHeld(script::ScriptContext& world) TL_REQUIRES(world.engine.Lock());

 private:
  // Parses the text into the line records; false, keeping none, past the line bound.
  bool Parse(std::string_view text);
  void RunThread(script::ScriptContext& world, CGameUnit* owner, uint32_t firstWaitMs);
  void StartThread(script::ScriptContext& world, CGameUnit* owner, uint32_t firstWaitMs)
      TL_REQUIRES(world.engine.Lock());

  std::string name_;  // at most 255 characters
  bool loaded_ = false;
  bool tooLarge_ = false;
  std::vector<script::ScriptLine> lines_;
  std::vector<script::RejectedLine> rejected_;

  std::thread thread_;  // the latest run's
  std::atomic<bool> running_{false};
  std::atomic<int> currentLine_{0};
  // The latest run's position and owner: written by its thread under the world lock.
  script::RunPosition position_;
  CGameUnit* owner_ = nullptr;
  std::atomic<bool> stoppedEarly_{false};  // the latest run ended by a stop, with lines left
  std::atomic<bool> held_{false};          // a run kept by Suspend or Hold, not running
};
