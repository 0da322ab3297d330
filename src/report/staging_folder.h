#pragma once

#include <filesystem>
#include <memory>

#include "report/signal_cleanup.h"

namespace quill {

// A hidden folder inside an output folder that receives documents until all of them are
// complete. Its name carries the process id (".quillmere-<pid>-XXXXXX"), so that a later run
// can tell the folders of processes that no longer exist and remove them. It is removed with
// everything in it when it goes, and on SIGINT or SIGTERM once removeStagingOnSignals() ran.
class StagingFolder {
 public:
  // Removes the stale staging folders of the parent, then makes a new one there.
  // Throws WriteError when the parent takes no folder.
  explicit StagingFolder(const std::filesystem::path& parent);
  ~StagingFolder();
  StagingFolder(const StagingFolder&) = delete;
  StagingFolder& operator=(const StagingFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::unique_ptr<SignalCleanup> cleanup_;
};

// Removes the staging folders in the folder whose processes no longer run; folders of
// running processes and everything else stay.
void removeStaleStagingFolders(const std::filesystem::path& folder);

// Makes SIGINT and SIGTERM remove the staging folders and the unfinished files that exist at
// that moment, then end the process as the signal would have.
void removeStagingOnSignals();

}  // namespace quill
