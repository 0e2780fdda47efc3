#include "workbook/attribute_guard.h"

#include <cstring>

#include "workbook/reader_limits.h"
#include "workbook/workbook_file.h"

namespace voske {

namespace {

// The last `c` among the `size` bytes at `data`, or nullptr. Searched from
// the end: in markup a "<" is rarely more than a few dozen bytes back.
const char* LastOf(const char* data, std::size_t size, char c) {
  for (const char* p = data + size; p != data;)
    if (*--p == c) return p;
  return nullptr;
}

}  // namespace

void AttributeGuard::Scan(const char* data, std::size_t size) {
  std::size_t p = 0;  // data[p..] follows the current run
  std::size_t runStart = run_.empty() ? 0 : static_cast<std::size_t>(-1);  // in data, when the run began here
  if (following_) {
    p = Follow(data, size);
    if (following_) return;
    runStart = p - 1;  // the "<" that ended the close look begins a run
  }
  while (p < size) {
    const std::size_t seen = runStart != static_cast<std::size_t>(-1) ? p - runStart : run_.size();
    const std::size_t room = kWindow - seen;
    const std::size_t span = size - p < room ? size - p : room;
    if (const char* lt = LastOf(data + p, span, '<')) {
      p = static_cast<std::size_t>(lt - data) + 1;
      runStart = p - 1;
      run_.clear();
      continue;
    }
    if (span < room) break;  // the data ends inside the window
    // A whole window without "<": the run is followed byte by byte from its
    // "<" on, its earlier bytes first.
    following_ = true;
    state_ = State::Open;
    if (runStart != static_cast<std::size_t>(-1)) {
      p = runStart + 1;
    } else {
      const std::string earlier = std::move(run_);
      run_.clear();
      Follow(earlier.data() + 1, earlier.size() - 1);  // no "<" in it: it is followed to its end
    }
    const std::size_t used = Follow(data + p, size - p);
    if (following_) return;
    p += used;
    runStart = p - 1;
  }
  // Keep the unfinished run for the next call.
  if (runStart != static_cast<std::size_t>(-1)) run_.assign(data + runStart, size - runStart);
  else run_.append(data + p, size - p);
}

std::size_t AttributeGuard::Follow(const char* data, std::size_t size) {
  const char* p = data;
  const char* const end = data + size;
  while (p < end) {
    switch (state_) {
      case State::Text: {
        const void* open = std::memchr(p, '<', static_cast<std::size_t>(end - p));
        if (!open) return size;
        following_ = false;
        return static_cast<std::size_t>(static_cast<const char*>(open) + 1 - data);
      }
      case State::Open: {
        const char c = *p++;
        if (c == '!') {
          state_ = State::Bang;
        } else if (c == '?' || c == '/') {
          closer_ = c == '?' ? "?>" : ">";
          last_[0] = last_[1] = 0;
          state_ = State::Markup;
        } else {
          attributes_ = 0;
          state_ = State::Tag;
          --p;  // the name's first byte is an ordinary byte of the tag
        }
        break;
      }
      case State::Bang: {
        const char c = *p++;
        closer_ = c == '-' ? "-->" : c == '[' ? "]]>" : ">";
        last_[0] = 0;
        last_[1] = c;
        state_ = State::Markup;
        break;
      }
      case State::Tag: {
        while (p < end) {
          const char c = *p++;
          if (c == '>') {
            state_ = State::Text;
            break;
          }
          if (c == '=') {
            if (++attributes_ > limits::kMaxXmlAttributes)
              throw ReaderError(ReaderError::Kind::TooLarge,
                                "an element carries more than " + std::to_string(limits::kMaxXmlAttributes) +
                                    " attributes");
          } else if (c == '"' || c == '\'') {
            quote_ = c;
            state_ = State::Value;
            break;
          }
        }
        break;
      }
      case State::Value: {
        const void* close = std::memchr(p, quote_, static_cast<std::size_t>(end - p));
        if (!close) return size;
        p = static_cast<const char*>(close) + 1;
        state_ = State::Tag;
        break;
      }
      case State::Markup: {
        const std::size_t closerLength = std::strlen(closer_);
        while (p < end) {
          // The byte `back` places before `at`, from these bytes or earlier ones.
          auto before = [&](const char* at, std::ptrdiff_t back) {
            const std::ptrdiff_t i = (at - p) - back;
            return i >= 0 ? p[i] : last_[2 + i];
          };
          const void* found = std::memchr(p, '>', static_cast<std::size_t>(end - p));
          const char* at = found ? static_cast<const char*>(found) : end;
          bool closes = found != nullptr;
          for (std::size_t k = 1; closes && k < closerLength; ++k)
            closes = before(at, static_cast<std::ptrdiff_t>(k)) == closer_[closerLength - 1 - k];
          const char next[2] = {before(at, found ? 1 : 2), found ? '>' : before(at, 1)};
          last_[0] = next[0];
          last_[1] = next[1];
          if (!found) return size;
          p = at + 1;
          if (closes) {
            state_ = State::Text;
            break;
          }
        }
        break;
      }
    }
  }
  return size;
}

}  // namespace voske
