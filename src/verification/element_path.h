#pragma once
// Where a leaf stands in a document that streams past: the open elements,
// each with its position among the same-named children of its parent, kept
// as the elements come, so that naming a leaf's path costs the same for the
// millionth entry as for the first.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "text/text.h"

namespace voske {

class ElementPath {
 public:
  // A container opened under `depth` open elements (1 for a child of the
  // root, which is never told); the ones deeper than that have ended.
  void Open(const Text& name, std::size_t depth);
  // A leaf under `depth` open elements, root included; the ones deeper than
  // that have ended. Returns its position among its parent's children of
  // that name (1 for the first).
  int Leaf(const Text& name, std::size_t depth);

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
    // Children met so far, by the hash of their name, with their count.
    std::vector<std::pair<std::uint64_t, int>> children;
  };
  // Counts a child named `name` under frames_[depth - 1].
  int CountChild(const Text& name, std::size_t depth);

  // frames_[0] is the root; frames_[1..open_) the open containers. Frames
  // beyond open_ are kept for reuse, so a long list allocates nothing.
  std::vector<Frame> frames_ = std::vector<Frame>(1);
  std::size_t open_ = 1;
};

}  // namespace voske
