#pragma once
// Saving the card shown as the next free IMG<n>.jpg in the run directory.
#include <string>
#include <string_view>

#include "canvas/card_canvas.h"

namespace save {

// Which step stopped a save.
enum class SaveFailure {
  None,
  SnapshotEmpty,       // no snapshot could be taken; nothing was written
  TempNotWritten,      // run_directory/temp could not be written
  CardFileNotWritten,  // no complete IMG<n>.jpg could be written
};

// What the user is told after a save: the success message, or an error
// naming what failed and the path involved. Texts are GBK.
struct SaveOutcome {
  bool saved = false;
  std::string card_path;  // the card file written (empty when none)
  std::string caption;    // "保存成功" or "保存失败"
  std::string message;
  SaveFailure failure = SaveFailure::None;
};

// Snapshot -> run_directory/temp -> next free run_directory/IMG<n>.jpg.
// The caller shows the outcome in a message box.
SaveOutcome SaveCard(const canvas::CardCanvas& canvas, std::string_view run_directory);

// The steps after the snapshot: SaveCard is TakeSnapshot(canvas, 0, 0) handed
// to this. `snapshot` is the bytes of a BMP file, or empty.
SaveOutcome SaveSnapshot(const canvas::PictureBytes& snapshot, std::string_view run_directory);

}  // namespace save
