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
#include <string>
#include <unordered_map>
#include <vector>

#include "text/text.h"

namespace voske {

class ElementPath {
 public:
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
  Child& Leaf(const Text& name, std::size_t depth) { return CountChild(name, depth); }

  // The leaf's path below the root: qualified names joined by "/", each
  // followed by its position when it is not the first of its name
  // ("oxr:administradores/oxr:administrador[2]/oxr:CPF").
  Text PathTo(const Text& leafName, int leafPosition) const;
  // The position of the innermost open element named `name`; 0 when none
  // is open.
  int PositionOf(TextView name) const;

 private:
  struct Frame {
    Text name;
    int position = 1;
    std::uint32_t place = 0;        // index into places_
    std::uint32_t parentPlace = 0;  // that of the element it was opened under
  };
  struct Place;
  // Counts a child named `name` under frames_[depth - 1].
  Child& CountChild(const Text& name, std::size_t depth);
  // The first child of that name in `place`.
  Child& AddChild(Place& place, const Text& name);
  std::uint32_t PlaceOf(std::uint32_t parentPlace, const Text& name);

  // frames_[0] is the root; frames_[1..open_) the open containers. Frames
  // beyond open_ are kept for reuse, so a long list allocates nothing.
  std::vector<Frame> frames_ = std::vector<Frame>(1);
  std::size_t open_ = 1;
  // The child names of a place, in the order first met, and where to start
  // looking for the next one (the name after the one met last).
  struct Place {
    std::vector<Child> children;
    std::size_t next = 0;
  };
  // Place 0 is the root. At most one element of a place is open at a time,
  // so the counts live here too.
  std::vector<Place> places_ = std::vector<Place>(1);
  // Place of (parent place, name), keyed by the parent's number and the name.
  std::unordered_map<std::string, std::uint32_t> placeIndex_;
};

}  // namespace voske
