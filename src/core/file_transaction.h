#pragma once
// Replacing many files as one change. Every new content is first written to a temporary file
// beside its target, so a full disk or an unwritable directory stops the change before any
// target is touched. Only then are the targets replaced, one rename each, the old file kept
// under a temporary name until every target is replaced; a failure on the way puts every
// replaced target's old file back.
//
// The temporary names are those of WriteFileAtomically (".<name>.<8 hex digits>.tmp"), so what
// an interrupted change leaves behind is found and removed by the save directory's clean-up;
// each target itself always holds either its old or its new content.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace stallora {

class FileTransaction {
 public:
  FileTransaction() = default;
  FileTransaction(const FileTransaction&) = delete;
  FileTransaction& operator=(const FileTransaction&) = delete;
  // A transaction neither committed nor aborted is aborted.
  ~FileTransaction();

  // Writes `bytes` to a temporary file beside `target` (creating the directories it lacks;
  // an abort removes them again). The target is not touched. The new file gets the target's
  // permission bits when the target exists. False with "Cannot create file <target>: <reason>"
  // in `error`; the transaction can then only be aborted.
  bool Stage(const std::filesystem::path& target, std::string_view bytes, std::string* error = nullptr);
  int StagedCount() const { return static_cast<int>(entries_.size()); }

  // Makes the staged files durable, then replaces the targets in the order they were staged.
  // `progress` is told (done, total) after each. On a failure every target replaced so far
  // gets its old file back (a target that did not exist is removed again), the staged files
  // and the directories Stage created are removed, and false is returned with the message
  // naming the target; RestoreProblems then lists what could not be put back (normally
  // nothing).
  bool Commit(std::string* error = nullptr, const std::function<void(int, int)>& progress = {});

  // Removes the staged files and the directories Stage created; no target was touched.
  void Abort();

  const std::vector<std::string>& RestoreProblems() const { return restoreProblems_; }
  // The target whose staging or replacement failed (empty when none did).
  const std::filesystem::path& FailedTarget() const { return failedTarget_; }

 private:
  struct Entry {
    std::filesystem::path target;
    std::filesystem::path staged;
    std::filesystem::path backup;  // the old file during the commit; empty when there was none
    bool replaced = false;
  };
  void RemoveCreatedDirectories();
  void RollBack();

  std::vector<Entry> entries_;
  // First directories Stage created (deepest removal first on an abort).
  std::vector<std::filesystem::path> createdDirs_;
  std::vector<std::string> restoreProblems_;
  std::filesystem::path failedTarget_;
  bool finished_ = false;
};

}  // namespace stallora
