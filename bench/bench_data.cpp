#include "bench/bench_data.h"

#include <fstream>
#include <stdexcept>

#include "card/card_background.h"
#include "card/compose_card.h"
#include "card/initial_texts.h"

namespace bench {
namespace {

BenchData data;

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

void PrepareData(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  data.folder = folder;
  const canvas::ByteSpan background = card::CardBackground();
  data.background_jpeg.assign(background.begin(), background.end());

  // Quality 85 is what cameras and photo tools commonly write.
  data.typical_jpeg = WriteJpeg(PhotoPixels(kTypicalWidth, kTypicalHeight, 1), kTypicalWidth, kTypicalHeight, 85);
  data.photo_jpeg = WriteJpeg(PhotoPixels(kPhotoWidth, kPhotoHeight, 2), kPhotoWidth, kPhotoHeight, 85);
  data.typical_path = (folder / "typical.jpg").string();
  data.photo_path = (folder / "photo.jpg").string();
  WriteFile(data.typical_path, data.typical_jpeg);
  WriteFile(data.photo_path, data.photo_jpeg);

  data.large_indices = PhotoIndices(kLargeSide, kLargeSide, 3);
  data.gif_large = WriteGif(data.large_indices, kLargeSide, kLargeSide, PhotoPalette());
  data.pcx8_large = WritePcx8(data.large_indices, kLargeSide, kLargeSide, PhotoPalette());
  data.large_rgb = PhotoPixels(kLargeSide, kLargeSide, 4);
  data.bmp_large = WriteBmp24(data.large_rgb, kLargeSide, kLargeSide);
  WriteFile(folder / "large.gif", data.gif_large);
  WriteFile(folder / "large.pcx", data.pcx8_large);
  WriteFile(folder / "large.bmp", data.bmp_large);
}

const BenchData& Data() { return data; }

card::CardInputs CardTexts(const std::string& avatar_path) {
  return card::CardInputs{card::kInitialNickname, card::kInitialQqNumber, card::kInitialSignature,
                          card::kInitialImpression, avatar_path};
}

canvas::CardCanvas ComposedCard() {
  canvas::CardCanvas canvas(card::CardBackgroundBytes());
  card::FixedCardInputs inputs(CardTexts(data.typical_path));
  platform::FixedTickCounter ticks(4242);
  card::ComposeCard(canvas, inputs, ticks);
  return canvas;
}

}  // namespace bench
