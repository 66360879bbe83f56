#include "save/save_card.h"

#include <cstdint>
#include <limits>

#include "canvas/take_snapshot.h"
#include "platform/file_ops.h"
#include "platform/files.h"
#include "save/convert_to_jpeg.h"

namespace save {
namespace {

// "保存成功"
constexpr std::string_view kSuccessCaption = "\xB1\xA3\xB4\xE6\xB3\xC9\xB9\xA6";
// "恭喜您，保存成功！"
constexpr std::string_view kSuccessText = "\xB9\xA7\xCF\xB2\xC4\xFA\xA3\xAC\xB1\xA3\xB4\xE6\xB3\xC9\xB9\xA6\xA3\xA1";
// "保存失败"
constexpr std::string_view kFailureCaption = "\xB1\xA3\xB4\xE6\xCA\xA7\xB0\xDC";
// "名片截图为空，没有写入临时文件："
constexpr std::string_view kSnapshotEmptyText =
    "\xC3\xFB\xC6\xAC\xBD\xD8\xCD\xBC\xCE\xAA\xBF\xD5\xA3\xAC\xC3\xBB\xD3\xD0\xD0\xB4\xC8\xEB\xC1\xD9\xCA\xB1\xCE\xC4"
    "\xBC\xFE\xA3\xBA";
// "临时文件无法写入："
constexpr std::string_view kTempNotWrittenText = "\xC1\xD9\xCA\xB1\xCE\xC4\xBC\xFE\xCE\xDE\xB7\xA8\xD0\xB4\xC8\xEB\xA3\xBA";
// "名片文件无法写入："
constexpr std::string_view kCardNotWrittenText = "\xC3\xFB\xC6\xAC\xCE\xC4\xBC\xFE\xCE\xDE\xB7\xA8\xD0\xB4\xC8\xEB\xA3\xBA";
// The text and the path are set apart by an empty line.
constexpr std::string_view kBlankLine = "\r\n\r\n";

constexpr int kCardQuality = 75;

std::string InRunDirectory(std::string_view run_directory, std::string_view name) {
  std::string path(run_directory);
  path += platform::kPathSeparator;
  path += name;
  return path;
}

std::string CardFileName(std::int32_t n) { return "IMG" + std::to_string(n) + ".jpg"; }

SaveOutcome Saved(const std::string& card_path) {
  SaveOutcome outcome;
  outcome.saved = true;
  outcome.card_path = card_path;
  outcome.caption = kSuccessCaption;
  outcome.message = std::string(kSuccessText) + std::string(kBlankLine) + card_path;
  return outcome;
}

SaveOutcome Failed(SaveFailure failure, std::string_view text, const std::string& path) {
  SaveOutcome outcome;
  outcome.failure = failure;
  outcome.caption = kFailureCaption;
  outcome.message = std::string(text) + std::string(kBlankLine) + path;
  return outcome;
}

}  // namespace

SaveOutcome SaveSnapshot(const canvas::PictureBytes& snapshot, std::string_view run_directory) {
  const std::string temp_path = InRunDirectory(run_directory, "temp");
  if (snapshot.empty()) return Failed(SaveFailure::SnapshotEmpty, kSnapshotEmptyText, temp_path);

  const bool temp_written = platform::WriteWholeFile(temp_path, snapshot);
  // Runs after a failed write too: a temp file the user made read-only is
  // writable again at the next save. Its own outcome decides nothing.
  platform::ResetFileAttributes(temp_path);
  // Whatever an earlier save left in temp is never converted in its place.
  if (!temp_written) return Failed(SaveFailure::TempNotWritten, kTempNotWrittenText, temp_path);

  // The name is reserved by creating it exclusively, so no other save, in
  // this process or another, can pick it too; a name that is taken, by a
  // file or a folder, moves on to the next number.
  for (std::int32_t n = 1;; ++n) {
    const std::string card_path = InRunDirectory(run_directory, CardFileName(n));
    const platform::CreateResult reserved = platform::CreateNewFile(card_path);
    if (reserved == platform::CreateResult::AlreadyExists && n < std::numeric_limits<std::int32_t>::max())
      continue;
    if (reserved != platform::CreateResult::Created)
      return Failed(SaveFailure::CardFileNotWritten, kCardNotWrittenText, card_path);

    // The reservation is this save's own fresh, empty file, so the converted
    // JPEG goes straight into it, with no copy beside it to flush to disk
    // and rename; a write that fails part-way is removed below.
    std::vector<std::uint8_t> jpeg;
    const int result = EncodeAsJpeg(temp_path, false, kCardQuality, true, 0, jpeg);
    if (result != ConversionOk || !platform::WriteWholeFile(card_path, jpeg)) {
      platform::RemoveFile(card_path);
      return Failed(SaveFailure::CardFileNotWritten, kCardNotWrittenText, card_path);
    }
    return Saved(card_path);
  }
}

SaveOutcome SaveCard(const canvas::CardCanvas& canvas, std::string_view run_directory) {
  return SaveSnapshot(canvas::TakeSnapshot(canvas, 0, 0), run_directory);
}

}  // namespace save
