#include "windows/window_list.h"

#include <algorithm>
#include <unordered_map>

namespace nimbul::windows {

namespace {
const WindowEntry kNoEntry{};
}  // namespace

std::string HandleText(const WindowEntry& e) {
  const std::uint32_t raw = platform::Raw(e.window);
  return e.signedText ? std::to_string(static_cast<std::int32_t>(raw)) : std::to_string(raw);
}

const WindowEntry& WindowList::At(int position) const {
  if (position < 1 || position > Count()) return kNoEntry;
  return entries_[static_cast<size_t>(position - 1)];
}

WindowList::Key WindowList::KeyAt(int position) const {
  if (position < 1 || position > Count()) return {};
  return keys_[static_cast<size_t>(position - 1)];
}

int WindowList::PositionOf(Key key) const {
  if (!key) return 0;
  auto it = std::find(keys_.begin(), keys_.end(), key);
  return it == keys_.end() ? 0 : static_cast<int>(it - keys_.begin()) + 1;
}

const WindowEntry* WindowList::Find(Key key) const {
  const int p = PositionOf(key);
  return p == 0 ? nullptr : &entries_[static_cast<size_t>(p - 1)];
}

bool WindowList::Contains(const WindowEntry& e) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [&](const WindowEntry& x) { return x.window == e.window && x.name == e.name; });
}

bool WindowList::ContainsWindow(platform::Hwnd w) const {
  return std::any_of(entries_.begin(), entries_.end(), [&](const WindowEntry& x) { return x.window == w; });
}

void WindowList::Replace(std::vector<WindowEntry> entries, bool keepChoice) {
  std::unordered_map<std::uint32_t, Key> old;
  old.reserve(entries_.size());
  for (size_t i = 0; i < entries_.size(); ++i) old.emplace(platform::Raw(entries_[i].window), keys_[i]);
  std::vector<Key> keys;
  keys.reserve(entries.size());
  for (const WindowEntry& e : entries) {
    // Each old key goes to one new entry only.
    auto it = old.find(platform::Raw(e.window));
    if (keyedByWindow_ && !IsNull(e.window)) {
      keys.push_back(Key{platform::Raw(e.window)});
    } else if (it != old.end() && it->second) {
      keys.push_back(it->second);
      it->second = Key{};
    } else {
      keys.push_back(Key{next_++});
    }
  }
  entries_ = std::move(entries);
  keys_ = std::move(keys);
  if (!keepChoice || PositionOf(chosen_) == 0) chosen_ = KeyAt(1);
}

WindowList::Key WindowList::Append(WindowEntry e) {
  const Key key{keyedByWindow_ && !IsNull(e.window) ? platform::Raw(e.window) : next_++};
  entries_.push_back(std::move(e));
  keys_.push_back(key);
  if (Count() == 1) chosen_ = key;
  return key;
}

void WindowList::Remove(int position) {
  if (position < 1 || position > Count()) return;
  const bool wasChosen = keys_[static_cast<size_t>(position - 1)] == chosen_;
  entries_.erase(entries_.begin() + (position - 1));
  keys_.erase(keys_.begin() + (position - 1));
  if (wasChosen) chosen_ = KeyAt(std::min(position, Count()));
}

void WindowList::SetName(int position, const std::string& name) {
  if (position < 1 || position > Count()) return;
  entries_[static_cast<size_t>(position - 1)].name = name;
}

}  // namespace nimbul::windows
