#include "update/leftovers.h"

#include "update/install_batch.h"

namespace nimbul::update {

void RemoveUpdateLeftovers(ui::Application& app) {
  platform::Files& files = app.Sys().files;
  const std::string folder = app.ExeFolder();
  for (const char* name : {kDescriptionFile, kNewProgramFile, kInstallBatchFile, kOldProgramCopy})
    if (files.FileExists(folder + name)) files.DeleteFileA(folder + name);
  const std::string note = folder + kUpdateNoteFile;
  std::string text;
  if (!files.FileExists(note) || !files.ReadFile(note, &text)) return;
  files.DeleteFileA(note);
  // The batch file's echo ends the line with CR LF, and may add a blank.
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  if (!text.empty()) app.ShowMessage(text);
}

}  // namespace nimbul::update
