#pragma once
// Where a leaf stands in a document that streams past: the open elements,
// each with its position among the same-named children of its parent, kept
// as the elements come, so that naming a leaf's path costs the same for the
// millionth entry as for the first.
//
// Each child name met under an open element also carries a memo for its
// owner (what the name stands for there, worked out once). The memos belong
// to the place, the names of the element and its ancestors: the next
// oxr:lancamento of a section finds those of the one before, so what a leaf
// is checked as is looked up once per kind of place, not once per leaf.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "text/text.h"

namespace voske {

namespace element_names {

// Whether two element names are the same. Names are short and compared once
// or twice per leaf of a document: compared here eight bytes at a time, in
// line, they cost less than the call to the library's general comparison.
inline bool Same(const Text& a, const Text& b) {
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

}  // namespace element_names

class ElementPath {
 public:
  ElementPath() = default;
  // Frames point into the places: moved, they keep them; copied, they would
  // point into the original's.
  ElementPath(const ElementPath&) = delete;
  ElementPath& operator=(const ElementPath&) = delete;
  ElementPath(ElementPath&&) = default;
  ElementPath& operator=(ElementPath&&) = default;

  // A child name under one open element: how many of that name came so
  // far, and the owner's memo for it (-1 until the owner sets it).
  struct Child {
    Text name;
    int count = 0;
    int memo = -1;
  };

  // A container opened under `depth` open elements (1 for a child of the
  // root, which is never told); the ones deeper than that have ended.
  void Open(const Text& name, std::size_t depth);
  // A leaf under `depth` open elements, root included; the ones deeper than
  // that have ended. Its count is its position among its parent's children
  // of that name (1 for the first). The reference holds until the next call.
  Child& Leaf(const Text& name, std::size_t depth) {
    // Mostly the leaf stands where the one before stood and is the name
    // that came after that one last time: found in line, with no search.
    if (depth == open_) {
      Place& place = *innermost_;
      if (place.next < place.children.size()) {
        Child& child = place.children[place.next];
        if (element_names::Same(child.name, name)) {
          ++place.next;
          ++child.count;
          return child;
        }
      }
    }
    return CountChild(name, depth);
  }

  // The leaf's path below the root: qualified names joined by "/", each
  // followed by its position when it is not the first of its name
  // ("oxr:administradores/oxr:administrador[2]/oxr:CPF").
  Text PathTo(const Text& leafName, int leafPosition) const;
  // The position of the innermost open element named `name`; 0 when none
  // is open.
  int PositionOf(TextView name) const;

 private:
  // The child names of a place, in the order first met, and where to start
  // looking for the next one (the name after the one met last).
  struct Place {
    std::vector<Child> children;
    std::size_t next = 0;
    std::uint32_t number = 0;  // its index in places_
  };
  struct Frame {
    Text name;
    int position = 1;
    Place* place = nullptr;
    Place* parentPlace = nullptr;  // that of the element it was opened under
  };
  // Counts a child named `name` under frames_[depth - 1].
  Child& CountChild(const Text& name, std::size_t depth);
  // The first child of that name in `place`.
  Child& AddChild(Place& place, const Text& name);
  Place* PlaceOf(const Place& parentPlace, const Text& name);

  // Place 0 is the root. At most one element of a place is open at a time,
  // so the counts live here too. A deque, so that frames keep their places'
  // addresses while new places are added.
  std::deque<Place> places_ = std::deque<Place>(1);
  // frames_[0] is the root; frames_[1..open_) the open containers. Frames
  // beyond open_ are kept for reuse, so a long list allocates nothing.
  std::vector<Frame> frames_ = std::vector<Frame>{Frame{{}, 1, &places_.front(), nullptr}};
  std::size_t open_ = 1;
  // The place of frames_[open_ - 1], where the next leaf most likely goes.
  Place* innermost_ = &places_.front();
  // Place of (parent place, name), keyed by the parent's number and the name.
  std::unordered_map<std::string, Place*> placeIndex_;
};

}  // namespace voske
