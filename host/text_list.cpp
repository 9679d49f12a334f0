// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/text_list.h"

#include <utility>

#include "platform/cp1252.h"
#include "platform/error.h"
#include "platform/file_io.h"

namespace zndl {

TextList::TextList(std::initializer_list<std::string_view> entries) {
  for (const auto e : entries) entries_.emplace_back(e);
}

TextList TextList::fromBytes(std::string_view bytes) {
  TextList list;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const char c = bytes[i];
    if (c == '\r' || c == '\n') {
      list.entries_.push_back(cp1252::toUtf8(bytes.substr(start, i - start)));
      i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  list.finalBreak_ = start == bytes.size();
  if (!list.finalBreak_) list.entries_.push_back(cp1252::toUtf8(bytes.substr(start)));
  return list;
}

std::string TextList::toBytes() const {
  std::string out;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    // Text typed by a player was checked on the way in; anything else that slipped
    // through is written as a question mark rather than as bytes of another code page.
    if (auto bytes = cp1252::fromUtf8(entries_[i])) {
      out += *bytes;
    } else {
      for (const char c : entries_[i])
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) out += c & 0x80 ? '?' : c;
    }
    if (i + 1 < entries_.size() || finalBreak_) out += "\r\n";
  }
  return out;
}

void TextList::loadFromFile(const std::string& name) {
  const auto bytes = fileio::readAll(name);
  if (!bytes) throw cannotOpen(name);
  *this = fromBytes(*bytes);
  loadedFromFile_ = true;
}

void TextList::saveToFile(const std::string& name, fileio::WriteSteps& steps) const {
  if (!fileio::replaceAtomically(name, toBytes(), steps)) throw cannotCreate(name);
}

std::string TextList::at(int index) const {
  if (index < 0 || index >= count()) return {};
  return entries_[static_cast<std::size_t>(index)];
}

void TextList::set(int index, std::string text) {
  if (index < 0) return;
  if (index >= count()) {
    entries_.resize(static_cast<std::size_t>(index) + 1);
    finalBreak_ = true;
  }
  entries_[static_cast<std::size_t>(index)] = std::move(text);
}

void TextList::append(std::string text) {
  entries_.push_back(std::move(text));
  finalBreak_ = true;
}

void TextList::clear() {
  entries_.clear();
  finalBreak_ = true;
}

int TextList::find(std::string_view text) const {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (cp1252::equalsIgnoringCase(entries_[i], text)) return static_cast<int>(i);
  return -1;
}

void TextList::swap(int i, int j) {
  if (i < 0 || j < 0 || i >= count() || j >= count()) return;
  std::swap(entries_[static_cast<std::size_t>(i)], entries_[static_cast<std::size_t>(j)]);
}

}  // namespace zndl
