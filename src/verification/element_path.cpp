#include "verification/element_path.h"

#include <cstdint>
#include <string>

namespace voske {

ElementPath::Child& ElementPath::CountChild(const Text& name, std::size_t depth) {
  // A told depth beyond what is open would have a parent never told: it
  // counts under the innermost open element.
  const std::size_t open = depth < 1 ? 1 : (depth < open_ ? depth : open_);
  if (open != open_) {
    open_ = open;
    innermost_ = frames_[open_ - 1].place;
  }
  Place& place = *innermost_;
  std::vector<Child>& children = place.children;
  // A parent has few child names, and its children come in the same order
  // entry after entry: the name after the one met last is tried first, and
  // mostly it is the one.
  const std::size_t n = children.size();
  std::size_t i = place.next < n ? place.next : 0;
  for (std::size_t tried = 0; tried < n; ++tried) {
    Child& child = children[i];
    if (element_names::Same(child.name, name)) {
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

ElementPath::Place* ElementPath::PlaceOf(const Place& parentPlace, const Text& name) {
  std::string key(reinterpret_cast<const char*>(&parentPlace.number), sizeof parentPlace.number);
  key += name;
  const auto [it, added] = placeIndex_.emplace(std::move(key), nullptr);
  if (added) {
    places_.emplace_back();
    places_.back().number = static_cast<std::uint32_t>(places_.size() - 1);
    it->second = &places_.back();
  }
  return it->second;
}

void ElementPath::Open(const Text& name, std::size_t depth) {
  const int position = Leaf(name, depth).count;
  if (frames_.size() == open_) frames_.emplace_back();
  Place* const parentPlace = frames_[open_ - 1].place;
  Frame& frame = frames_[open_++];
  frame.position = position;
  // Mostly the element before it at this depth had the same name and
  // parent (the next entry of a list): then the place is known.
  if (!frame.place || frame.parentPlace != parentPlace || !element_names::Same(frame.name, name)) {
    frame.name = name;
    frame.parentPlace = parentPlace;
    frame.place = PlaceOf(*parentPlace, name);
  }
  innermost_ = frame.place;
  for (Child& child : innermost_->children) child.count = 0;
  innermost_->next = 0;
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
