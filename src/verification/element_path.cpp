#include "verification/element_path.h"

#include <string>

namespace voske {

namespace {

// FNV-1a: names are short and few, and a clash among one parent's children
// would need two names of one document to collide in 64 bits.
std::uint64_t NameHash(const Text& name) {
  std::uint64_t h = 14695981039346656037ULL;
  for (const char c : name) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ULL;
  }
  return h;
}

}  // namespace

int ElementPath::CountChild(const Text& name, std::size_t depth) {
  // A told depth beyond what is open would have a parent never told: it
  // counts under the innermost open element.
  open_ = depth < 1 ? 1 : (depth < open_ ? depth : open_);
  auto& children = frames_[open_ - 1].children;
  const std::uint64_t key = NameHash(name);
  for (auto& [hash, count] : children)
    if (hash == key) return ++count;
  children.emplace_back(key, 1);
  return 1;
}

void ElementPath::Open(const Text& name, std::size_t depth) {
  const int position = CountChild(name, depth);
  if (frames_.size() == open_) frames_.emplace_back();
  Frame& frame = frames_[open_++];
  frame.name = name;
  frame.position = position;
  frame.children.clear();
}

int ElementPath::Leaf(const Text& name, std::size_t depth) { return CountChild(name, depth); }

Text ElementPath::PathTo(const Text& leafName, int leafPosition) const {
  Text path;
  const auto step = [&path](const Text& name, int position) {
    path += name;
    if (position > 1) path += "[" + std::to_string(position) + "]";
  };
  for (std::size_t i = 1; i < open_; ++i) {
    step(frames_[i].name, frames_[i].position);
    path += '/';
  }
  step(leafName, leafPosition);
  return path;
}

int ElementPath::PositionOf(TextView name) const {
  for (std::size_t i = open_; i-- > 1;)
    if (frames_[i].name == name) return frames_[i].position;
  return 0;
}

}  // namespace voske
