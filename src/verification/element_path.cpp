#include "verification/element_path.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace voske {

namespace {

// Whether two element names are the same. Names are short and compared once
// or twice per leaf of a document: compared here eight bytes at a time, in
// line, they cost less than the call to the library's general comparison.
inline bool SameName(const Text& a, const Text& b) {
  const std::size_t n = a.size();
  if (n != b.size()) return false;
  const char* p = a.data();
  const char* q = b.data();
  if (n < 8) {
    for (std::size_t i = 0; i < n; ++i)
      if (p[i] != q[i]) return false;
    return true;
  }
  const auto word = [](const char* at) {
    std::uint64_t w;
    std::memcpy(&w, at, sizeof w);
    return w;
  };
  for (std::size_t i = 0; i + 8 < n; i += 8)
    if (word(p + i) != word(q + i)) return false;
  return word(p + n - 8) == word(q + n - 8);  // the last eight, overlapping
}

}  // namespace

ElementPath::Child& ElementPath::CountChild(const Text& name, std::size_t depth) {
  // A told depth beyond what is open would have a parent never told: it
  // counts under the innermost open element.
  open_ = depth < 1 ? 1 : (depth < open_ ? depth : open_);
  Place& place = places_[frames_[open_ - 1].place];
  std::vector<Child>& children = place.children;
  // A parent has few child names, and its children come in the same order
  // entry after entry: the name after the one met last is tried first, and
  // mostly it is the one.
  const std::size_t n = children.size();
  std::size_t i = place.next < n ? place.next : 0;
  for (std::size_t tried = 0; tried < n; ++tried) {
    Child& child = children[i];
    if (SameName(child.name, name)) {
      place.next = i + 1;
      ++child.count;
      return child;
    }
    if (++i == n) i = 0;
  }
  return AddChild(place, name);
}

ElementPath::Child& ElementPath::AddChild(Place& place, const Text& name) {
  place.children.push_back(Child{name, 1, -1});
  place.next = place.children.size();
  return place.children.back();
}

std::uint32_t ElementPath::PlaceOf(std::uint32_t parentPlace, const Text& name) {
  std::string key(reinterpret_cast<const char*>(&parentPlace), sizeof parentPlace);
  key += name;
  const auto [it, added] = placeIndex_.emplace(std::move(key), static_cast<std::uint32_t>(places_.size()));
  if (added) places_.emplace_back();
  return it->second;
}

void ElementPath::Open(const Text& name, std::size_t depth) {
  const int position = CountChild(name, depth).count;
  if (frames_.size() == open_) frames_.emplace_back();
  const std::uint32_t parentPlace = frames_[open_ - 1].place;
  Frame& frame = frames_[open_++];
  frame.position = position;
  // Mostly the element before it at this depth had the same name and
  // parent (the next entry of a list): then the place is known.
  if (frame.place == 0 || frame.parentPlace != parentPlace || !SameName(frame.name, name)) {
    frame.name = name;
    frame.parentPlace = parentPlace;
    frame.place = PlaceOf(parentPlace, name);
  }
  Place& place = places_[frame.place];
  for (Child& child : place.children) child.count = 0;
  place.next = 0;
}

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
