#pragma once

#include <concepts>
#include <ostream>
#include <string>
#include <string_view>

namespace tallyer {

// A text held elsewhere (a TextPool, or other storage that outlives the
// handle), kept as one pointer: half a string_view, which counts when a run
// holds millions of records with two texts each. A null pointer is the empty
// text. Handles from one pool are equal exactly when their pointers are, which
// lets callers cache answers per pointer.
class PooledText {
 public:
  PooledText() = default;
  PooledText(const std::string& text) : text_(&text) {}  // NOLINT: implicit on purpose
  PooledText(const std::string&&) = delete;  // a temporary would leave the handle dangling

  std::string_view View() const { return text_ != nullptr ? std::string_view(*text_) : std::string_view(); }
  operator std::string_view() const { return View(); }  // NOLINT: implicit on purpose
  bool empty() const { return text_ == nullptr || text_->empty(); }
  // The held string, null for the empty text: equal texts of one pool share it.
  const std::string* Pointer() const { return text_; }

  friend bool operator==(const PooledText& a, std::string_view b) { return a.View() == b; }
  // Compares texts, not pointers. A template, so that a std::string on the
  // right compares through string_view instead of being taken as a handle.
  template <std::same_as<PooledText> Other>
  friend bool operator==(const PooledText& a, const Other& b) {
    return a.text_ == b.text_ || a.View() == b.View();
  }
  friend std::ostream& operator<<(std::ostream& out, const PooledText& text) { return out << text.View(); }

 private:
  const std::string* text_ = nullptr;
};

}  // namespace tallyer
