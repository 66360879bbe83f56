#pragma once
// The five texts a card is composed from, each a GBK text read afresh from
// wherever the user keeps them (the window's edit boxes).
#include <string>

namespace card {

class CardInputSource {
 public:
  virtual ~CardInputSource() = default;
  virtual std::string Nickname() = 0;
  virtual std::string QqNumber() = 0;
  virtual std::string Signature() = 0;
  virtual std::string Impression() = 0;
  virtual std::string AvatarPath() = 0;
};

struct CardInputs {
  std::string nickname;
  std::string qq_number;
  std::string signature;
  std::string impression;
  std::string avatar_path;
};

// Inputs held in memory, for the command line and tests.
class FixedCardInputs final : public CardInputSource {
 public:
  explicit FixedCardInputs(CardInputs inputs) : inputs_(std::move(inputs)) {}
  std::string Nickname() override { return inputs_.nickname; }
  std::string QqNumber() override { return inputs_.qq_number; }
  std::string Signature() override { return inputs_.signature; }
  std::string Impression() override { return inputs_.impression; }
  std::string AvatarPath() override { return inputs_.avatar_path; }

 private:
  CardInputs inputs_;
};

}  // namespace card
